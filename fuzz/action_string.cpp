// Action strings from set files: display, the dialogs' rebuilding and the
// executor's interpretation must not crash or overrun their limits.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "actions/ActionStrings.h"
#include "actions/ActionText.h"
#include "actions/Executor.h"
#include "actions/KeyEventSink.h"

namespace {

using namespace zoram;

struct Keys : KeyEventSink {
    void KeyEvent(uint8_t, uint8_t, uint32_t) override {}
    uint32_t MapVirtualKeyCode(uint32_t vk) override { return vk; }
    uint16_t VkKeyScanW(char16_t c) override { return c < 0x80 ? c : kNoKey; }
    uint16_t VkKeyScanA(char c) override { return static_cast<unsigned char>(c); }
    int16_t KeyState(int) override { return 0; }
    std::array<uint8_t, 256> GetKeyboardState() override { return {}; }
    void SetKeyboardState(const std::array<uint8_t, 256>&) override {}
    void PumpKeyMessages() override {}
    std::u16string KeyName(uint8_t vk) override { return vk == 0xBB ? u"=" : u""; }
};
struct Shell : ShellSeam {
    void SetCurrentFolder(const std::u16string&) override {}
    std::u16string FullPath(const std::u16string& p) override { return u"C:\\Zoram\\" + p; }
    bool FileExists(const std::u16string&) override { return false; }
    intptr_t Open(const std::u16string& f, const std::u16string& a, const std::u16string& d) override {
        if (f.size() > 1024 || a.size() > 1024 || d.size() > 1024) abort();
        return 0;
    }
};
struct Windows : WindowSeam {
    bool IsVisible(WindowHandle) override { return true; }
    std::optional<unsigned> ShowState(WindowHandle, unsigned&) override { return 1; }
    void PostSysCommand(WindowHandle, unsigned) override {}
    void ShowError(const std::u16string&) override {}
};
struct Volume : VolumeSeam {
    bool DeviceAvailable() override { return true; }
    std::optional<uint32_t> GetVolume() override { return 0x12345678; }
    void SetVolume(uint32_t) override {}
};
struct Controller : ControllerSeam {
    void LockWorkStation() override {}
    void ShowSettings() override {}
    void ToggleActive() override {}
};

void CheckFitted(const std::u16string& s) {
    if (s.size() > kMaxActionLength) abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 8192) return 0;
    std::u16string action(size / 2, u'\0');
    std::memcpy(action.data(), data, action.size() * 2);
    for (Language l : {Language::English, Language::Chinese})
        for (size_t max : {size_t{0}, size_t{7}, kDisplayLength})
            if (ActionToDisplayString(action, max, l).size() > max + 3) abort();

    CheckFitted(FitActionString(action));
    CheckFitted(KeystrokesAction(KeystrokesPrefill(action)));
    CheckFitted(WebsiteAction(WebsiteInitialText(action)));
    auto fields = ProgramDialogFields(action);
    CheckFitted(ProgramAction(fields.program, fields.folder));
    for (int row = -1; row <= kActionRows; ++row) CheckFitted(ActionForPlainRow(row, FitActionString(action)));

    // Text read as UTF-8 survives a round trip unchanged once decoded.
    std::u16string decoded = actiontext::FromUtf8(std::string(reinterpret_cast<const char*>(data), size));
    if (actiontext::FromUtf8(actiontext::ToUtf8(decoded)) != decoded) abort();

    Keys keys;
    Shell shell;
    Windows windows;
    Volume volume;
    Controller controller;
    PerformAction(action, 1, u"C:\\Zoram\\", ExecutorSeams{keys, shell, windows, volume, controller});
    return 0;
}
