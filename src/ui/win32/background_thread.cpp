// Background jobs on threads of their own, their end posted to the main window.
#include "ui/win32/win32_window_system.h"
#include "ui/win32/window_constants.h"

namespace korvane::ui {
namespace {

// A job's thread needs little: the fetch keeps its buffers on the heap.
constexpr SIZE_T kJobStackBytes = 256 * 1024;

struct JobStart {
    platform::BackgroundJob* job;
    HWND window;
};

DWORD WINAPI RunJob(void* parameter) {
    const JobStart start = *static_cast<JobStart*>(parameter);
    delete static_cast<JobStart*>(parameter);
    start.job->Run();
    // The window may be gone when the program is ending: the post then fails, harmlessly.
    PostMessageW(start.window, win32::kJobDoneMessage, 0, 0);
    return 0;
}

} // namespace

bool Win32WindowSystem::StartBackgroundJob(platform::BackgroundJob& job) {
    const HWND main = Record(WindowId::Main).hwnd;
    if (!main) return false;
    auto* start = new JobStart{&job, main};
    // The thread is not waited for: ending the program ends it wherever it is.
    const HANDLE thread = CreateThread(nullptr, kJobStackBytes, &RunJob, start,
                                       STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    if (!thread) {
        delete start;
        return false;
    }
    CloseHandle(thread);
    return true;
}

} // namespace korvane::ui
