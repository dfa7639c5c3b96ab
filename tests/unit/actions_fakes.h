// Recording fakes of the action seams, shared by the action tests.
#pragma once
#include <map>
#include <set>
#include <string>
#include <vector>

#include "actions/ExecutorSeams.h"
#include "actions/KeyEventSink.h"

namespace zoram::testing {

struct KeyEv {
    uint8_t vk;
    uint8_t scan;
    uint32_t flags;
    bool operator==(const KeyEv&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const KeyEv& e) {
    return os << "{vk=" << int(e.vk) << " scan=" << int(e.scan) << " flags=" << e.flags << "}";
}

// The fake layout's scan code: distinct from the key code, and the fake's
// MapVirtualKey puts junk in the high bytes that callers must drop.
constexpr uint8_t ScanOf(uint8_t vk) { return static_cast<uint8_t>(vk + 0x40); }

// A US-like layout.
class FakeKeys : public KeyEventSink {
public:
    std::vector<KeyEv> events;
    int pumps = 0;
    int16_t keyStateNumLock = 0;
    std::array<uint8_t, 256> keyboard{};
    std::vector<std::array<uint8_t, 256>> stateWrites;
    std::map<char16_t, uint16_t> extraLayout;  // characters beyond the US set
    std::map<uint8_t, std::u16string> layoutNames;

