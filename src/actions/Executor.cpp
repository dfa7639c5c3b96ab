#include "actions/Executor.h"

#include <algorithm>

#include "actions/ActionStrings.h"
#include "actions/ActionText.h"
#include "actions/KeyEventSink.h"
#include "actions/KeySender.h"

namespace zoram {

using namespace actiontext;

namespace {

constexpr uint8_t kShift = 0x10, kCtrl = 0x11, kAlt = 0x12, kLeftWin = 0x5B;
constexpr std::u16string_view kIn = u"*in*";
constexpr size_t kShellTextLimit = 1024;

std::u16string AfterColonAndOne(std::u16string_view s) {
    size_t colon = s.find(u':');
    if (colon == std::u16string_view::npos || colon + 2 > s.size()) return u"";
    return std::u16string(s.substr(colon + 2));
}

void RawKey(KeyEventSink& keys, uint8_t vk, uint32_t flags) { keys.KeyEvent(vk, 0, flags); }

// The left Windows key held around one letter.
void WindowsKeyWith(KeyEventSink& keys, uint8_t letter) {
    RawKey(keys, kLeftWin, 0);
    RawKey(keys, letter, 0);
    RawKey(keys, letter, kKeyEventKeyUp);
    RawKey(keys, kLeftWin, kKeyEventKeyUp);
}

std::u16string FixedKeyName(uint8_t vk) {
    switch (vk) {
    case 0x08: return u"BkSp";
    case 0x09: return u"Tab";
    case 0x0D: return u"Enter";
    case 0x1B: return u"Esc";
    case 0x20: return u"Space";
    case 0x21: return u"PgUp";
    case 0x22: return u"PgDn";
    case 0x23: return u"End";
    case 0x24: return u"Home";
    case 0x25: return u"Left";
    case 0x26: return u"Up";
    case 0x27: return u"Right";
    case 0x28: return u"Down";
    case 0x2D: return u"Ins";
    case 0x2E: return u"Del";
    }
    if ((vk >= 0x30 && vk <= 0x39) || (vk >= 0x41 && vk <= 0x5A)) return std::u16string(1, char16_t(vk));
    if (vk >= 0x70 && vk <= 0x87) {
        int n = vk - 0x6F;
        std::u16string name = u"F";
        if (n >= 10) name += char16_t(u'0' + n / 10);
        name += char16_t(u'0' + n % 10);
        return name;
    }
    return u"";
}

bool IsFixedKey(uint8_t vk) { return !FixedKeyName(vk).empty(); }

void SendKeysAction(KeyEventSink& keys, std::u16string_view action) {
    std::u16string text = AfterColonAndOne(action);
    if (text.empty()) return;
    keys.KeyEvent(kShift, 0, kKeyEventKeyUp);
    keys.KeyEvent(kCtrl, 0, kKeyEventKeyUp);
    text = ReplaceAll(text, u" + ", u"+", false);
    bool win = AsciiLowered(text).find(u"win") != std::u16string::npos;
    if (win) {
        RawKey(keys, kLeftWin, 0);
        size_t at = text.find(u"Win+");
        if (at != std::u16string::npos) text.erase(at, 4);
    }
    Shortcut shortcut = TextToShortcut(keys, text);
    SendKeyCombination(keys, shortcut.vk, shortcut.modifiers, false);
    if (win) RawKey(keys, kLeftWin, kKeyEventKeyUp);
}

void SendKeystrokesAction(KeyEventSink& keys, std::u16string_view action) {
    try {
        SendKeyScript(keys, MyFormatToTheirs(AfterColonAndOne(action)), true);
    } catch (const KeyScriptError&) {
        // The engine has let go of its modifiers; the executor reports nothing.
    }
}

void StepVolume(VolumeSeam& volume, int step, bool mute) {
    if (!volume.DeviceAvailable()) return;
    int level = 0;
    if (!mute) {
        auto current = volume.GetVolume();
        if (!current) return;
        level = std::clamp(DeviceToVolumeLevel(*current) + step, 0, 255);
    }
    volume.SetVolume(VolumeLevelToDevice(level));
}

void WindowCommand(WindowSeam& windows, WindowHandle target, std::u16string_view name) {
    if (!windows.IsVisible(target)) return;
    unsigned command = kScRestore;
    if (name == u"maximise window") {
        command = kScMaximize;
    } else if (name == u"minimise window") {
        command = kScMinimize;
    } else {
        unsigned error = 0;
        auto state = windows.ShowState(target, error);
        if (!state) windows.ShowError(FromUtf8(std::to_string(error)));
        command = state && *state == 1 ? kScMaximize : kScRestore;
    }
    windows.PostSysCommand(target, command);
}

void BuiltInCommand(std::u16string_view action, WindowHandle target, const ExecutorSeams& s) {
    size_t sep = action.find_last_of(u":\\");
    std::u16string name = AsciiLowered(Trimmed(sep == std::u16string_view::npos ? action : action.substr(sep + 1)));
    KeyEventSink& k = s.keys;
    k.KeyEvent(kShift, 0, kKeyEventKeyUp);
    k.KeyEvent(kCtrl, 0, kKeyEventKeyUp);
    k.KeyEvent(kAlt, 0, kKeyEventKeyUp);

    struct KeyCommand {
        std::u16string_view name;
        uint8_t vk;
        uint8_t modifiers;
        bool extended;
    };
    static constexpr KeyCommand kKeyCommands[] = {
        {u"cut", 0x58, kModCtrl, false},         {u"copy", 0x43, kModCtrl, false},
        {u"paste", 0x56, kModCtrl, false},       {u"help", 0x70, 0, false},
        {u"undo", 0x5A, kModCtrl, false},        {u"back", 0x25, kModAlt, false},
        {u"forward", 0x27, kModAlt, false},      {u"refresh", 0x74, 0, false},
        {u"page up", 0x21, 0, false},            {u"page down", 0x22, 0, false},
        {u"home", 0x24, 0, false},               {u"start button", 0x5B, 0, false},
        {u"next track", 0xB0, 0, true},          {u"previous track", 0xB1, 0, false},
        {u"play/pause", 0xB3, 0, true},          {u"pause", 0xB3, 0, true},
        {u"stop", 0xB2, 0, false},               {u"new tab", 0x54, kModCtrl, false},
        {u"close tab", 0x73, kModCtrl, true},    {u"close window", 0x73, kModAlt, true},
        {u"home page", 0x24, kModAlt, false},    {u"next tab", 0x09, kModCtrl, false},
        {u"previous tab", 0x09, kModShift | kModCtrl, false},
    };
    for (const auto& c : kKeyCommands)
        if (name == c.name) return SendKeyCombination(k, c.vk, c.modifiers, c.extended);

    static constexpr std::pair<std::u16string_view, uint8_t> kWindowsKey[] = {
        {u"show desktop", 0x44}, {u"search", 0x46}, {u"accessibility", 0x55}, {u"run program", 0x52}};
    for (const auto& [n, letter] : kWindowsKey)
        if (name == n) return WindowsKeyWith(k, letter);

    if (name == u"volume up") return StepVolume(s.volume, 10, false);
    if (name == u"volume down") return StepVolume(s.volume, -10, false);
    if (name == u"mute") return StepVolume(s.volume, 0, true);
    if (name == u"my computer") {
        ExecuteFile(s.shell, u"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", u"");
        return;
    }
    if (name == u"explorer") {
        ExecuteFile(s.shell, u"explorer", u"");
        return;
    }
    if (name == u"lock") return s.controller.LockWorkStation();
    if (name == u"settings") return s.controller.ShowSettings();
    if (name == u"disable") return s.controller.ToggleActive();
    if (name == u"maximise window" || name == u"minimise window" || name == u"restore window")
        return WindowCommand(s.windows, target, name);
}

}  // namespace

uint32_t VolumeLevelToDevice(int level) {
    uint32_t channel = static_cast<uint32_t>(std::clamp(level, 0, 255)) * 257;  // 255 -> 0xFFFF
    return channel | (channel << 16);
}

int DeviceToVolumeLevel(uint32_t value) {
    uint32_t louder = std::max(value & 0xFFFF, value >> 16);
    return static_cast<int>((louder + 128) / 257);
}

void SendKeyCombination(KeyEventSink& keys, uint8_t vk, uint8_t modifiers, bool extended) {
    auto event = [&](uint8_t key, uint32_t flags) {
        keys.KeyEvent(key, static_cast<uint8_t>(keys.MapVirtualKeyCode(key)), flags);
    };
    if (modifiers & kModCtrl) event(kCtrl, 0);
    if (modifiers & kModShift) event(kShift, 0);
    if (modifiers & kModAlt) event(kAlt, 0);
    uint32_t flags = extended ? kKeyEventExtended : 0;
    event(vk, flags);
    event(vk, flags | kKeyEventKeyUp);
    if (modifiers & kModAlt) event(kAlt, kKeyEventKeyUp);
    if (modifiers & kModShift) event(kShift, kKeyEventKeyUp);
    if (modifiers & kModCtrl) event(kCtrl, kKeyEventKeyUp);
}

Shortcut TextToShortcut(KeyEventSink& keys, std::u16string_view text) {
    uint8_t modifiers = 0;
    for (bool more = true; more;) {
        more = false;
        static constexpr std::pair<std::u16string_view, uint8_t> kPrefixes[] = {
            {u"Shift+", kModShift}, {u"Ctrl+", kModCtrl}, {u"^", kModCtrl}, {u"Alt+", kModAlt}};
        for (const auto& [prefix, bit] : kPrefixes)
            if (StartsWithNoCase(text, prefix)) {
                modifiers |= bit;
                text.remove_prefix(prefix.size());
                more = true;
            }
    }
    if (text.empty()) return {};
    for (int vk = 0x08; vk <= 0xFF; ++vk) {
        std::u16string name = IsFixedKey(vk) ? FixedKeyName(vk) : keys.KeyName(static_cast<uint8_t>(vk));
        if (!name.empty() && EqualsNoCase(name, text)) return {static_cast<uint8_t>(vk), modifiers};
    }
    return {};
}

intptr_t ExecuteFile(ShellSeam& shell, std::u16string_view file, std::u16string_view workingFolder) {
    std::u16string t = Trimmed(file);
    std::u16string l = AsciiLowered(t);
    size_t split = std::u16string::npos;
    for (std::u16string_view ext : {u".exe ", u".bat ", u".com ", u".lnk "}) split = std::min(split, l.find(ext));
    std::u16string target = t, arguments;
    if (split != std::u16string::npos) {
        target = t.substr(0, split + 4);
        arguments = t.substr(split + 4);
    }
    auto limit = [](std::u16string s) {
        if (s.size() > kShellTextLimit) s.resize(kShellTextLimit);
        return s;
    };
    return shell.Open(limit(target), limit(arguments), limit(std::u16string(workingFolder)));
}

std::u16string ChooseAction(const TGestureSet& set, int gestureIndex, std::u16string_view foregroundKey,
                            const std::u16string& programFolder, ShellSeam& shell, std::u16string& lastAction) {
    shell.SetCurrentFolder(programFolder);
    if (gestureIndex < 0 || gestureIndex >= std::min(set.GestureCount, kGestureSlots)) return u"";
    const TGesture& g = set.Gestures[gestureIndex];
    std::u16string action = GetText(g.DefaultAction);
    lastAction = action.empty() ? std::u16string(DoNothingText()) : action;
    // Rules that point past the program table (a damaged file) are ignored.
    const int rules = std::min<int>(g.RuleCount, kRuleSlots);
    const int programs = std::clamp(set.ProgramCount, 0, kProgramSlots);
    for (int r = 0; r < rules; ++r) {
        const TProgramRule& rule = g.Rules[r];
        if (rule.ProgramIndex >= programs) continue;
        std::u16string key = Trimmed(PathLowered(shell.FullPath(GetText(set.Programs[rule.ProgramIndex].Path))));
        if (key.empty() || key != foregroundKey) continue;
        action = GetText(rule.Action);
        lastAction = action.empty() ? std::u16string(DoNothingText()) : action;
    }
    return action;
}

void PerformAction(std::u16string_view action, WindowHandle target, const std::u16string& programFolder,
                   const ExecutorSeams& seams) {
    if (action.empty()) return;
    if (StartsWith(action, u"@Keystrokes:")) return SendKeystrokesAction(seams.keys, action);
    if (StartsWith(action, u"@Keys:")) return SendKeysAction(seams.keys, action);
    if (action.find(u'@') == std::u16string_view::npos) {
        seams.shell.SetCurrentFolder(programFolder);
        size_t in = action.find(kIn);
        std::u16string file = std::u16string(action.substr(0, in));
        std::u16string folder = in == std::u16string_view::npos ? u"" : std::u16string(action.substr(in + kIn.size()));
        std::u16string full = seams.shell.FullPath(file);
        if (!full.empty() && seams.shell.FileExists(full)) file = full;
        ExecuteFile(seams.shell, file, folder);
        return;
    }
    BuiltInCommand(action, target, seams);
}

void ExecuteGesture(const TGestureSet& set, int gestureIndex, std::u16string_view foregroundKey,
                    const std::u16string& programFolder, WindowHandle target, const ExecutorSeams& seams,
                    std::u16string& lastAction) {
    PerformAction(ChooseAction(set, gestureIndex, foregroundKey, programFolder, seams.shell, lastAction), target,
                  programFolder, seams);
}

}  // namespace zoram
