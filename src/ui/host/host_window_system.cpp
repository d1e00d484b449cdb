#include "ui/host/host_window_system.h"

#include "ui/timer_period.h"
#include "ui/tray_tip.h"

#include <algorithm>

namespace korvane::ui {

HostWindowSystem::HostWindowSystem() = default;

void HostWindowSystem::ResetUnits(WindowId window) {
    for (const UnitTemplate& unit : TemplateOf(window).units) {
        if (unit.kind == UnitKind::EditBox || unit.kind == UnitKind::ComboBox)
            texts_[unit.id] = std::string(unit.caption);
        if (unit.kind == UnitKind::CheckBox) checked_[unit.id] = false;
        if (unit.kind == UnitKind::Slider) sliderPosition_ = unit.position;
    }
    if (window == WindowId::Config) {
        comboItems_.clear();
        comboSelection_ = -1;
    }
}

void HostWindowSystem::LoadWindow(WindowId window) {
    WindowState& s = state(window);
    if (s.loaded) {
        ++s.broughtForward;
        return;
    }
    s.loaded = true;
    s.visible = TemplateOf(window).visibleWhenLoaded;
    ++s.createdCount;
    ResetUnits(window);
    RaiseBound(TemplateOf(window).events, EventKind::Created);
}

void HostWindowSystem::DestroyWindow(WindowId window) {
    WindowState& s = state(window);
    s.loaded = false;
    s.visible = false;
    if (window == WindowId::Main) {
        timerPeriod_ = 0;
        nextTick_.reset();
        quit_ = true;
    }
}

void HostWindowSystem::SetVisible(WindowId window, bool visible) {
    WindowState& s = state(window);
    if (!s.loaded) return;
    // Shown from hidden, a window starts at its first field; hidden, it takes its focus along.
    const std::span<const UnitId> order = TemplateOf(window).tabOrder;
    if (visible && !s.visible && !order.empty()) focus_ = order.front();
    if (!visible && focus_ && WindowOfUnit(*focus_) == window) focus_.reset();
    s.visible = visible;
}

void HostWindowSystem::SetBackgroundColour(WindowId window, std::uint32_t colourValue) {
    state(window).background = colourValue;
}

void HostWindowSystem::SetWindowIcon(WindowId window, IconId icon) {
    state(window).icon = icon;
}

void HostWindowSystem::SetTimerPeriod(int milliseconds) {
    timerWrites_.push_back(milliseconds);
    const TimerChange change = ApplyTimerPeriod(timerPeriod_, milliseconds);
    if (!change.restart) return;
    timerPeriod_ = change.period;
    nextTick_.reset();
    if (timerPeriod_ > 0) nextTick_ = now_ + static_cast<std::uint32_t>(timerPeriod_);
}

std::string HostWindowSystem::UnitText(UnitId unit) {
    return texts_[unit];
}

// Like SetWindowText: the edit boxes' limit of three characters (EM_LIMITTEXT) holds for typing
// only, a text the program sets is shown whole.
void HostWindowSystem::SetUnitText(UnitId unit, std::string_view text) {
    texts_[unit] = std::string(text);
}

std::string HostWindowSystem::ComboItemText(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= comboItems_.size()) return {};
    return comboItems_[static_cast<std::size_t>(index)];
}

void HostWindowSystem::SetComboSelection(int index) {
    if (index < 0 || index >= ComboCount()) {
        comboSelection_ = -1;
        return;
    }
    comboSelection_ = index;
    texts_[UnitId::Combo1] = comboItems_[static_cast<std::size_t>(index)];
}

void HostWindowSystem::SetComboEditSelection(int start, int length) {
    editSelectionStart_ = start;
    editSelectionLength_ = length;
}

void HostWindowSystem::SetTrayIcon(std::string_view tip) {
    tray_.Set(tip, now_);
}

void HostWindowSystem::RemoveTrayIcon() {
    tray_.Remove();
}

