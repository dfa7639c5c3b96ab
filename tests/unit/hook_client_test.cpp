#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hook/HookCommon.h"
#include "hook_fakes.h"

using namespace zoram;


TEST(HookRecord, TrapsTheChosenButtonAndHiddenMoves) {
    struct Case { uint16_t button, hidden; unsigned msg; bool trapped; } cases[] = {
        {0, 0, kRightDown, true},  {0, 0, kRightUp, true},    {0, 0, kMiddleDown, false},
        {1, 0, kMiddleDown, true}, {1, 0, kMiddleUp, true},   {1, 0, kRightDown, false},
        {0, 0, 0x0206, false},     {1, 0, 0x0209, false},     // double clicks pass
        {0, 0, 0x0201, false},     {0, 0, 0x00A4, false},     // left button, non-client
        {0, 0, kMouseMove, false}, {0, 1, kMouseMove, true},  {7, 1, kRightDown, false},
        {7, 0, kMiddleDown, false},
    };
    for (const auto& c : cases) {
        HookRec rec{};
        rec.TrappedButton = c.button;
        rec.MovementHidden = c.hidden;
        EXPECT_EQ(IsTrapped(rec, c.msg), c.trapped) << c.button << " " << c.hidden << " " << c.msg;
    }
}

TEST(HookClient, PressAndReleaseRunATickOnlyWhenActiveAndNotHandedOver) {
    HookClient c;
    EXPECT_TRUE(c.HandleHookMessage(kRightDown, true));
    EXPECT_TRUE(c.RightHeld);
    EXPECT_TRUE(c.HandleHookMessage(kRightUp, true));
    EXPECT_FALSE(c.RightHeld);
    EXPECT_FALSE(c.HandleHookMessage(kMiddleDown, false));  // inactive: state only
    EXPECT_TRUE(c.MiddleHeld);
    EXPECT_FALSE(c.HandleHookMessage(kMouseMove, true));
    EXPECT_FALSE(c.HandleHookMessage(0x0206, true));
    EXPECT_TRUE(c.MiddleHeld);
}

TEST(HookClient, HandedOverPressIsIgnoredUntilItsRelease) {
    HookClient c;
    c.HandOver = true;
    EXPECT_FALSE(c.HandleHookMessage(kRightDown, true));
    EXPECT_FALSE(c.RightHeld);
    EXPECT_FALSE(c.HandleHookMessage(kRightUp, true));  // clears, runs no tick
    EXPECT_FALSE(c.HandOver);
    c.HandOver = true;
    c.MiddleHeld = true;
    EXPECT_FALSE(c.HandleHookMessage(kMiddleUp, true));
    EXPECT_FALSE(c.MiddleHeld);
    EXPECT_FALSE(c.HandOver);
    EXPECT_TRUE(c.HandleHookMessage(kMiddleDown, true));
}

TEST(HookClient, EnableHookInstallsOnceTrapsByModeAndClearsHeldButtons) {
    struct Case { int invoke; const char* trap; } cases[] = {
        {0, "TrapMiddle"}, {1, "TrapRight"}, {2, "TrapRight"}, {3, "TrapMiddle"}, {4, "TrapMiddle"}};
    for (const auto& k : cases) {
        FakeHookLibrary lib;
        HookClient c;
        c.RightHeld = c.MiddleHeld = true;
        c.EnableHook(lib, true, k.invoke);
        c.EnableHook(lib, true, k.invoke);  // already installed: no second install
        EXPECT_EQ(lib.calls, (std::vector<std::string>{"HookMouse", k.trap}));
        EXPECT_TRUE(c.HookInstalled);
        EXPECT_FALSE(c.RightHeld || c.MiddleHeld);
        c.EnableHook(lib, false, k.invoke);
        c.EnableHook(lib, false, k.invoke);
        c.FormDestroy(lib);  // nothing left to remove
        EXPECT_EQ(lib.calls.size(), 3u);
        EXPECT_EQ(lib.calls.back(), "UnHookMouse");
    }
    FakeHookLibrary lib;
    HookClient c;
    c.EnableHook(lib, true, 1);
    c.FormDestroy(lib);
    EXPECT_EQ(lib.calls.back(), "UnHookMouse");
}
