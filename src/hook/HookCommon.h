// What MouseCore.dll and the application share: the names, the 20-byte
// record in named shared memory, the trapping rule and the application's
// handling of the library's reports. No Windows headers here.
#pragma once
#include <cstddef>
#include <cstdint>

namespace zoram {

inline constexpr const char* kHookMessageName = "ZoramMessage";
inline constexpr const char* kHookMappingName = "HookRecMemBlock";
// The main form's class. The library looks it up as "TGestureConfigForm";
// class names compare without regard to case.
inline constexpr const char* kMainWindowClass = "TgestureConfigForm";
inline constexpr const char* kHookTargetClass = "TGestureConfigForm";
inline constexpr const char* kMainWindowCaption = "Zoram";
// Sent by a second instance to make the first one show its window.
inline constexpr unsigned kShowWindowMessage = 0x3E71;

inline constexpr unsigned kMouseMove = 0x0200;
inline constexpr unsigned kRightDown = 0x0204;
inline constexpr unsigned kRightUp = 0x0205;
inline constexpr unsigned kMiddleDown = 0x0207;
inline constexpr unsigned kMiddleUp = 0x0208;

#pragma pack(push, 1)
struct HookRec {
    uint32_t HookHandle;  // hook handles are 32-bit values on 64-bit Windows too
    uint8_t Reserved[12];
    uint16_t MovementHidden;
    uint16_t TrappedButton;  // 0 right, 1 middle, anything else none
};
#pragma pack(pop)
static_assert(sizeof(HookRec) == 20);
static_assert(offsetof(HookRec, MovementHidden) == 16);
static_assert(offsetof(HookRec, TrappedButton) == 18);

// Whether the hook procedure swallows this mouse message and reports it.
constexpr bool IsTrapped(const HookRec& rec, unsigned msg) {
    if (rec.TrappedButton == 0 && (msg == kRightDown || msg == kRightUp)) return true;
    if (rec.TrappedButton == 1 && (msg == kMiddleDown || msg == kMiddleUp)) return true;
    return rec.MovementHidden == 1 && msg == kMouseMove;
}

// The library's six exports the application binds by name.
class HookLibrary {
public:
    virtual ~HookLibrary() = default;
    virtual void HookMouse() = 0;
    virtual void UnHookMouse() = 0;
    virtual void ShowMovement() = 0;
    virtual void HideMovement() = 0;
    virtual void TrapRight() = 0;
    virtual void TrapMiddle() = 0;
};

// The application's side of the hook: what it asked for and what the
// library reported.
struct HookClient {
    bool HookInstalled = false;
    bool RightHeld = false;
    bool MiddleHeld = false;
    bool HandOver = false;
    // A trapped press reported since the last capture tick. The press may be
    // over (a quick click) before the tick reads the button state; the report
    // still counts as a press for that tick.
    bool RightPressReported = false;
    bool MiddlePressReported = false;
    // The last report was the release of a press handed back to the system.
    bool HandedOverRelease = false;

    // Handles one report; true when a capture tick should run at once.
    bool HandleHookMessage(unsigned wParam, bool active);
    void EnableHook(HookLibrary& lib, bool enable, int invoke);
    // At shutdown: the hook goes with the window.
    void FormDestroy(HookLibrary& lib) const;
};

}  // namespace zoram
