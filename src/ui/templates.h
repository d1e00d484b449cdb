#pragma once
// The two window templates as data: windows, units in template order, geometry, properties and
// event bindings. Both window-system implementations build their windows from these tables.
#include "ui/ids.h"

#include <optional>
#include <span>
#include <string_view>

namespace korvane::ui {

struct EventBinding {
    EventKind event;
    HandlerId handler;
};

struct MenuEntryTemplate {
    std::string_view caption; // GBK
    HandlerId handler;
};

struct UnitTemplate {
    UnitKind kind;
    UnitId id;
    std::string_view name; // the unit's own name, GBK
    int left, top, width, height;
    bool visible;
    std::string_view caption; // caption or initial content, GBK
    std::span<const EventBinding> events;
    // Kind-specific properties.
    int limitText = 0;              // edit boxes: at most this many characters (0 = no limit)
    int rangeMin = 0, rangeMax = 0; // slider
    int position = 0;               // slider
    int dropDownHeight = 0;         // combo box
};

struct WindowTemplate {
    WindowId id;
    std::string_view caption;     // GBK
    int left, top, width, height; // outer rectangle; the window is centred when created
    bool visibleWhenLoaded;
    bool
        hasOwnIcon; // the main window carries its own icon; the configuration window gets one later
    std::span<const EventBinding> events;
    std::span<const UnitTemplate> units;
    std::span<const MenuEntryTemplate> menu; // entries of the window's pop-up menu, if any
    // The keyboard, as in a dialog: Tab walks these units in this order, the first one has the
    // focus whenever the window is shown from hidden, and Enter clicks the default button.
    std::span<const UnitId> tabOrder = {};
    std::optional<UnitId> defaultButton = {};
};

const WindowTemplate& TemplateOf(WindowId id);
const UnitTemplate* FindUnit(const WindowTemplate& window, UnitId id);
WindowId WindowOfUnit(UnitId id);

// Centring rule: (screen size - window size) / 2, integer division.
inline constexpr int CentredOrigin(int screen, int window) {
    return (screen - window) / 2;
}

} // namespace korvane::ui
