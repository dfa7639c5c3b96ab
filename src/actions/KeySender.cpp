#include "actions/KeySender.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "actions/ActionText.h"

namespace zoram {

using namespace actiontext;

KeyScriptError::KeyScriptError(std::u16string message)
    : std::runtime_error(ToUtf8(message)), message_(std::move(message)) {}

namespace {

constexpr uint8_t kShift = 16, kCtrl = 17, kAlt = 18, kNumLock = 144;
constexpr size_t kNameLimit = 20;

struct KeyName {
    std::u16string_view name;
    uint8_t vk;
};

// Ordered by the names' byte values.
constexpr KeyName kKeyNames[] = {
    {u"ALT", 18},        {u"BACKSPACE", 8},  {u"BKSP", 8},         {u"BREAK", 3},
    {u"BS", 8},          {u"CAPSLOCK", 20},  {u"CLEAR", 12},       {u"CTRL", 17},
    {u"DEL", 46},        {u"DELETE", 46},    {u"DOWN", 40},        {u"END", 35},
    {u"ENTER", 13},      {u"ESC", 27},       {u"ESCAPE", 27},      {u"F1", 112},
    {u"F10", 121},       {u"F11", 122},      {u"F12", 123},        {u"F13", 124},
    {u"F14", 125},       {u"F15", 126},      {u"F16", 127},        {u"F2", 113},
    {u"F3", 114},        {u"F4", 115},       {u"F5", 116},         {u"F6", 117},
    {u"F7", 118},        {u"F8", 119},       {u"F9", 120},         {u"HELP", 47},
    {u"HOME", 36},       {u"INS", 45},       {u"LEFT", 37},        {u"NUMLOCK", 144},
    {u"PGDN", 34},       {u"PGUP", 33},      {u"PRINTSCREEN", 42}, {u"PRTSC", 42},
    {u"RIGHT", 39},      {u"SCROLLLOCK", 145}, {u"SHIFT", 16},     {u"TAB", 9},
    {u"UP", 38},
};
static_assert(std::size(kKeyNames) == 45);

bool IsExtended(uint8_t vk) { return (vk >= 33 && vk <= 40) || vk == 45 || vk == 46; }

// A count as the integer conversion reads it: blanks before, a sign, then
// decimal digits or "$"/"0x" and hex digits; nothing after. 32-bit range.
std::optional<int32_t> ParseInteger(std::u16string_view t) {
    size_t i = 0;
    while (i < t.size() && t[i] == u' ') ++i;
    bool negative = false;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) negative = t[i++] == u'-';
    int base = 10;
    if (i < t.size() && t[i] == u'$') {
        base = 16;
        ++i;
    } else if (i + 1 < t.size() && t[i] == u'0' && (t[i + 1] == u'x' || t[i + 1] == u'X')) {
        base = 16;
        i += 2;
    }
    if (i >= t.size()) return std::nullopt;
    int64_t value = 0;
    for (; i < t.size(); ++i) {
        char16_t c = AsciiUpper(t[i]);
        int digit = c >= u'0' && c <= u'9' ? c - u'0' : base == 16 && c >= u'A' && c <= u'F' ? c - u'A' + 10 : -1;
        if (digit < 0) return std::nullopt;
        value = value * base + digit;
        if (value > (int64_t{1} << 32)) return std::nullopt;
    }
    if (negative) value = -value;
    // Hex texts may spell the whole 32-bit pattern.
    if (base == 16 && value > INT32_MAX && value <= UINT32_MAX) return static_cast<int32_t>(static_cast<uint32_t>(value));
    if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
    return static_cast<int32_t>(value);
}

class Walker {
public:
    Walker(KeyEventSink& sink, bool pump) : sink_(sink), pump_(pump) {}

    bool Walk(std::u16string_view s);
    // Lets go of every modifier still held by "+", "^" or "%".
    void ReleaseAllHeld();

private:
    void KeyEvent(uint8_t vk, uint8_t scan, uint32_t flags) {
        sink_.KeyEvent(vk, scan, flags);
        if (pump_) sink_.PumpKeyMessages();
    }
    uint8_t Scan(uint8_t vk) { return static_cast<uint8_t>(sink_.MapVirtualKeyCode(vk) & 0xFF); }
    void PressKey(uint8_t vk, uint16_t count, bool release);
    void ReleaseKey(uint8_t vk) { KeyEvent(vk, Scan(vk), kKeyEventKeyUp); }
    void SendMappedKey(uint16_t code, uint16_t count);
    void ReleaseModifiers();
    void Hold(bool& flag, uint8_t vk) {
        flag = true;
        PressKey(vk, 1, false);
    }

