#pragma once
#include <windows.h>

#include <string>

namespace zoram {

// The executable path of the process that owns the window; empty when it
// cannot be read.
std::u16string ProcessPathOfWindow(HWND window);

}  // namespace zoram
