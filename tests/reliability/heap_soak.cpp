// The heap soak: the whole program on the host doubles through 100,000 refreshes (four ticks
// each, with their colour walks), the answers mixed as in the long run under Wine: readings with
// odd texts, error pages, cut, empty, oversized and garbage bodies, failed sends, stalled reads and
// refused connections; now and then the tray menu opens, once while a refresh comes. Every
// allocation is counted. The answers repeat in cycles of 500; after the first cycle (warm-up) the
// live heap at the end of every cycle must be the same to the byte, both as operator new counts
// it and as malloc reports it (mallinfo2; run with GLIBC_TUNABLES=glibc.malloc.tcache_count=0,
// or malloc's per-thread cache holds freed blocks that mallinfo2 counts as in use).
//
//   GLIBC_TUNABLES=glibc.malloc.tcache_count=0 korvane_heap_soak [refreshes, default 100000]
// Prints the figures; exit code 0 when the heap is flat, 1 when it is not.
#include "common/host_program.h"

#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <random>
#include <string>
#include <vector>

// --- Counting every allocation of operator new (a header keeps each block's size). ---
namespace {
std::atomic<long long> liveBytes{0}, liveBlocks{0}, allocations{0};
constexpr std::size_t kHeader = alignof(std::max_align_t);

void* Allocate(std::size_t size) {
    void* block = std::malloc(size + kHeader);
    if (!block) throw std::bad_alloc();
    *static_cast<std::size_t*>(block) = size;
    liveBytes += static_cast<long long>(size);
    ++liveBlocks;
    ++allocations;
    return static_cast<char*>(block) + kHeader;
}
void Release(void* pointer) noexcept {
    if (!pointer) return;
    void* block = static_cast<char*>(pointer) - kHeader;
    liveBytes -= static_cast<long long>(*static_cast<std::size_t*>(block));
    --liveBlocks;
    std::free(block);
}
} // namespace

void* operator new(std::size_t size) {
    return Allocate(size);
}
void* operator new[](std::size_t size) {
    return Allocate(size);
}
void operator delete(void* pointer) noexcept {
    Release(pointer);
}
void operator delete[](void* pointer) noexcept {
    Release(pointer);
}
void operator delete(void* pointer, std::size_t) noexcept {
    Release(pointer);
}
void operator delete[](void* pointer, std::size_t) noexcept {
    Release(pointer);
}

namespace korvane {
namespace {

using platform::InternetHandle;

enum class Kind {
    Reading,
    TruncatedLate,
    Huge,
    HugeLate,
    NotFound,
    TruncatedEarly,
    Empty,
    Garbage,
    Closed,
    Hang,
    Stall,
    Refused
};

struct Answer {
    Kind kind;
    std::string temp;
};

constexpr std::size_t kHugeBytes = 2 * 1024 * 1024;
constexpr int kCycle = 500;

// The long run's plan (tests/reliability/plan.py): its faults per 500 attempts, shuffled with a
// fixed seed; readings in between, now and then an odd text.
std::vector<Answer> MakeCycle() {
    std::mt19937 random(20240611);
    const std::pair<Kind, int> faultsPer500[] = {
        {Kind::NotFound, 30}, {Kind::TruncatedEarly, 25}, {Kind::Empty, 25},
        {Kind::Garbage, 25},  {Kind::Closed, 20},         {Kind::HugeLate, 10},
        {Kind::Hang, 12},     {Kind::Stall, 8},           {Kind::TruncatedLate, 10},
        {Kind::Huge, 10},     {Kind::Refused, 40}};
    std::vector<Kind> faults;
    for (const auto& [kind, count] : faultsPer500)
        faults.insert(faults.end(), static_cast<std::size_t>(count), kind);
    std::shuffle(faults.begin(), faults.end(), random);
    const char* odd[] = {"12.7",
                         "-3",
                         "-5.5",
                         "\xEF\xBC\x91\xEF\xBC\x98",
                         "\xE6\x9A\x82\xE6\x97\xA0",
                         "",
                         "2e1",
                         " 7",
                         "40",
                         "-15",
                         "1e9",
                         "-1000"};
    int temp = 15;
    std::size_t oddNext = 0;
    const auto reading = [&](Kind kind) {
        if (random() % 100 < 6) return Answer{kind, odd[oddNext++ % std::size(odd)]};
        temp = std::clamp(temp + static_cast<int>(random() % 7) - 3, -12, 42);
        return Answer{kind, std::to_string(temp)};
    };
    std::vector<Answer> cycle;
    std::size_t nextFault = 0;
    while (cycle.size() < kCycle) {
        cycle.push_back(reading(Kind::Reading));
        if (nextFault < faults.size()) {
            const Kind kind = faults[nextFault++];
            cycle.push_back(kind == Kind::TruncatedLate || kind == Kind::Huge ? reading(kind)
                                                                              : Answer{kind, "20"});
        }
    }
    cycle.resize(kCycle);
    return cycle;
}

std::string ReadingJson(const std::string& temp, std::size_t pad = 0) {
    std::string json = R"({"weatherinfo":{"city":"北京","cityid":"101010100","temp":")" + temp +
                       R"(","WD":"东南风","WS":"2级","SD":"30%","time":"10:25")";
    if (pad > 0) json += R"(,"pad":")" + std::string(pad, 'x') + "\"";
    return json + "}}";
}