    void KeyEvent(uint8_t vk, uint8_t scan, uint32_t flags) override { events.push_back({vk, scan, flags}); }
    uint32_t MapVirtualKeyCode(uint32_t vk) override { return 0xE100u | ScanOf(static_cast<uint8_t>(vk)); }
    uint16_t VkKeyScanW(char16_t c) override {
        if (c >= u'a' && c <= u'z') return c - u'a' + 0x41;
        if (c >= u'A' && c <= u'Z') return 0x100 | (c - u'A' + 0x41);
        if (c >= u'0' && c <= u'9') return c;
        static const std::map<char16_t, uint16_t> kUs = {
            {u' ', 0x20},  {u'!', 0x131}, {u'@', 0x132}, {u'#', 0x133}, {u'$', 0x134},
            {u'%', 0x135}, {u'^', 0x136}, {u'&', 0x137}, {u'*', 0x138}, {u'(', 0x139},
            {u')', 0x130}, {u'-', 0xBD},  {u'_', 0x1BD}, {u'=', 0xBB},  {u'+', 0x1BB},
            {u'[', 0xDB},  {u'{', 0x1DB}, {u']', 0xDD},  {u'}', 0x1DD}, {u'\\', 0xDC},
            {u'|', 0x1DC}, {u';', 0xBA},  {u':', 0x1BA}, {u'\'', 0xDE}, {u'"', 0x1DE},
            {u',', 0xBC},  {u'<', 0x1BC}, {u'.', 0xBE},  {u'>', 0x1BE}, {u'/', 0xBF},
            {u'?', 0x1BF}, {u'`', 0xC0},  {u'~', 0x1C0}, {u'\t', 0x09}, {u'\r', 0x0D},
        };
        if (auto it = kUs.find(c); it != kUs.end()) return it->second;
        if (auto it = extraLayout.find(c); it != extraLayout.end()) return it->second;
        return kNoKey;
    }
    uint16_t VkKeyScanA(char c) override {
        ++ansiLookups;
        return VkKeyScanW(static_cast<unsigned char>(c));
    }
    int16_t KeyState(int vk) override { return vk == 144 ? keyStateNumLock : 0; }
    std::array<uint8_t, 256> GetKeyboardState() override { return keyboard; }
    void SetKeyboardState(const std::array<uint8_t, 256>& s) override {
        keyboard = s;
        stateWrites.push_back(s);
    }
    void PumpKeyMessages() override { ++pumps; }
    std::u16string KeyName(uint8_t vk) override {
        auto it = layoutNames.find(vk);
        return it == layoutNames.end() ? u"" : it->second;
    }
    int ansiLookups = 0;
};

// Replays recorded events on a simple keyboard: what a US text box would
// show. Special keys appear as <NAME>; keys still down at the end are listed.
struct Typed {
    std::u16string text;
    std::set<uint8_t> stillDown;
};

inline Typed Replay(const std::vector<KeyEv>& events) {
    static const std::map<uint8_t, std::u16string> kSpecial = {
        {8, u"<BS>"},     {9, u"<TAB>"},   {13, u"<ENTER>"}, {27, u"<ESC>"},  {33, u"<PGUP>"},
        {34, u"<PGDN>"},  {35, u"<END>"},  {36, u"<HOME>"},  {37, u"<LEFT>"}, {38, u"<UP>"},
        {39, u"<RIGHT>"}, {40, u"<DOWN>"}, {45, u"<INS>"},   {46, u"<DEL>"},  {112, u"<F1>"},
        {115, u"<F4>"}, {116, u"<F5>"}, {16, u""},       {17, u""},        {18, u""},
    };
    static const std::map<uint8_t, std::pair<char16_t, char16_t>> kOem = {
        {0x20, {u' ', u' '}}, {0xBD, {u'-', u'_'}}, {0xBB, {u'=', u'+'}}, {0xDB, {u'[', u'{'}},
        {0xDD, {u']', u'}'}}, {0xDC, {u'\\', u'|'}}, {0xBA, {u';', u':'}}, {0xDE, {u'\'', u'"'}},
        {0xBC, {u',', u'<'}}, {0xBE, {u'.', u'>'}}, {0xBF, {u'/', u'?'}}, {0xC0, {u'`', u'~'}},
    };
    static const char16_t kShiftedDigits[] = u")!@#$%^&*(";
    Typed t;
    for (const auto& e : events) {
        if (e.flags & 2) {
            t.stillDown.erase(e.vk);
            continue;
        }
        t.stillDown.insert(e.vk);
        bool shift = t.stillDown.count(16), ctrl = t.stillDown.count(17), alt = t.stillDown.count(18);
        std::u16string mods = std::u16string(ctrl ? u"^" : u"") + (alt ? u"%" : u"");
        if (auto it = kSpecial.find(e.vk); it != kSpecial.end()) {
            if (!it->second.empty()) t.text += mods + (shift ? u"+" : u"") + it->second;
        } else if (e.vk >= 0x41 && e.vk <= 0x5A) {
            t.text += mods + char16_t(shift ? e.vk : e.vk + 32);
        } else if (e.vk >= 0x30 && e.vk <= 0x39) {
            t.text += mods + (shift ? kShiftedDigits[e.vk - 0x30] : char16_t(e.vk));
        } else if (auto o = kOem.find(e.vk); o != kOem.end()) {
            t.text += mods + (shift ? o->second.second : o->second.first);
        } else {
            t.text += u"<" + std::u16string(1, char16_t(u'0' + e.vk / 100)) + u"?>";
        }
    }
    return t;
}

struct FakeShell : ShellSeam {
    std::vector<std::u16string> folders;  // SetCurrentFolder calls
    std::u16string current;
    std::set<std::u16string> existing;
    struct OpenCall {
        std::u16string file, arguments, folder;
        bool operator==(const OpenCall&) const = default;
    };
    std::vector<OpenCall> opened;
    void SetCurrentFolder(const std::u16string& f) override {
        folders.push_back(f);
        current = f;
    }
    // Relative paths join the current folder; "..\" steps up once.
    std::u16string FullPath(const std::u16string& p) override {
        if (p.empty()) return u"";
        if (p.size() > 1 && (p[1] == u':' || p[0] == u'\\')) return p;
        std::u16string base = current, rest = p;
        while (rest.rfind(u"..\\", 0) == 0) {
            base.pop_back();
            base.erase(base.find_last_of(u'\\') + 1);
            rest.erase(0, 3);
        }
        return base + rest;
    }
    bool FileExists(const std::u16string& p) override { return existing.count(p) > 0; }
    intptr_t Open(const std::u16string& f, const std::u16string& a, const std::u16string& d) override {
        opened.push_back({f, a, d});
        return 42;
    }
};

struct FakeWindows : WindowSeam {
    bool visible = true;
    std::optional<unsigned> showState = 1;
    unsigned error = 1400;
    std::vector<std::pair<WindowHandle, unsigned>> posted;
    std::vector<std::u16string> errors;
    bool IsVisible(WindowHandle) override { return visible; }
    std::optional<unsigned> ShowState(WindowHandle, unsigned& e) override {
        if (!showState) e = error;
        return showState;
    }
    void PostSysCommand(WindowHandle w, unsigned c) override { posted.push_back({w, c}); }
    void ShowError(const std::u16string& t) override { errors.push_back(t); }
};

struct FakeVolume : VolumeSeam {
    bool device = true;
    std::optional<uint32_t> current = 0;
    std::vector<uint32_t> written;
    bool DeviceAvailable() override { return device; }
    std::optional<uint32_t> GetVolume() override { return current; }
    void SetVolume(uint32_t v) override { written.push_back(v); }
};

struct FakeController : ControllerSeam {
    std::vector<std::string> calls;
    void LockWorkStation() override { calls.push_back("lock"); }
    void ShowSettings() override { calls.push_back("settings"); }
    void ToggleActive() override { calls.push_back("toggle"); }
};

}  // namespace zoram::testing
