// The heap soak: the whole program on the host doubles through 100,000 refreshes (four ticks
// each, with their colour walks), answered by the long run's plan (tests/common/weather_plan.py):
// readings with odd texts, error pages, cut, empty, oversized and garbage bodies, failed sends,
// stalled reads and refused connections; now and then the tray menu opens, once while a refresh
// comes. Every allocation is counted. The plan repeats in cycles; after the first (warm-up) the
// live heap at the end of every cycle must be the same to the byte, both as operator new counts
// it and as malloc reports it (mallinfo2; run with GLIBC_TUNABLES=glibc.malloc.tcache_count=0,
// or malloc's per-thread cache holds freed blocks that mallinfo2 counts as in use).
//
//   GLIBC_TUNABLES=glibc.malloc.tcache_count=0 korvane_heap_soak PLAN.tsv [refreshes (100000)]
// Prints the figures; exit code 0 when the heap is flat, 1 when it is not.
#include "common/host_program.h"

#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <new>
#include <random>
#include <set>
#include <string>
#include <string_view>
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

// The plan the weather service answers the long run by (tests/common/weather_plan.py writes it:
// a header line, then kind TAB temp TAB expect); an empty plan when a kind is unknown here.
std::vector<Answer> ReadPlan(const char* path) {
    static const std::pair<std::string_view, Kind> kinds[] = {
        {"reading", Kind::Reading}, {"truncated-late", Kind::TruncatedLate},
        {"huge", Kind::Huge},       {"huge-late", Kind::HugeLate},
        {"404", Kind::NotFound},    {"truncated", Kind::TruncatedEarly},
        {"empty", Kind::Empty},     {"garbage", Kind::Garbage},
        {"close", Kind::Closed},    {"hang", Kind::Hang},
        {"stall", Kind::Stall},     {"refused", Kind::Refused}};
    std::vector<Answer> plan;
    std::ifstream file(path);
    std::string line;
    std::getline(file, line);
    while (std::getline(file, line)) {
        const std::size_t tab = line.find('\t'), tab2 = line.find('\t', tab + 1);
        const auto known = std::find_if(std::begin(kinds), std::end(kinds), [&](const auto& k) {
            return k.first == std::string_view(line).substr(0, tab);
        });
        if (tab2 == std::string::npos || known == std::end(kinds)) {
            std::printf("%s: no answer of the soak: %s\n", path, line.c_str());
            return {};
        }
        plan.push_back({known->second, line.substr(tab + 1, tab2 - tab - 1)});
    }
    return plan;
}

std::string ReadingJson(const std::string& temp, std::size_t pad = 0) {
    std::string json = R"({"weatherinfo":{"city":"北京","cityid":"101010100","temp":")" + temp +
                       R"(","WD":"东南风","WS":"2级","SD":"30%","time":"10:25")";
    if (pad > 0) json += R"(,"pad":")" + std::string(pad, 'x') + "\"";
    return json + "}}";
}

// Answers each request from the plan, round and round, as the weather service does; records
// nothing.
class PlanInternet final : public platform::Internet {
  public:
    std::vector<Answer> cycle;
    long long requests = 0;
    std::set<std::string, std::less<>> UnreachableServers; // the live host: not served

    bool CrackUrl(std::string_view url, platform::UrlParts& parts) override {
        return platform::SplitUrl(url, parts);
    }
    InternetHandle Open(std::string_view, std::uint32_t) override { return kSession; }
    bool SetNumberOption(InternetHandle, std::uint32_t, std::uint32_t) override { return true; }
    bool SetProxyOption(InternetHandle, std::uint32_t) override { return true; }
    bool SetTextOption(InternetHandle, std::uint32_t, std::string_view) override { return true; }
    InternetHandle Connect(InternetHandle, std::string_view server, std::uint16_t, std::string_view,
                           std::string_view) override {
        return UnreachableServers.count(server) != 0 ? 0 : kConnection;
    }
    InternetHandle OpenRequest(InternetHandle, std::string_view, std::string_view, std::string_view,
                               std::string_view, std::uint32_t) override {
        answer_ = cycle[static_cast<std::size_t>(requests++) % cycle.size()];
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
    auto host = std::make_unique<SoakProgram>();
    PlanInternet& internet = host->internet;
    internet.cycle = ReadPlan(argc > 1 ? argv[1] : "");
    if (internet.cycle.empty()) {
        std::printf("usage: korvane_heap_soak PLAN.tsv [refreshes]; no plan in '%s'\n",
                    argc > 1 ? argv[1] : "");
        return 2;
    }
    const long long cycleLength = static_cast<long long>(internet.cycle.size());
    const long long refreshes = argc > 2 ? std::atoll(argv[2]) : 100000;
    host->files.Put(kConfigFileName,
                    "CityId=101010100\r\nMaxTemperature=35\r\nMinTemperature=-5\r\nOpaque=0");
    host->Start();

    std::vector<long long> cycleEnds, cycleEndsMalloc;
    // The samples' own storage is taken before the first one.
    cycleEnds.reserve(static_cast<std::size_t>(refreshes / cycleLength + 2));
    cycleEndsMalloc.reserve(cycleEnds.capacity());
    long long peak = 0;
    while (internet.requests < refreshes) {
        // The tray menu opens and closes between refreshes twice in every cycle, and once in every
        // cycle a refresh comes while it is open (its walk waits for the menu to close).
        const long long phase = internet.requests % cycleLength;
        if (phase == cycleLength * 3 / 10 || phase == cycleLength * 7 / 10 ||
            phase == cycleLength / 2) {
            host->ui.WhileMenuOpen([&] {
                if (phase == cycleLength / 2) NextRefresh(*host);
            });
            host->dispatcher.Dispatch(ui::HandlerId::OnTrayEvent,
                                      ui::tray_action::RightUpOrMenuKey);
            host->ui.WhileMenuOpen(nullptr);
        }
        NextRefresh(*host);
        host->dwm.records.clear();
        host->ui.ForgetHistory();
        peak = std::max(peak, liveBytes.load());
        if (internet.requests % cycleLength == 0) {
            cycleEnds.push_back(liveBytes.load());
            cycleEndsMalloc.push_back(static_cast<long long>(mallinfo2().uordblks));
        }
    }
    if (cycleEnds.size() < 3) {
        std::printf("too few cycles of %lld refreshes to judge\n", cycleLength);
        return 1;
    }
    const auto [low, high] = std::minmax_element(cycleEnds.begin() + 1, cycleEnds.end());
    const auto [mallocLow, mallocHigh] =
        std::minmax_element(cycleEndsMalloc.begin() + 1, cycleEndsMalloc.end());
    std::printf("refreshes %lld, cycles of %lld: %zu\n", internet.requests, cycleLength,
                cycleEnds.size());
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
