#pragma once
// The window system on plain Win32 controls: both windows are built from their templates with
// the ...W functions. The program's texts are GBK; they are converted to UTF-16 and back here,
// through code page 936 by name, so that they read right on a Windows in any language.
#include "ui/templates.h"
#include "ui/tray_keeper.h"
#include "ui/win32/handles.h"
#include "ui/window_system.h"

#include <windows.h>

#include <array>
#include <atomic>
#include <cstddef>
#include <span>
#include <string>

namespace korvane::ui {

class Win32WindowSystem : public WindowSystem, private TrayShell {
  public:
    explicit Win32WindowSystem(HINSTANCE instance);
    ~Win32WindowSystem() override;
    Win32WindowSystem(const Win32WindowSystem&) = delete;
    Win32WindowSystem& operator=(const Win32WindowSystem&) = delete;

    void SetEventSink(EventSink* sink) override;

    void LoadWindow(WindowId window) override;
    bool IsLoaded(WindowId window) override;
    void DestroyWindow(WindowId window) override;
    bool IsVisible(WindowId window) override;
    void SetVisible(WindowId window, bool visible) override;
    void SetBackgroundColour(WindowId window, std::uint32_t colourValue) override;
    void SetWindowIcon(WindowId window, IconId icon) override;

    int TimerPeriod() override;
    void SetTimerPeriod(int milliseconds) override;

    int SliderPosition() override;
    std::string UnitText(UnitId unit) override;
    void SetUnitText(UnitId unit, std::string_view text) override;
    bool IsChecked(UnitId unit) override;
    void SetChecked(UnitId unit, bool checked) override;

    int ComboCount() override;
    void ComboAddItem(std::string_view text) override;
    int ComboSelection() override;
    void SetComboSelection(int index) override;
    void SetComboEditSelection(int start, int length) override;

    void SetTrayIcon(std::string_view tip) override;
    void RemoveTrayIcon() override;
    void PopupTrayMenu() override;
    bool MenuOpen() override { return menuOpen_; }

    int ShowMessageBox(std::string_view text, std::string_view caption, unsigned style) override;
    int ShowFileMessageBox(std::string_view text, std::u16string_view path,
                           std::string_view caption, unsigned style) override;

    int RunEventLoop() override;
    void ProcessPendingMessages() override;
    void WaitForInput(std::uint32_t milliseconds) override;
    std::uint32_t TickCount() override;
    bool StartBackgroundJob(platform::BackgroundJob& job) override;

    bool ClaimSingleInstance() override;

    [[noreturn]] void EndProcess(int exitCode) override;

  private:
    // One per template; its address travels through lpCreateParams into GWLP_USERDATA.
    struct WindowRecord {
        Win32WindowSystem* owner = nullptr;
        WindowId id = WindowId::Main;
        HWND hwnd = nullptr;
        win32::UniqueBrush background;
        COLORREF backgroundColour = 0;
        win32::UniqueIcon bigIcon, smallIcon;
        HWND lastFocus = nullptr; // restored when the window is activated again
    };

    static constexpr std::size_t kUnitCount = static_cast<std::size_t>(UnitId::Label1) + 1;

    // window_class.cpp
    void RegisterWindowClasses();
    static LRESULT CALLBACK WindowThunk(HWND hwnd, UINT message, WPARAM wParam,
                                        LPARAM lParam) noexcept;
    LRESULT WindowProcedure(WindowRecord& window, UINT message, WPARAM wParam,
                            LPARAM lParam) noexcept;
    void OnCommand(WindowRecord& window, WPARAM wParam, LPARAM lParam);
    void OnCloseRequest(WindowRecord& window);
    void OnDestroyed(WindowRecord& window);

    // window_creation.cpp
    void CreateFromTemplate(const WindowTemplate& pattern);
    void CreateUnit(WindowRecord& window, const UnitTemplate& unit);
    void BuildPopupMenu(std::span<const MenuEntryTemplate> entries);
    void BringForward(HWND hwnd);
    WindowRecord& Record(WindowId window) { return windows_[static_cast<std::size_t>(window)]; }

    // events.cpp
    bool Fire(std::span<const EventBinding> bindings, EventKind event, int argument, bool answer);
    bool FireWindowEvent(WindowId window, EventKind event, int argument, bool answer);
    void FireUnitEvent(UnitId unit, EventKind event, int argument);
    HWND UnitWindow(UnitId unit) const { return units_[static_cast<std::size_t>(unit)]; }
    const UnitTemplate* UnitOfControl(int controlId) const;

    // combo_box.cpp
    void SubclassComboEdit(HWND combo);
    static LRESULT CALLBACK ComboEditThunk(HWND hwnd, UINT message, WPARAM wParam,
                                           LPARAM lParam) noexcept;
    LRESULT ComboEditProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    LRESULT SendCombo(UINT message, WPARAM wParam, LPARAM lParam);

    // unit_properties.cpp
    void StartTimer();
    void OnSliderScrolled();

    // tray_icon.cpp
    bool NotifyTray(DWORD action);
    bool AddTrayIcon(std::string_view tip) override;
    bool ModifyTrayIcon(std::string_view tip) override;
    void DeleteTrayIcon() override;
    void OnTrayCallback(LPARAM mouseMessage);
    void OnTaskbarCreated();

    // message_loop.cpp
    void TranslateAndDispatch(MSG& message);

    // background_thread.cpp: the one thread that runs the background jobs, started with the
    // first; it lives until the process ends.
    struct JobWorker {
        HANDLE wake = nullptr; // auto-reset: a job is waiting
        std::atomic<platform::BackgroundJob*> job{nullptr};
        HWND window = nullptr; // told when a job has ended
    };
    static DWORD WINAPI ServeJobs(void* worker);

    HINSTANCE instance_;
    EventSink* sink_ = nullptr;
    std::array<WindowRecord, 2> windows_;
    std::array<HWND, kUnitCount> units_{};
    win32::UniqueMenu trayMenu_;
    win32::UniqueFont interfaceFont_; // made for the display's DPI with the first window
    WNDPROC comboEditProcedure_ = nullptr;
    bool programChangesCombo_ = false; // combo notifications caused by our own calls are not events
    int timerPeriod_ = 0;
    int lastSliderPosition_ = 0;
    bool menuOpen_ = false; // the tray menu's own message loop is running
    TrayKeeper tray_{*this};
    std::string trayTip_; // the tip of the shell call being made
    win32::UniqueIcon trayIcon_;
    UINT taskbarCreatedMessage_ = 0;
    UINT openConfigMessage_ = 0;
    win32::UniqueKernelHandle instanceMutex_;
    JobWorker jobWorker_;
};

} // namespace korvane::ui
