// Keystroke scripts from the user: conversion and walking must not crash,
// and however the script ends no modifier may stay down.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "actions/KeySender.h"

namespace {

class CountingSink : public zoram::KeyEventSink {
public:
    // A key is down after a down event until an up event, as the system sees it.
    bool down[256] = {};
    void KeyEvent(uint8_t vk, uint8_t, uint32_t flags) override { down[vk] = !(flags & zoram::kKeyEventKeyUp); }
    uint32_t MapVirtualKeyCode(uint32_t vk) override { return vk * 3; }
    uint16_t VkKeyScanW(char16_t c) override { return c < 0x300 ? static_cast<uint16_t>(c * 7) : zoram::kNoKey; }
    uint16_t VkKeyScanA(char c) override { return VkKeyScanW(static_cast<unsigned char>(c)); }
    int16_t KeyState(int) override { return 1; }
    std::array<uint8_t, 256> GetKeyboardState() override { return {}; }
    void SetKeyboardState(const std::array<uint8_t, 256>&) override {}
    void PumpKeyMessages() override {}
    std::u16string KeyName(uint8_t) override { return u""; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 4096) return 0;
    std::u16string script(size / 2, u'\0');
    std::memcpy(script.data(), data, script.size() * 2);
    for (const std::u16string& s : {script, zoram::MyFormatToTheirs(script)}) {
        CountingSink sink;
        try {
            zoram::SendKeyScript(sink, s, true);
        } catch (const zoram::KeyScriptError& e) {
            if (e.Message().find(u"is not a valid integer value") == std::u16string::npos) abort();
        }
        if (sink.down[16] || sink.down[17] || sink.down[18]) abort();
    }
    return 0;
}
