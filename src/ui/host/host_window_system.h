#pragma once
// The window system of the Linux tests: an in-memory model of the two windows and their units,
// a virtual tick count, recorded tray icons and message boxes with scripted answers, and events
// that a test injects at once or queues to run "during" a wait.
#include "platform/clock.h"
#include "ui/templates.h"
#include "ui/tray_keeper.h"
#include "ui/window_system.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace korvane::ui {

// Thrown by EndProcess so that a test sees the exit code where the real program would stop.
struct ProcessEnded {
    int exitCode;
};

struct MessageBoxRecord {
    std::string text;
    std::string caption;
    unsigned style;
    std::u16string path; // the file a box names, for the "%s" in its text
};

// Keys the keyboard tests press, as IsDialogMessageW handles them.
enum class Key : std::uint8_t { Tab, ShiftTab, Enter, Escape };

struct TrayRecord {
    bool shown;
    std::string tip; // as shown: cut to 62 bytes
};

class HostWindowSystem final : public WindowSystem, public platform::Clock, private TrayShell {
  public:
    HostWindowSystem();

    // --- WindowSystem ---
    void SetEventSink(EventSink* sink) override { sink_ = sink; }
    void LoadWindow(WindowId window) override;
    bool IsLoaded(WindowId window) override { return state(window).loaded; }
    void DestroyWindow(WindowId window) override;
    bool IsVisible(WindowId window) override { return state(window).visible; }
    void SetVisible(WindowId window, bool visible) override;
    void SetBackgroundColour(WindowId window, std::uint32_t colourValue) override;
    void SetWindowIcon(WindowId window, IconId icon) override;
    int TimerPeriod() override { return timerPeriod_; }
    void SetTimerPeriod(int milliseconds) override;
    int SliderPosition() override { return sliderPosition_; }
    std::string UnitText(UnitId unit) override;
    void SetUnitText(UnitId unit, std::string_view text) override;
    bool IsChecked(UnitId unit) override { return checked_[unit]; }
    void SetChecked(UnitId unit, bool checked) override { checked_[unit] = checked; }
    int ComboCount() override { return static_cast<int>(comboItems_.size()); }
    void ComboAddItem(std::string_view text) override { comboItems_.emplace_back(text); }
    int ComboSelection() override { return comboSelection_; }
    void SetComboSelection(int index) override;
    void SetComboEditSelection(int start, int length) override;
    void SetTrayIcon(std::string_view tip) override;
    void RemoveTrayIcon() override;
    void PopupTrayMenu() override;
    bool MenuOpen() override { return menuOpen_; }
    int ShowMessageBox(std::string_view text, std::string_view caption, unsigned style) override;
    int ShowFileMessageBox(std::string_view text, std::u16string_view path,
                           std::string_view caption, unsigned style) override;
    int RunEventLoop() override;
    void ProcessPendingMessages() override;
    void WaitForInput(std::uint32_t milliseconds) override;
    std::uint32_t TickCount() override { return now_; }
    // The calendar follows the virtual tick count.
    std::uint64_t MillisecondsSince1970() override { return kCalendarAtTickZero + now_; }
    bool StartBackgroundJob(platform::BackgroundJob& job) override;
    bool ClaimSingleInstance() override { return singleInstance_; }
    [[noreturn]] void EndProcess(int exitCode) override;

    // --- Driving the double ---
    // Runs a handler bound in a template as if the user or the system raised the event.
    bool Raise(HandlerId handler, int argument = 0);
    // Queues an event to be delivered at virtual time `at` by the next processing of messages.
    void Post(std::uint32_t at, std::function<void()> event);
    // Moves virtual time forward, delivering timer ticks and queued events on the way.
    void Advance(std::uint32_t milliseconds);
    void SetTickCount(std::uint32_t now) { now_ = now; }
    void SetSliderPosition(int position) { sliderPosition_ = position; }
    // The user picks a city from the list (reported as a user selection).
    void UserSelectsItem(int index);
    // The user types: the edit text becomes `text` and the completion event runs after the key.
    void UserTypes(std::string_view text, int keyCode);
    // A key for the window that holds the focus: Tab and Shift+Tab move the focus along its tab
    // order (round), Enter clicks its default button, Esc asks it to close.
    void UserPresses(Key key);
    // Answers for the coming message boxes, in order (box::Ok when none is queued), and an action
    // run while a box is open (timers keep ticking then).
    void AnswerNextBoxes(std::vector<int> answers);
    void WhileBoxOpen(std::function<void(const MessageBoxRecord&)> action);
    void ChooseMenuEntry(HandlerId entry) { menuChoice_ = entry; }
    // An action run while the menu is open, before the choice (timers keep ticking then).
    void WhileMenuOpen(std::function<void()> action) { whileMenuOpen_ = std::move(action); }
    void SetSingleInstance(bool only) { singleInstance_ = only; }
    // Explorer restarted: its new tray has no icon until the program adds one ("TaskbarCreated").
    void ExplorerRestarted();
    // The shell refuses the next `count` adds, as before the notification area exists at log-on;
    // with `takeEffect`, each is reported failed but shows the icon (a time-out while it is busy).
    void RefuseTrayAdds(int count, bool takeEffect = false) {
        refusedTrayAdds_ = count;
        refusalsTakeEffect_ = takeEffect;
    }
    // The shell drops the icon without announcing it.
    void LoseTrayIconUnseen() { trayShown_ = false; }
    // Windows ends the log-on session (WM_ENDSESSION).
    void EndLogOnSession();
    // Background jobs run at once, their job-done event straight after; held, a job waits until
    // FinishHeldJob, as one whose network has stalled.
    void HoldBackgroundJobs(bool hold) { holdJobs_ = hold; }
    bool JobHeld() const { return heldJob_ != nullptr; }
    void FinishHeldJob();
    int backgroundJobsStarted() const { return jobsStarted_; }

