// What the keystroke engine and the key combination sender need from the
// system's keyboard: synthesised key events, layout look-ups, the keyboard
// state for Num Lock and the pumping of the calling thread's key messages.
#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace zoram {

constexpr uint32_t kKeyEventExtended = 0x0001;  // KEYEVENTF_EXTENDEDKEY
constexpr uint32_t kKeyEventKeyUp = 0x0002;     // KEYEVENTF_KEYUP
constexpr uint16_t kNoKey = 0xFFFF;             // VkKeyScan's "no key for it"

class KeyEventSink {
public:
    virtual ~KeyEventSink() = default;
    // keybd_event(vk, scan, flags, 0)
    virtual void KeyEvent(uint8_t vk, uint8_t scan, uint32_t flags) = 0;
    // MapVirtualKeyA(vk, 0)
    virtual uint32_t MapVirtualKeyCode(uint32_t vk) = 0;
    // VkKeyScanW / VkKeyScanA: low byte key, high byte shift state; kNoKey if none.
    virtual uint16_t VkKeyScanW(char16_t c) = 0;
    virtual uint16_t VkKeyScanA(char c) = 0;
    // GetKeyState(vk)
    virtual int16_t KeyState(int vk) = 0;
    virtual std::array<uint8_t, 256> GetKeyboardState() = 0;
    virtual void SetKeyboardState(const std::array<uint8_t, 256>& state) = 0;
    // Removes and dispatches the calling thread's WM_KEYFIRST..WM_UNICHAR messages.
    virtual void PumpKeyMessages() = 0;
    // The keyboard layout's name for a key (GetKeyNameText); empty if none.
    virtual std::u16string KeyName(uint8_t vk) = 0;
};

}  // namespace zoram
