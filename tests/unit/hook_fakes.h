// A hook library that records the exports called, in order.
#pragma once
#include <string>
#include <vector>

#include "hook/HookCommon.h"

struct FakeHookLibrary : zoram::HookLibrary {
    std::vector<std::string> calls;
    void HookMouse() override { calls.push_back("HookMouse"); }
    void UnHookMouse() override { calls.push_back("UnHookMouse"); }
    void ShowMovement() override { calls.push_back("ShowMovement"); }
    void HideMovement() override { calls.push_back("HideMovement"); }
    void TrapRight() override { calls.push_back("TrapRight"); }
    void TrapMiddle() override { calls.push_back("TrapMiddle"); }
};
