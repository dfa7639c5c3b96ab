#include "MainForm.h"

#include <commctrl.h>
#include <commdlg.h>

#include "ProfileFileWin32.h"
#include "TaskDialogs.h"
#include "actions/Executor.h"
#include "app/Autostart.h"
#include "gesture/Recogniser.h"
#include "storage/SetFile.h"

namespace zoram {

namespace {
constexpr UINT_PTR kTimer1 = 1, kTrayTimer = 2, kRegCheckTimer = 3;
constexpr wchar_t kClassW[] = L"TgestureConfigForm";

CaptureSettings CaptureSettingsOf(const Settings& s) {
    return {s.active, s.invoke, s.mouseExMode, s.idleTimeout, s.showTrails, s.fastTrails};
}
}  // namespace

MainForm::MainForm(UINT hookMessage, ExecutablePath exe)
    : hookMessage_(hookMessage), exe_(std::move(exe)), ownPath_(exe_.directory + exe_.fileName) {}

bool MainForm::Create(HINSTANCE instance, HWND owner) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassW;
    RegisterClassExW(&wc);
    // The form draws its own caption bar: a bordered window without WS_CAPTION.
    hwnd_ = CreateWindowExW(0, kClassW, L"Zoram*", WS_POPUP | WS_BORDER | WS_SYSMENU | WS_MINIMIZEBOX,
                            CW_USEDEFAULT, CW_USEDEFAULT, 800, 560, owner, nullptr, instance, this);
    if (!hwnd_) return false;

    tray_.Init(hwnd_, wc.hIcon, L"Zoram");
    if (!tray_.Show()) SetTimer(hwnd_, kTrayTimer, 5000, nullptr);  // the taskbar may not run yet
    if (WakeOtherInstance()) {
        tray_.Hide();
        return false;
    }

    library_.Load();
    hook_ = HookClient{};
    seams_ = std::make_unique<Win32ExecutorSeams>(hwnd_, [this] { Settings1Click(); },
                                                  [this] { mnActiveClick(); });
    host_ = std::make_unique<CaptureHostWin32>(CaptureHostWin32::Context{
        hwnd_, kTimer1, *engine_.CurrentMotion, programs_, ownPath_, settings_,
        [this](HWND foreground) { RecogniseAt(foreground); }});
    loop_ = std::make_unique<CaptureLoop>(*host_, hook_, library_, *engine_.CurrentMotion,
                                          engine_.RecordingState);
    if (!LoadSettingsAndSet()) return false;
    SetTimer(hwnd_, kRegCheckTimer, 5000, nullptr);
    SetTimer(hwnd_, kTimer1, kTimerIdleMs, nullptr);
    return true;
}

bool MainForm::LoadSettingsAndSet() {
    profile_ = OpenProfileFile(exe_.directory + u"zoram.ini");
    if (auto error = LoadSettings(*profile_, exe_.directory, settings_)) {
        MessageBoxW(hwnd_, W(*error), L"Zoram", MB_OK | MB_ICONERROR);
        return false;
    }
    engine_.CurrentSetPath = settings_.motions;
    if (!engine_.CurrentSetPath.empty()) loadMotions(engine_, std::filesystem::path(Wide(engine_.CurrentSetPath)));
    return true;
}

bool MainForm::SaveSettingsNow() {
    settings_.motions = engine_.CurrentSetPath;
    if (auto error = SaveSettings(*profile_, exe_.directory, settings_)) {
        MessageBoxW(hwnd_, W(*error), L"Zoram", MB_OK | MB_ICONERROR);
        return false;
    }
    return true;
}

// "Save set": to the set's own file, or through the save dialog.
bool MainForm::SaveSet() {
    std::u16string path = engine_.CurrentSetPath;
    if (path.empty()) {
        wchar_t file[MAX_PATH] = L"";
        OPENFILENAMEW ofn{};
        ofn.lStructSize = sizeof(ofn);
        ofn.hwndOwner = hwnd_;
        ofn.lpstrFilter = L"Motion Definitions (*.mtd)\0*.mtd\0All Files\0*.*\0";
        ofn.lpstrFile = file;
        ofn.nMaxFile = MAX_PATH;
        ofn.lpstrDefExt = L"mtd";
        ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NODEREFERENCELINKS;
        if (!GetSaveFileNameW(&ofn)) return false;
        path = U(file);
    }
    SetFileResult result = saveMotions(engine_, std::filesystem::path(Wide(path)));
    if (!result) {
        std::wstring text = L"Cannot save \"" + Wide(path) + L"\". " + std::wstring(result.detail.begin(), result.detail.end());
        MessageBoxW(hwnd_, text.c_str(), L"Zoram", MB_OK | MB_ICONERROR);
        return false;
    }
    engine_.CurrentSetPath = path;
    return true;
}

