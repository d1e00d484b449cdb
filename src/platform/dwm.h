#pragma once
// The desktop window manager: composition state and the colorization record (ordinal 131 sets
// it, ordinal 127 reads the one in force).
#include <cstddef>
#include <cstdint>
#include <optional>

namespace korvane::platform {

struct ColorizationParameters {
    std::uint32_t Colour = 0;          // 0xAARRGGBB as the window manager reads it
    std::uint32_t AfterglowColour = 0; // always a copy of Colour
    std::int32_t ColourBalance = 0;
    std::int32_t AfterglowBalance = 0;
    std::int32_t BlurBalance = 0;
    std::int32_t GlassReflectionIntensity = 0;
    std::int32_t OpaqueBlend = 0; // 1 opaque frames, 0 glass

    bool operator==(const ColorizationParameters&) const = default;
};
static_assert(sizeof(ColorizationParameters) == 28);
static_assert(offsetof(ColorizationParameters, Colour) == 0);
static_assert(offsetof(ColorizationParameters, AfterglowColour) == 4);
static_assert(offsetof(ColorizationParameters, ColourBalance) == 8);
static_assert(offsetof(ColorizationParameters, AfterglowBalance) == 12);
static_assert(offsetof(ColorizationParameters, BlurBalance) == 16);
static_assert(offsetof(ColorizationParameters, GlassReflectionIntensity) == 20);
static_assert(offsetof(ColorizationParameters, OpaqueBlend) == 24);

class Dwm {
  public:
    virtual ~Dwm() = default;
    // DwmIsCompositionEnabled into a flag that starts at 0; the status code is not looked at.
    virtual bool IsCompositionEnabled() = 0;
    // Ordinal 131 with the record's address and 0; the result is not looked at.
    virtual void ApplyColorization(const ColorizationParameters& parameters) = 0;
    // Ordinal 127: the record in force; none where the entry is missing or the call fails.
    virtual std::optional<ColorizationParameters> ColorizationInForce() = 0;
};

} // namespace korvane::platform
