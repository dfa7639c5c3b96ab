// MouseCore.dll: the system-wide mouse hook. Windows loads it into every
// process that receives mouse input; all instances share one HookRec through
// named shared memory and report trapped messages to the main window.
#include <windows.h>

#include "hook/HookCommon.h"

using zoram::HookRec;

namespace {

HINSTANCE g_instance = nullptr;
UINT g_message = 0;
HANDLE g_mapping = nullptr;
HookRec* g_rec = nullptr;  // null when the mapping failed in this process

void MapRecord() {
    g_mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                   sizeof(HookRec), zoram::kHookMappingName);
    if (!g_mapping) return;
    g_rec = static_cast<HookRec*>(MapViewOfFile(g_mapping, FILE_MAP_WRITE, 0, 0, sizeof(HookRec)));
    if (!g_rec) {
        CloseHandle(g_mapping);
        g_mapping = nullptr;
    }
}

void UnmapRecord() {
    if (g_rec) UnmapViewOfFile(g_rec);
    if (g_mapping) CloseHandle(g_mapping);
    g_rec = nullptr;
    g_mapping = nullptr;
}

bool Hooked() { return g_rec && g_rec->HookHandle != 0; }

HHOOK HookOf(const HookRec& rec) {
    return reinterpret_cast<HHOOK>(static_cast<ULONG_PTR>(rec.HookHandle));
}

}  // namespace

extern "C" {

LRESULT CALLBACK HookSysKeys(int code, WPARAM wParam, LPARAM lParam) {
    if (!g_rec || code < 0) return CallNextHookEx(nullptr, code, wParam, lParam);
    if (code != HC_ACTION) return 0;
    if (zoram::IsTrapped(*g_rec, static_cast<unsigned>(wParam))) {
        HWND main = FindWindowA(zoram::kHookTargetClass, nullptr);
        PostMessageA(main, g_message, wParam, 0);
        return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void WINAPI TrapMiddle() { if (Hooked()) g_rec->TrappedButton = 1; }
void WINAPI TrapRight() { if (Hooked()) g_rec->TrappedButton = 0; }
void WINAPI ShowMovement() { if (Hooked()) g_rec->MovementHidden = 0; }
void WINAPI HideMovement() { if (Hooked()) g_rec->MovementHidden = 1; }

void WINAPI UnHookMouse() {
    if (Hooked() && UnhookWindowsHookEx(HookOf(*g_rec))) g_rec->HookHandle = 0;
}

void WINAPI HookMouse() {
    if (!g_rec || g_rec->HookHandle != 0) return;
    g_rec->MovementHidden = 0;
    HHOOK hook = SetWindowsHookExA(WH_MOUSE, HookSysKeys, g_instance, 0);
    g_rec->HookHandle = static_cast<uint32_t>(reinterpret_cast<ULONG_PTR>(hook));
}

HookRec* WINAPI GetHookRecPointer() { return g_rec; }

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_instance = instance;
        g_message = RegisterWindowMessageA(zoram::kHookMessageName);
        MapRecord();
    } else if (reason == DLL_PROCESS_DETACH) {
        UnmapRecord();
    }
    return TRUE;
}

}  // extern "C"
