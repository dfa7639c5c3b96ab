#pragma once
#include <windows.h>

#include <initializer_list>

namespace zoram {

// A task dialog titled "Zoram" with a system icon (IDI_WARNING,
// IDI_QUESTION, ...) and custom buttons numbered from 100.
// Returns the chosen button's number; `fallback` when the dialog could not
// be shown or was closed without a choice.
int AskTask(HWND owner, PCWSTR icon, const wchar_t* content, std::initializer_list<const wchar_t*> buttons,
            int fallback);

}  // namespace zoram
