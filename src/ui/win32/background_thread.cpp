// Background jobs on the window system's one worker thread, their end posted to the main window.
// One thread for the whole run rather than one per job: starting and ending a thread every few
// seconds costs more than the fetch it would run (every loaded library hears of each thread).
#include "ui/win32/win32_window_system.h"
#include "ui/win32/window_constants.h"

namespace korvane::ui {
namespace {

// A job needs little stack: the fetch keeps its buffers on the heap.
constexpr SIZE_T kJobStackBytes = 256 * 1024;

} // namespace

DWORD WINAPI Win32WindowSystem::ServeJobs(void* parameter) {
    auto& worker = *static_cast<JobWorker*>(parameter);
    while (WaitForSingleObject(worker.wake, INFINITE) == WAIT_OBJECT_0) {
        platform::BackgroundJob* job = worker.job.exchange(nullptr, std::memory_order_acquire);
        if (!job) continue;
        job->Run();
        // The window may be gone when the program is ending: the post then fails, harmlessly.
        PostMessageW(worker.window, win32::kJobDoneMessage, 0, 0);
    }
    return 0;
}

// The program hands over a job only once the one before has ended (its job-done event), so the
// worker is idle here; it is never waited for, and ending the program ends it wherever it is.
bool Win32WindowSystem::StartBackgroundJob(platform::BackgroundJob& job) {
    if (!jobWorker_.wake) {
        const HWND main = Record(WindowId::Main).hwnd;
        if (!main) return false;
        jobWorker_.window = main;
        jobWorker_.wake = CreateEventW(nullptr, FALSE, FALSE, nullptr);
        if (!jobWorker_.wake) return false;
        const HANDLE thread = CreateThread(nullptr, kJobStackBytes, &ServeJobs, &jobWorker_,
                                           STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
        if (!thread) {
            CloseHandle(jobWorker_.wake);
            jobWorker_.wake = nullptr;
            return false;
        }
        CloseHandle(thread);
    }
    jobWorker_.job.store(&job, std::memory_order_release);
    return SetEvent(jobWorker_.wake) != FALSE;
}

} // namespace korvane::ui
