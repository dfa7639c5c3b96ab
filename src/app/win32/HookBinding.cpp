#include "HookBinding.h"

namespace zoram {

void HookBinding::Load() {
    module_ = LoadLibraryA("MouseCore.dll");
    if (!module_) return;
    auto bind = [this](const char* name) {
        return reinterpret_cast<Export>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
    };
    hookMouse_ = bind("HookMouse");
    unHookMouse_ = bind("UnHookMouse");
    showMovement_ = bind("ShowMovement");
    hideMovement_ = bind("HideMovement");
    trapRight_ = bind("TrapRight");
    trapMiddle_ = bind("TrapMiddle");
}

}  // namespace zoram