// Answers each request from the cycle, as the flaky server does; records nothing.
class PlanInternet final : public platform::Internet {
  public:
    PlanInternet() : cycle_(MakeCycle()) {}
    long long requests = 0;

    bool CrackUrl(std::string_view url, platform::UrlParts& parts) override {
        return platform::SplitUrl(url, parts);
    }
    InternetHandle Open(std::string_view, std::uint32_t) override { return kSession; }
    bool SetNumberOption(InternetHandle, std::uint32_t, std::uint32_t) override { return true; }
    bool SetProxyOption(InternetHandle, std::uint32_t) override { return true; }
    bool SetTextOption(InternetHandle, std::uint32_t, std::string_view) override { return true; }
    InternetHandle Connect(InternetHandle, std::string_view, std::uint16_t, std::string_view,
                           std::string_view) override {
        return kConnection;
    }
    InternetHandle OpenRequest(InternetHandle, std::string_view, std::string_view, std::string_view,
                               std::string_view, std::uint32_t) override {
        answer_ = cycle_[static_cast<std::size_t>(requests++ % kCycle)];
        Prepare();
        return kRequest;
    }
    bool SendRequest(InternetHandle, std::string_view) override {
        return answer_.kind != Kind::Closed && answer_.kind != Kind::Hang &&
               answer_.kind != Kind::Refused;
    }
    bool QueryContentLength(InternetHandle, std::string& text) override {
        if (answer_.kind == Kind::Garbage) return false;
        text = std::to_string(announced_);
        return true;
    }
    bool Read(InternetHandle, char* buffer, std::uint32_t size, std::uint32_t& read) override {
        read = 0;
        if (offset_ == body_.size()) return answer_.kind != Kind::Stall; // a stall times out
        const std::size_t count = std::min<std::size_t>(size, body_.size() - offset_);
        body_.copy(buffer, count, offset_);
        offset_ += count;
        read = static_cast<std::uint32_t>(count);
        return true;
    }
    bool Close(InternetHandle) override { return true; }

  private:
    static constexpr InternetHandle kSession = 1, kConnection = 2, kRequest = 3;

    void Prepare() {
        offset_ = 0;
        body_.clear();
        switch (answer_.kind) {
        case Kind::Reading:
            body_ = ReadingJson(answer_.temp);
            break;
        case Kind::TruncatedLate: {
            const std::string full = ReadingJson(answer_.temp);
            body_ = full.substr(0, full.find("2级") + 5);
            announced_ = full.size();
            return;
        }
        case Kind::Huge:
            body_ = ReadingJson(answer_.temp, kHugeBytes - ReadingJson(answer_.temp).size() - 10);
            break;
        case Kind::HugeLate:
            body_ = std::string(kHugeBytes * 3 / 4, 'y') + ReadingJson(answer_.temp);
            break;
        case Kind::NotFound:
            body_ = "<html><head><title>404 Not Found</title></head><body><h1>404 Not Found</h1>"
                    "</body></html>";
            break;
        case Kind::TruncatedEarly:
            body_ = ReadingJson("20").substr(0, 20);
            announced_ = body_.size() + 200;
            return;
        case Kind::Garbage:
            for (int i = 0; i < 600; ++i)
                body_ += static_cast<char>(garbage_() & 0xFF);
            break;
        case Kind::Stall:
            body_ = ReadingJson("20").substr(0, 20);
            announced_ = 400;
            return;
        default:
            break;
        }
        announced_ = body_.size();
    }

