#pragma once
// The window-system operations the program needs, behind one interface. The real one builds
// Win32 windows from the templates; the host double models them in memory for the tests.
#include "platform/background_job.h"
#include "ui/ids.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace korvane::ui {

// Receives the events that the templates bind. `argument` is the tray action or the key code;
// the answer matters only for can-close events (false refuses the close).
class EventSink {
  public:
    virtual ~EventSink() = default;
    virtual bool Dispatch(HandlerId handler, int argument) = 0;
};

enum class IconId : std::uint8_t { MainWindow, Tray };

class WindowSystem {
  public:
    virtual ~WindowSystem() = default;

    virtual void SetEventSink(EventSink* sink) = 0;

    // Windows. Loading creates the window from its template (its created event runs then) or,
    // when it exists, only brings it forward. Windows are created hidden.
    virtual void LoadWindow(WindowId window) = 0;
    virtual bool IsLoaded(WindowId window) = 0;
    virtual void DestroyWindow(WindowId window) = 0;
    virtual bool IsVisible(WindowId window) = 0;
    virtual void SetVisible(WindowId window, bool visible) = 0;
    virtual void SetBackgroundColour(WindowId window, std::uint32_t colourValue) = 0;
    virtual void SetWindowIcon(WindowId window, IconId icon) = 0;

    // The timer 时钟1; writing follows the period rules of ApplyTimerPeriod (timer_period.h).
    virtual int TimerPeriod() = 0;
    virtual void SetTimerPeriod(int milliseconds) = 0;

    // Unit properties.
    virtual int SliderPosition() = 0;
    virtual std::string UnitText(UnitId unit) = 0; // edit box content, combo box edit text
    virtual void SetUnitText(UnitId unit, std::string_view text) = 0;
    virtual bool IsChecked(UnitId unit) = 0;
    virtual void SetChecked(UnitId unit, bool checked) = 0;

    // The combo box 组合框1. Which city a text names is the configuration's rule (config/).
    virtual int ComboCount() = 0;
    virtual void ComboAddItem(std::string_view text) = 0;
    virtual int ComboSelection() = 0; // -1 when nothing is selected
    // Selects the item and shows its text in the edit field; not reported as a user selection.
    virtual void SetComboSelection(int index) = 0;
    virtual void SetComboEditSelection(int start, int length) = 0; // in bytes

    // The main window's tray icon: only the first 62 bytes of the tip are shown (TrayTipText).
    virtual void SetTrayIcon(std::string_view tip) = 0;
    virtual void RemoveTrayIcon() = 0;
    // Pops up 托盘菜单 at the cursor; the chosen entry's handler runs through the event sink.
    virtual void PopupTrayMenu() = 0;
    // The menu's own message loop is running: events it dispatches must not wait for long.
    virtual bool MenuOpen() = 0;

    // A modal message box owned by no window; answers the button pressed (box::Ok, Yes, No).
    virtual int ShowMessageBox(std::string_view text, std::string_view caption, unsigned style) = 0;
    // The same naming a file: the first "%s" of the text stands for the path, which is UTF-16 and
    // reaches the box as it is (a folder may be named in any language).
    virtual int ShowFileMessageBox(std::string_view text, std::u16string_view path,
                                   std::string_view caption, unsigned style) = 0;

    // Events. Pending-message processing stops before a quit message and leaves it queued.
    virtual int RunEventLoop() = 0;
    virtual void ProcessPendingMessages() = 0;
    // Blocks until input arrives for the thread or the time has passed; never spins.
    virtual void WaitForInput(std::uint32_t milliseconds) = 0;
    virtual std::uint32_t TickCount() = 0;
    // Runs the job on a thread of its own; the main window's job-done event follows on this
    // thread once Run has returned. False when no thread could be started: nothing runs then.
    virtual bool StartBackgroundJob(platform::BackgroundJob& job) = 0;

    // Single instance: true when this is the only Korvane of the log-on session; otherwise asks
    // the running one to open its configuration window and answers false.
    virtual bool ClaimSingleInstance() = 0;

    [[noreturn]] virtual void EndProcess(int exitCode) = 0;
};

} // namespace korvane::ui
