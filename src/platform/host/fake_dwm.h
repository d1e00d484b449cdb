#pragma once
// Records every colorization record; composition on or off as the test says.
#include "platform/dwm.h"

#include <functional>
#include <vector>

namespace korvane::platform {

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

    bool compositionEnabled = true;
    int compositionQueries = 0;
    std::vector<ColorizationParameters> records;
    std::function<void(const ColorizationParameters&)> onApply;
};

} // namespace korvane::platform
