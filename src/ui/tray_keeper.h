#pragma once
// The tray icon as the program wants it (shown or not, with its tip), kept apart from what the
// shell has. At log-on the notification area may not exist yet and refuses the add: the icon is
// added again on the next ticks until the shell takes it, and whenever a (re)started shell
// announces itself while the icon is wanted.
#include "ui/tray_tip.h"

#include <string>
#include <string_view>

namespace korvane::ui {

// The shell's side: each call answers whether the shell took it.
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
        // A failed modify means the shell lost the icon unseen: add it afresh.
        if (shown_ && shell_.ModifyTrayIcon(tip_)) return;
        shown_ = shell_.AddTrayIcon(tip_);
    }
    void Remove() {
        wanted_ = false;
        if (!shown_) return;
        shell_.DeleteTrayIcon();
        shown_ = false;
    }
    // A new shell knows nothing of the icon.
    void OnShellRestarted() {
        shown_ = false;
        Retry();
    }
    // On every tick: an icon the shell has not taken yet is offered again.
    void Retry() {
        if (wanted_ && !shown_) shown_ = shell_.AddTrayIcon(tip_);
    }

    bool wanted() const { return wanted_; }
    bool shown() const { return shown_; }
    const std::string& tip() const { return tip_; }

  private:
    TrayShell& shell_;
    bool wanted_ = false;
    bool shown_ = false; // the shell has the icon
    std::string tip_;    // as shown: cut to 62 bytes
};

} // namespace korvane::ui
