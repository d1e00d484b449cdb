#pragma once
// The tray icon as the program wants it (shown or not, with its tip), kept apart from what the
// shell has. At log-on the notification area may not exist yet and refuses the add: the icon is
// offered again, at most once per refresh period (4 s) whatever the timer's pace, until the shell
// takes it, and at once whenever a (re)started shell announces itself while the icon is wanted.
// The pause matters: a hung shell holds the window thread for every call. A refusal is no proof
// of absence: an add that timed out while the shell was busy may still have taken effect, so what
// the shell has is then unknown.
#include "ui/tray_tip.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace korvane::ui {

// The shell's side: each call answers whether the shell reported success.
class TrayShell {
  public:
    virtual ~TrayShell() = default;
    virtual bool AddTrayIcon(std::string_view tip) = 0;
    virtual bool ModifyTrayIcon(std::string_view tip) = 0;
    virtual void DeleteTrayIcon() = 0;
};

class TrayKeeper {
  public:
    // The least time between two offers of an icon the shell refuses, in milliseconds.
    static constexpr std::uint32_t kOfferPause = 4000;

    explicit TrayKeeper(TrayShell& shell) : shell_(shell) {}

    // `now`: the tick count in milliseconds. An icon the shell has gets the new tip at once; one
    // it refused gets it with the next offer.
    void Set(std::string_view tip, std::uint32_t now) {
        wanted_ = true;
        tip_ = TrayTipText(tip);
        if (has_ == ShellHas::Yes || PauseOver(now)) Offer(now);
    }
    void Remove() {
        // An icon whose add was reported failed may be shown all the same.
        if (wanted_ || has_ != ShellHas::No) shell_.DeleteTrayIcon();
        wanted_ = false;
        has_ = ShellHas::No;
    }
    // A new shell knows nothing of the icon, and has refused nothing yet.
    void OnShellRestarted(std::uint32_t now) {
        has_ = ShellHas::No;
        refused_ = false;
        if (wanted_) Offer(now);
    }
    // On every tick: an icon the shell is not known to have is offered again once the pause since
    // its last refusal is over.
    void Retry(std::uint32_t now) {
        if (wanted_ && has_ != ShellHas::Yes && PauseOver(now)) Offer(now);
    }

    bool wanted() const { return wanted_; }
    bool shown() const { return has_ == ShellHas::Yes; }
    const std::string& tip() const { return tip_; }

  private:
    enum class ShellHas : std::uint8_t { No, Yes, Unknown };

    // A modify fails when the shell has no such icon, for instance one it dropped without a word:
    // it is added afresh. An add fails when the shell has the icon already, which is then brought
    // up to date by a modify; when both fail, the shell has it or not.
    void Offer(std::uint32_t now) {
        if (has_ == ShellHas::Yes && shell_.ModifyTrayIcon(tip_)) return;
        const bool taken = shell_.AddTrayIcon(tip_) || shell_.ModifyTrayIcon(tip_);
        has_ = taken ? ShellHas::Yes : ShellHas::Unknown;
        refused_ = !taken;
        refusedAt_ = now;
    }
    // Across the 49.7-day wrap of the 32-bit tick count.
    bool PauseOver(std::uint32_t now) const { return !refused_ || now - refusedAt_ >= kOfferPause; }

    TrayShell& shell_;
    bool wanted_ = false;
    ShellHas has_ = ShellHas::No;
    bool refused_ = false;        // the last offer was refused ...
    std::uint32_t refusedAt_ = 0; // ... at this tick count
    std::string tip_;             // as shown: cut to 62 bytes
};

} // namespace korvane::ui
