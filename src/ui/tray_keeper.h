#pragma once
// The tray icon as the program wants it (shown or not, with its tip), kept apart from what the
// shell has. At log-on the notification area may not exist yet and refuses the add: the icon is
// offered again on the next ticks until the shell takes it, and whenever a (re)started shell
// announces itself while the icon is wanted. A refusal is no proof of absence: an add that timed
// out while the shell was busy may still have taken effect, so what the shell has is then unknown.
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
    explicit TrayKeeper(TrayShell& shell) : shell_(shell) {}

    void Set(std::string_view tip) {
        wanted_ = true;
        tip_ = TrayTipText(tip);
        Offer();
    }
    void Remove() {
        // An icon whose add was reported failed may be shown all the same.
        if (wanted_ || has_ != ShellHas::No) shell_.DeleteTrayIcon();
        wanted_ = false;
        has_ = ShellHas::No;
    }
    // A new shell knows nothing of the icon.
    void OnShellRestarted() {
        has_ = ShellHas::No;
        Retry();
    }
    // On every tick: an icon the shell is not known to have is offered again.
    void Retry() {
        if (wanted_ && has_ != ShellHas::Yes) Offer();
    }

    bool wanted() const { return wanted_; }
    bool shown() const { return has_ == ShellHas::Yes; }
    const std::string& tip() const { return tip_; }

  private:
    enum class ShellHas : std::uint8_t { No, Yes, Unknown };

    // A modify fails when the shell has no such icon, for instance one it dropped without a word:
    // it is added afresh. An add fails when the shell has the icon already, which is then brought
    // up to date by a modify; when both fail, the shell has it or not.
    void Offer() {
        if (has_ == ShellHas::Yes && shell_.ModifyTrayIcon(tip_)) return;
        const bool taken = shell_.AddTrayIcon(tip_) || shell_.ModifyTrayIcon(tip_);
        has_ = taken ? ShellHas::Yes : ShellHas::Unknown;
    }

    TrayShell& shell_;
    bool wanted_ = false;
    ShellHas has_ = ShellHas::No;
    std::string tip_; // as shown: cut to 62 bytes
};

} // namespace korvane::ui
