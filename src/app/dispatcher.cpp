#include "app/dispatcher.h"

#include "app/lifecycle.h"
#include "app/timer_cycle.h"
#include "app/tray.h"

namespace korvane {

bool Dispatcher::Dispatch(ui::HandlerId handler, int argument) {
    using H = ui::HandlerId;
    Program& p = program_;
    ConfigWindowContext config = p.ConfigWindow();
    switch (handler) {
    case H::None:
        break;
    case H::OnMainWindowCreated:
        OnMainWindowCreated(p);
        break;
    case H::OnMainWindowClosing:
        return OnMainWindowClosing(p);
    case H::OnTrayEvent:
        OnTrayEvent(p, argument);
        break;
    case H::OnTimerTick:
        OnTimerTick(p);
        break;
    case H::OnPreviewSliderMoved:
        OnPreviewSliderMoved(p);
        break;
    case H::OpenConfigWindow:
        OpenConfigWindow(p);
        break;
    case H::ToggleEggMode:
        ToggleEggMode(p);
        break;
    case H::ExitProgram:
        ExitProgram(p);
        break;
    case H::ShowAuthorBox:
        ShowAuthorBox(p);
        break;
    case H::OnConfigWindowCreated:
        OnConfigWindowCreated(config);
        break;
    case H::OnConfigWindowClosing:
        return OnConfigWindowClosing(config);
    case H::OnSaveClicked:
        OnSaveClicked(config);
        break;
    case H::OnCitySelected:
        OnCitySelected(config);
        break;
    case H::CompleteCityName:
        CompleteCityName(config);
        break;
    case H::OnCityComboKey:
        OnCityComboKey(config, argument);
        break;
    }
    return true;
}

} // namespace korvane