    KeyEventSink& sink_;
    bool pump_;
    bool shift_ = false, ctrl_ = false, alt_ = false, group_ = false;
};

void Walker::PressKey(uint8_t vk, uint16_t count, bool release) {
    if (vk == kNumLock) {
        bool on = sink_.KeyState(kNumLock) & 1;
        auto state = sink_.GetKeyboardState();
        state[kNumLock] = on ? (state[kNumLock] & ~1) : (state[kNumLock] | 1);
        sink_.SetKeyboardState(state);
        return;
    }
    uint8_t scan = Scan(vk);
    uint32_t flags = IsExtended(vk) ? kKeyEventExtended : 0;
    for (uint32_t i = 0; i < count; ++i) {
        KeyEvent(vk, scan, flags);
        if (release) KeyEvent(vk, scan, flags | kKeyEventKeyUp);
    }
}

void Walker::SendMappedKey(uint16_t code, uint16_t count) {
    uint8_t shiftState = code >> 8;
    if (shiftState & 1) PressKey(kShift, 1, false);
    if (shiftState & 2) PressKey(kCtrl, 1, false);
    if (shiftState & 4) PressKey(kAlt, 1, false);
    PressKey(code & 0xFF, count, true);
    if (shiftState & 1) ReleaseKey(kShift);
    if (shiftState & 2) ReleaseKey(kCtrl);
    if (shiftState & 4) ReleaseKey(kAlt);
}

void Walker::ReleaseModifiers() {
    if (group_) return;
    ReleaseAllHeld();
}

void Walker::ReleaseAllHeld() {
    if (shift_) ReleaseKey(kShift);
    if (ctrl_) ReleaseKey(kCtrl);
    if (alt_) ReleaseKey(kAlt);
    shift_ = ctrl_ = alt_ = false;
}

bool Walker::Walk(std::u16string_view s) {
    const size_t n = s.size();
    if (n == 0) return false;
    size_t i = 0;
    while (i < n) {
        char16_t c = s[i];
        if (c == u'+') {
            Hold(shift_, kShift);
            ++i;
        } else if (c == u'^') {
            Hold(ctrl_, kCtrl);
            ++i;
        } else if (c == u'%') {
            Hold(alt_, kAlt);
            ++i;
        } else if (c == u'(') {
            group_ = true;
            ++i;
        } else if (c == u')') {
            group_ = false;
            ReleaseModifiers();
            ++i;
        } else if (c == u'{') {
            if (i + 1 < n && s[i + 1] == u'{') {
                SendMappedKey(0x1DB, 1);
                ReleaseModifiers();
                i += 3;
                continue;
            }
            size_t close = s.find(u'}', i + 1);
            if (close == std::u16string_view::npos) return false;
            std::u16string name = AsciiUppered(s.substr(i + 1, std::min(close - i - 1, kNameLimit)));
            i = close + 1;
            if (i < n && s[i] == u'}') {
                SendMappedKey(0x1DD, 1);
                ReleaseModifiers();
                ++i;
                continue;
            }
            uint16_t count = 1;
            size_t space = name.find(u' ');
            if (space != std::u16string::npos) {
                std::u16string countText = name.substr(space + 1);
                auto value = ParseInteger(countText);
                if (!value) throw KeyScriptError(u"'" + countText + u"' is not a valid integer value");
                count = static_cast<uint16_t>(*value);
                name.resize(space);
            }
            uint16_t code = kNoKey;
            if (name.size() == 1) {
                // Plain ASCII goes through the 8-bit look-up; anything else is
                // looked up as UTF-16 rather than narrowed to a code page.
                code = name[0] < 0x80 ? sink_.VkKeyScanA(static_cast<char>(name[0])) : sink_.VkKeyScanW(name[0]);
            } else if (uint8_t vk = KeyNameToVirtualKey(name)) {
                code = vk;
            }
            if (code != kNoKey) {
                SendMappedKey(code, count);
                ReleaseModifiers();
            }
        } else {
            uint16_t code = sink_.VkKeyScanW(c);
            if (code != kNoKey) {
                SendMappedKey(code, 1);
                ReleaseModifiers();
            }
            ++i;
        }
    }
    // The end of the script also ends a group left open, so nothing stays held.
    ReleaseAllHeld();
    return true;
}

constexpr std::u16string_view kReplacements[][2] = {
    {u"+", u"{+}"},        {u"^", u"{^}"},           {u"%", u"{%}"},         {u"(", u"{(}"},
    {u")", u"{)}"},        {u"\\[", u"{[}"},         {u"\\]", u"{&sqb;}"},   {u"[shift:", u"+("},
    {u"[ctrl:", u"^("},    {u"[alt:", u"%("},        {u"]", u")"},           {u"{&sqb;}", u"{]}"},
    {u"\\{", u"{{}"},      {u"\\}", u"{}}"},         {u"\\\\", u"{\\}"},
};
static_assert(std::size(kReplacements) == 15);

}  // namespace

uint8_t KeyNameToVirtualKey(std::u16string_view upperName) {
    auto it = std::lower_bound(std::begin(kKeyNames), std::end(kKeyNames), upperName,
                               [](const KeyName& k, std::u16string_view n) { return k.name < n; });
    return it != std::end(kKeyNames) && it->name == upperName ? it->vk : 0;
}

std::u16string MyFormatToTheirs(std::u16string_view script) {
    std::u16string s(script);
    for (const auto& r : kReplacements) s = ReplaceAll(s, r[0], r[1], true);
    return s;
}

bool SendKeyScript(KeyEventSink& sink, std::u16string_view script, bool pumpMessages) {
    Walker walker(sink, pumpMessages);
    bool done = false;
    try {
        done = walker.Walk(script);
    } catch (...) {
        walker.ReleaseAllHeld();
        throw;
    }
    // A script that stopped early must not leave Shift, Ctrl or Alt down.
    if (!done) walker.ReleaseAllHeld();
    return done;
}

}  // namespace zoram
