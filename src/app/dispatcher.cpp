#include "app/dispatcher.h"

#include "app/lifecycle.h"
#include "app/refresh.h"
#include "app/timer_cycle.h"
#include "app/tray.h"

#include <span>

namespace korvane {
namespace {

using H = ui::HandlerId;

template <class Context> struct Binding {
    H handler;
    void (*run)(Context&);
};

// The handlers that take no argument and answer nothing, by what they work on.
constexpr Binding<Program> kProgramHandlers[] = {
    {H::OnMainWindowCreated, OnMainWindowCreated},
    {H::OnTimerTick, OnTimerTick},
    {H::OnPreviewSliderMoved, OnPreviewSliderMoved},
    {H::OpenConfigWindow, OpenConfigWindow},
    {H::ToggleEggMode, ToggleEggMode},
    {H::ExitProgram, ExitProgram},
    {H::ShowAuthorBox, ShowAuthorBox},
    {H::OnFetchDone, OnFetchDone},
};
constexpr Binding<ConfigWindowContext> kConfigWindowHandlers[] = {
    {H::OnConfigWindowCreated, OnConfigWindowCreated},
    {H::OnSaveClicked, OnSaveClicked},
    {H::OnCitySelected, OnCitySelected},
    {H::CompleteCityName, CompleteCityName},
};

template <class Context>
void RunBound(std::span<const Binding<Context>> bindings, H handler, Context& context) {
    for (const Binding<Context>& binding : bindings)
        if (binding.handler == handler) binding.run(context);
}

} // namespace

bool Dispatcher::Dispatch(ui::HandlerId handler, int argument) {
    Program& p = program_;
    ConfigWindowContext config = p.ConfigWindow();
    switch (handler) {
    case H::OnMainWindowClosing:
        return OnMainWindowClosing(p);
    case H::OnConfigWindowClosing:
        return OnConfigWindowClosing(config);
    case H::OnTrayEvent:
        OnTrayEvent(p, argument);
        return true;
    case H::OnCityComboKey:
        OnCityComboKey(config, argument);
        return true;
    default:
        RunBound<Program>(kProgramHandlers, handler, p);
        RunBound<ConfigWindowContext>(kConfigWindowHandlers, handler, config);
        return true;
    }
}

} // namespace korvane
