// Turning window messages into the handlers the templates bind.
#include "ui/win32/win32_window_system.h"

#include "ui/win32/window_constants.h"

namespace korvane::ui {

// `answer` is what an unbound event (or a missing sink) answers; only can-close events use it.
bool Win32WindowSystem::Fire(std::span<const EventBinding> bindings, EventKind event, int argument,
                             bool answer) {
    if (!sink_) return answer;
    for (const EventBinding& binding : bindings)
        if (binding.event == event && binding.handler != HandlerId::None)
            return sink_->Dispatch(binding.handler, argument);
    return answer;
}

bool Win32WindowSystem::FireWindowEvent(WindowId window, EventKind event, int argument,
                                        bool answer) {
    return Fire(TemplateOf(window).events, event, argument, answer);
}

void Win32WindowSystem::FireUnitEvent(UnitId unit, EventKind event, int argument) {
    if (const UnitTemplate* pattern = FindUnit(TemplateOf(WindowOfUnit(unit)), unit))
        Fire(pattern->events, event, argument, true);
}

const UnitTemplate* Win32WindowSystem::UnitOfControl(int controlId) const {
    const int index = controlId - win32::kFirstUnitControlId;
    if (index < 0 || index >= static_cast<int>(kUnitCount)) return nullptr;
    const auto unit = static_cast<UnitId>(index);
    return FindUnit(TemplateOf(WindowOfUnit(unit)), unit);
}

} // namespace korvane::ui
