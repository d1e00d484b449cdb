#pragma once
// Work that runs off the window thread. The window system starts it on a thread of its own and
// raises the main window's job-done event on the window thread once Run has returned.
namespace korvane::platform {

class BackgroundJob {
  public:
    virtual ~BackgroundJob() = default;
    // Touches nothing that the window thread uses until the job-done event.
    virtual void Run() noexcept = 0;
};

} // namespace korvane::platform