    // Drops the recorded tray icons, message boxes and timer writes (their storage is kept), so
    // that a long run's heap holds only what the program keeps.
    void ForgetHistory() {
        trayHistory_.clear();
        boxes_.clear();
        timerWrites_.clear();
    }

    // --- Observations ---
    const std::vector<MessageBoxRecord>& boxes() const { return boxes_; }
    const std::vector<TrayRecord>& trayHistory() const { return trayHistory_; }
    // What the shell shows; the history records every icon it took or dropped.
    bool trayShown() const { return trayShown_; }
    const std::string& trayTip() const { return trayTip_; }
    int trayAddsRefused() const { return trayAddsRefused_; }
    std::optional<std::uint32_t> backgroundColour(WindowId window) {
        return state(window).background;
    }
    std::optional<IconId> windowIcon(WindowId window) { return state(window).icon; }
    int createdCount(WindowId window) { return state(window).createdCount; }
    int broughtForwardCount(WindowId window) { return state(window).broughtForward; }
    std::string ComboItemText(int index) const;
    std::optional<UnitId> focus() const { return focus_; }
    int comboEditSelectionStart() const { return editSelectionStart_; }
    int comboEditSelectionLength() const { return editSelectionLength_; }
    int menuPopups() const { return menuPopups_; }
    int processCalls() const { return processCalls_; }
    int waitCalls() const { return waitCalls_; }
    const std::vector<int>& timerPeriodWrites() const { return timerWrites_; }
    int timerTicks() const { return timerTicks_; }

  private:
    struct WindowState {
        bool loaded = false;
        bool visible = false;
        int createdCount = 0;
        int broughtForward = 0;
        std::optional<std::uint32_t> background;
        std::optional<IconId> icon;
    };
    struct QueuedEvent {
        std::uint32_t at;
        std::uint64_t order;
        std::function<void()> event;
    };

    WindowState& state(WindowId window) { return windows_[window == WindowId::Main ? 0 : 1]; }
    bool Due(std::uint32_t at) const { return platform::TickReached(now_, at); }
    std::optional<std::uint32_t> NextDueTime() const;
    bool DeliverOneDue();
    void ResetUnits(WindowId window);
    bool RaiseBound(std::span<const EventBinding> bindings, EventKind event, int argument = 0);
    void RaiseUnitEvent(UnitId unit, EventKind event, int argument = 0);
    bool AddTrayIcon(std::string_view tip) override;
    bool ModifyTrayIcon(std::string_view tip) override;
    void DeleteTrayIcon() override;

    EventSink* sink_ = nullptr;
    WindowState windows_[2];
    std::uint32_t now_ = 100000;
    int timerPeriod_ = 0;
    std::optional<std::uint32_t> nextTick_;
    int timerTicks_ = 0;
    std::vector<int> timerWrites_;
    int sliderPosition_ = 1;
    std::map<UnitId, std::string> texts_;
    std::map<UnitId, bool> checked_;
    std::vector<std::string> comboItems_;
    int comboSelection_ = -1;
    std::optional<UnitId> focus_;
    int editSelectionStart_ = 0;
    int editSelectionLength_ = 0;
    bool trayShown_ = false;
    std::string trayTip_;
    std::vector<TrayRecord> trayHistory_;
    int refusedTrayAdds_ = 0;
    bool refusalsTakeEffect_ = false;
    int trayAddsRefused_ = 0;
    TrayKeeper tray_{*this};
    std::vector<MessageBoxRecord> boxes_;
    std::deque<int> answers_;
    std::function<void(const MessageBoxRecord&)> whileBoxOpen_;
    std::optional<HandlerId> menuChoice_;
    std::function<void()> whileMenuOpen_;
    bool menuOpen_ = false;
    int menuPopups_ = 0;
    std::vector<QueuedEvent> queue_;
    std::uint64_t nextOrder_ = 0;
    int processCalls_ = 0;
    int waitCalls_ = 0;
    bool singleInstance_ = true;
    bool quit_ = false;
    bool holdJobs_ = false;
    platform::BackgroundJob* heldJob_ = nullptr;
    int jobsStarted_ = 0;
    static constexpr std::uint64_t kCalendarAtTickZero = 1'765'000'000'000; // December 2025
};

} // namespace korvane::ui