// Looks for a running instance by class and caption while this window's
// caption differs; wakes it with one show request.
bool MainForm::WakeOtherInstance() {
    HWND other = FindWindowA(kMainWindowClass, kMainWindowCaption);
    if (other && other != hwnd_) SendMessageA(other, kShowWindowMessage, 0, 0);
    SetWindowTextW(hwnd_, L"Zoram");
    return other && other != hwnd_;
}

void MainForm::Timer1Timer() {
    if (loop_) loop_->Tick(CaptureSettingsOf(settings_));
}

void MainForm::RecogniseAt(HWND foreground) {
    Execution exec;
    exec.execute = true;
    exec.active = settings_.active;
    exec.window = foreground;
    exec.perform = [this](int index, TargetWindow window) {
        ExecuteGesture(*engine_.Set, index, programs_.CurrentProgram, exe_.directory,
                       FromHwnd(static_cast<HWND>(window)), seams_->Seams(), engine_.LastAction);
    };
    Recognise(engine_, exec);
}

void MainForm::Settings1Click() {
    if (!IsWindowVisible(hwnd_)) ShowWindow(hwnd_, SW_SHOW);
    BringToForeground(hwnd_);
}

void MainForm::mnActiveClick() {
    hook_.EnableHook(library_, false, settings_.invoke);
    settings_.active = !settings_.active;
}

void MainForm::mnAutostartClick() { ToggleAutostart(runKey_, ownPath_); }

void MainForm::trayIconMessage(LPARAM lParam) {
    switch (LOWORD(lParam)) {
    case WM_LBUTTONUP:
        Settings1Click();
        break;
    case WM_RBUTTONUP:
    case WM_CONTEXTMENU:
        switch (tray_.PopupMenu(settings_.active, willAutoStart(runKey_))) {
        case kCmdActive: mnActiveClick(); break;
        case kCmdConfigure: Settings1Click(); break;
        case kCmdAutostart: mnAutostartClick(); break;
        case kCmdExit: PostMessageW(hwnd_, WM_CLOSE, 0, 0); break;
        }
        break;
    }
}

void MainForm::trayTimerTimer() {
    if (tray_.Visible()) return;
    if (tray_.Show()) KillTimer(hwnd_, kTrayTimer);
}

void MainForm::regCheckTimerTimer() {
    KillTimer(hwnd_, kRegCheckTimer);
    if (!AutostartPointsElsewhere(runKey_, ownPath_)) return;
    int answer = AskTask(hwnd_, IDI_WARNING,
                         L"The Zoram.exe set to start when you log in to Windows is not this one! "
                         L"Would you like this one to auto-start instead?",
                         {L"Yes", L"No"}, 101);
    if (answer == 100) PointAutostartHere(runKey_, ownPath_);
}

bool MainForm::FormCloseQuery() {
    if (engine_.SetModified) {
        int answer = AskTask(hwnd_, IDI_QUESTION,
                             L"You've modified this set. Do you want to save changes?", {L"Yes", L"No", L"Cancel"},
                             102);
        if (answer == 102) return false;
        if (answer == 100) SaveSet();  // a cancelled save dialog still lets the program close
    }
    return SaveSettingsNow();
}

void MainForm::FormDestroy() {
    KillTimer(hwnd_, kTimer1);
    hook_.FormDestroy(library_);
    tray_.Hide();
}

LRESULT CALLBACK MainForm::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* self = reinterpret_cast<MainForm*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self || !self->hwnd_) return DefWindowProcW(hwnd, msg, wParam, lParam);
    return self->Handle(msg, wParam, lParam);
}

LRESULT MainForm::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == hookMessage_ && hookMessage_ != 0) {
        if (loop_) loop_->HookReport(static_cast<unsigned>(wParam), CaptureSettingsOf(settings_));
        return 0;
    }
    switch (msg) {
    case kShowWindowMessage:
        Settings1Click();
        return 0;
    case kTrayMessage:
        trayIconMessage(lParam);
        return 0;
    case WM_TIMER:
        if (wParam == kTimer1) Timer1Timer();
        else if (wParam == kTrayTimer) trayTimerTimer();
        else if (wParam == kRegCheckTimer) regCheckTimerTimer();
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd_, &ps);
        SetBkMode(dc, TRANSPARENT);
        TextOutW(dc, 16, 12, L"Zoram 1.41", 10);
        EndPaint(hwnd_, &ps);
        return 0;
    }
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) ShowWindow(hwnd_, SW_HIDE);  // Zoram keeps running in the tray
        return 0;
    case WM_CLOSE:
        if (FormCloseQuery()) DestroyWindow(hwnd_);
        return 0;
    case WM_DESTROY:
        FormDestroy();
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

}  // namespace zoram