bool HostWindowSystem::AddTrayIcon(std::string_view tip) {
    // The shell refuses an icon of an identifier it already has, as NIM_ADD does.
    if (trayShown_) return false;
    const bool refused = refusedTrayAdds_ > 0;
    if (refused) {
        --refusedTrayAdds_;
        ++trayAddsRefused_;
        if (!refusalsTakeEffect_) return false;
    }
    trayShown_ = true;
    trayTip_ = std::string(tip);
    trayHistory_.push_back({true, trayTip_});
    return !refused;
}

bool HostWindowSystem::ModifyTrayIcon(std::string_view tip) {
    if (!trayShown_) return false;
    trayTip_ = std::string(tip);
    trayHistory_.push_back({true, trayTip_});
    return true;
}

void HostWindowSystem::DeleteTrayIcon() {
    if (!trayShown_) return;
    trayShown_ = false;
    trayHistory_.push_back({false, trayTip_});
}

void HostWindowSystem::ExplorerRestarted() {
    trayShown_ = false;
    tray_.OnShellRestarted(now_);
}

void HostWindowSystem::EndLogOnSession() {
    RaiseBound(TemplateOf(WindowId::Main).events, EventKind::SessionEnding);
}

bool HostWindowSystem::StartBackgroundJob(platform::BackgroundJob& job) {
    ++jobsStarted_;
    heldJob_ = &job;
    if (!holdJobs_) FinishHeldJob();
    return true;
}

void HostWindowSystem::FinishHeldJob() {
    platform::BackgroundJob* job = heldJob_;
    if (!job) return;
    heldJob_ = nullptr;
    job->Run();
    RaiseBound(TemplateOf(WindowId::Main).events, EventKind::JobDone);
}

void HostWindowSystem::PopupTrayMenu() {
    ++menuPopups_;
    if (whileMenuOpen_) {
        const bool wasOpen = menuOpen_;
        menuOpen_ = true;
        whileMenuOpen_();
        menuOpen_ = wasOpen;
    }
    const std::optional<HandlerId> choice = menuChoice_;
    menuChoice_.reset();
    if (choice) Raise(*choice);
}

int HostWindowSystem::ShowMessageBox(std::string_view text, std::string_view caption,
                                     unsigned style) {
    return ShowFileMessageBox(text, {}, caption, style);
}

int HostWindowSystem::ShowFileMessageBox(std::string_view text, std::u16string_view path,
                                         std::string_view caption, unsigned style) {
    boxes_.push_back({std::string(text), std::string(caption), style, std::u16string(path)});
    const MessageBoxRecord record = boxes_.back();
    if (whileBoxOpen_) whileBoxOpen_(record);
    if (answers_.empty()) return box::Ok;
    const int answer = answers_.front();
    answers_.pop_front();
    return answer;
}

void HostWindowSystem::AnswerNextBoxes(std::vector<int> answers) {
    answers_.assign(answers.begin(), answers.end());
}

void HostWindowSystem::WhileBoxOpen(std::function<void(const MessageBoxRecord&)> action) {
    whileBoxOpen_ = std::move(action);
}

bool HostWindowSystem::Raise(HandlerId handler, int argument) {
    if (!sink_ || handler == HandlerId::None) return true;
    return sink_->Dispatch(handler, argument);
}

// Like the real window system, the first binding of the event answers; unbound events agree.
bool HostWindowSystem::RaiseBound(std::span<const EventBinding> bindings, EventKind event,
                                  int argument) {
    for (const EventBinding& binding : bindings)
        if (binding.event == event) return Raise(binding.handler, argument);
    return true;
}

void HostWindowSystem::RaiseUnitEvent(UnitId unit, EventKind event, int argument) {
    if (const UnitTemplate* pattern = FindUnit(TemplateOf(WindowOfUnit(unit)), unit))
        RaiseBound(pattern->events, event, argument);
}

void HostWindowSystem::Post(std::uint32_t at, std::function<void()> event) {
    queue_.push_back({at, nextOrder_++, std::move(event)});
}