    std::vector<Answer> cycle_;
    Answer answer_{Kind::Reading, ""};
    std::string body_;
    std::size_t offset_ = 0;
    std::size_t announced_ = 0;
    std::mt19937 garbage_{7};
};

using SoakProgram = testing::HostProgram<PlanInternet>;

// One refresh: time moves on until the next request has been answered (and its walk has ended,
// unless the menu keeps it).
void NextRefresh(SoakProgram& host) {
    const long long before = host.internet.requests;
    while (host.internet.requests == before)
        host.ui.Advance(1000);
}

} // namespace
} // namespace korvane

int main(int argc, char** argv) {
    using namespace korvane;
    const long long refreshes = argc > 1 ? std::atoll(argv[1]) : 100000;
    auto host = std::make_unique<SoakProgram>();
    host->files.Put(kConfigFileName,
                    "CityId=101010100\r\nMaxTemperature=35\r\nMinTemperature=-5\r\nOpaque=0");
    host->Start();

    std::vector<long long> cycleEnds, cycleEndsMalloc;
    // The samples' own storage is taken before the first one.
    cycleEnds.reserve(static_cast<std::size_t>(refreshes / kCycle + 2));
    cycleEndsMalloc.reserve(cycleEnds.capacity());
    long long peak = 0;
    PlanInternet& internet = host->internet;
    while (internet.requests < refreshes) {
        // The tray menu opens and closes between refreshes twice in every cycle, and once in every
        // cycle a refresh comes while it is open (its walk waits for the menu to close).
        const long long phase = internet.requests % kCycle;
        if (phase == 150 || phase == 350 || phase == 250) {
            host->ui.WhileMenuOpen([&] {
                if (phase == 250) NextRefresh(*host);
            });
            host->dispatcher.Dispatch(ui::HandlerId::OnTrayEvent,
                                      ui::tray_action::RightUpOrMenuKey);
            host->ui.WhileMenuOpen(nullptr);
        }
        NextRefresh(*host);
        host->dwm.records.clear();
        host->ui.ForgetHistory();
        peak = std::max(peak, liveBytes.load());
        if (internet.requests % kCycle == 0) {
            cycleEnds.push_back(liveBytes.load());
            cycleEndsMalloc.push_back(static_cast<long long>(mallinfo2().uordblks));
        }
    }
    if (cycleEnds.size() < 3) {
        std::printf("too few cycles of %d refreshes to judge\n", kCycle);
        return 1;
    }
    const auto [low, high] = std::minmax_element(cycleEnds.begin() + 1, cycleEnds.end());
    const auto [mallocLow, mallocHigh] =
        std::minmax_element(cycleEndsMalloc.begin() + 1, cycleEndsMalloc.end());
    std::printf("refreshes %lld, cycles of %d: %zu\n", internet.requests, kCycle, cycleEnds.size());
    std::printf("operator new: %lld allocations; live bytes after the first cycle %lld, after "
                "the last %lld; min %lld, max %lld over cycles 2..%zu; peak %lld\n",
                allocations.load(), cycleEnds.front(), cycleEnds.back(), *low, *high,
                cycleEnds.size(), peak);
    std::printf("malloc in use (mallinfo2): after the first cycle %lld, after the last %lld; "
                "min %lld, max %lld over cycles 2..%zu\n",
                cycleEndsMalloc.front(), cycleEndsMalloc.back(), *mallocLow, *mallocHigh,
                cycleEndsMalloc.size());

    const bool flat = *low == *high && *mallocLow == *mallocHigh;
    std::printf("%s\n", flat ? "flat to the byte after warm-up" : "NOT FLAT");
    return flat ? 0 : 1;
}
