#pragma once
// Records every colorization record; composition on or off and the record in force (ordinal 127)
// as the test says.
#include "platform/dwm.h"

#include <functional>
#include <optional>
#include <vector>

namespace korvane::platform {

// The user's own colours, as a Windows 7 set to a custom colour reports them.
inline constexpr ColorizationParameters kUserColorization{0xC428A0D6, 0xC4A0D628, 31, 9, 47, 66, 0};

class FakeDwm final : public Dwm {
  public:
    bool IsCompositionEnabled() override {
        ++compositionQueries;
        return compositionEnabled;
    }
    void ApplyColorization(const ColorizationParameters& parameters) override {
        records.push_back(parameters);
        if (onApply) onApply(parameters);
    }
    // What the frames show: the user's colours until the program sets its own.
    std::optional<ColorizationParameters> ColorizationInForce() override {
        if (!inForce || records.empty()) return inForce;
        return records.back();
    }

    bool compositionEnabled = true;
    int compositionQueries = 0;
    std::vector<ColorizationParameters> records;
    std::function<void(const ColorizationParameters&)> onApply;
    std::optional<ColorizationParameters> inForce = kUserColorization; // none: no ordinal 127
};

} // namespace korvane::platform