std::optional<std::uint32_t> HostWindowSystem::NextDueTime() const {
    std::optional<std::uint32_t> next = nextTick_;
    for (const QueuedEvent& queued : queue_)
        if (!next || !platform::TickReached(queued.at, *next)) next = queued.at;
    return next;
}

// Delivers the earliest due queued event, or one timer tick; false when nothing is due.
bool HostWindowSystem::DeliverOneDue() {
    auto earliest = queue_.end();
    for (auto it = queue_.begin(); it != queue_.end(); ++it) {
        if (!Due(it->at)) continue;
        if (earliest == queue_.end() || it->order < earliest->order) earliest = it;
    }
    if (earliest != queue_.end()) {
        std::function<void()> event = std::move(earliest->event);
        queue_.erase(earliest);
        event();
        return true;
    }
    if (nextTick_ && Due(*nextTick_) && timerPeriod_ > 0) {
        // A timer message is generated once per due period, like WM_TIMER.
        nextTick_ = now_ + static_cast<std::uint32_t>(timerPeriod_);
        ++timerTicks_;
        tray_.Retry(now_);
        RaiseUnitEvent(UnitId::Timer1, EventKind::Tick);
        return true;
    }
    return false;
}

void HostWindowSystem::ProcessPendingMessages() {
    ++processCalls_;
    // Stop before a quit: it stays queued for the event loop.
    for (int guard = 0; guard < 100000 && !quit_; ++guard)
        if (!DeliverOneDue()) break;
}

void HostWindowSystem::WaitForInput(std::uint32_t milliseconds) {
    ++waitCalls_;
    const std::uint32_t limit = now_ + milliseconds;
    const std::optional<std::uint32_t> next = NextDueTime();
    if (next && platform::TickReached(*next, now_) && !platform::TickReached(*next, limit))
        now_ = *next;
    else
        now_ = limit;
}

void HostWindowSystem::Advance(std::uint32_t milliseconds) {
    const std::uint32_t end = now_ + milliseconds;
    for (int guard = 0; guard < 1000000 && !quit_; ++guard) {
        ProcessPendingMessages();
        const std::optional<std::uint32_t> next = NextDueTime();
        if (!next || platform::TickPassed(*next, end)) break;
        if (platform::TickPassed(*next, now_)) now_ = *next;
    }
    if (platform::TickPassed(end, now_)) now_ = end;
}

int HostWindowSystem::RunEventLoop() {
    // The tests drive time themselves; the loop ends at once unless the program has quit.
    return 0;
}

void HostWindowSystem::UserSelectsItem(int index) {
    SetComboSelection(index);
    RaiseUnitEvent(UnitId::Combo1, EventKind::ListSelectionChanged);
}

void HostWindowSystem::UserTypes(std::string_view text, int keyCode) {
    RaiseUnitEvent(UnitId::Combo1, EventKind::KeyPressed, keyCode);
    texts_[UnitId::Combo1] = std::string(text);
    // An edit with the list closed clears the list selection before the notification, as a real
    // combo box does (CB_GETCURSEL gives -1 from then on).
    comboSelection_ = -1;
    RaiseUnitEvent(UnitId::Combo1, EventKind::EditTextChanged);
}

void HostWindowSystem::UserPresses(Key key) {
    if (!focus_) return;
    const WindowTemplate& window = TemplateOf(WindowOfUnit(*focus_));
    const std::span<const UnitId> order = window.tabOrder;
    const auto at = static_cast<std::size_t>(std::ranges::find(order, *focus_) - order.begin());
    switch (key) {
    case Key::Tab:
        focus_ = order[(at + 1) % order.size()];
        break;
    case Key::ShiftTab:
        focus_ = order[(at + order.size() - 1) % order.size()];
        break;
    case Key::Enter:
        if (window.defaultButton) RaiseUnitEvent(*window.defaultButton, EventKind::Clicked);
        break;
    case Key::Escape:
        if (RaiseBound(window.events, EventKind::CanClose)) DestroyWindow(window.id);
        break;
    }
}

void HostWindowSystem::EndProcess(int exitCode) {
    throw ProcessEnded{exitCode};
}

} // namespace korvane::ui
