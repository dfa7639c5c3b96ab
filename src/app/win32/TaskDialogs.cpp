#include "TaskDialogs.h"

#include <commctrl.h>

#include <vector>

namespace zoram {

int AskTask(HWND owner, PCWSTR icon, const wchar_t* content, std::initializer_list<const wchar_t*> buttons,
            int fallback) {
    std::vector<TASKDIALOG_BUTTON> list;
    int id = 100;
    for (const wchar_t* text : buttons) list.push_back({id++, text});
    TASKDIALOGCONFIG config{};
    config.cbSize = sizeof(config);
    config.hwndParent = owner;
    config.dwFlags = TDF_ALLOW_DIALOG_CANCELLATION | TDF_POSITION_RELATIVE_TO_WINDOW | TDF_USE_HICON_MAIN;
    config.pszWindowTitle = L"Zoram";
    config.hMainIcon = LoadIconW(nullptr, icon);
    config.pszContent = content;
    config.pButtons = list.data();
    config.cButtons = static_cast<UINT>(list.size());
    config.nDefaultButton = 100;
    int chosen = 0;
    if (FAILED(TaskDialogIndirect(&config, &chosen, nullptr, nullptr))) return fallback;
    return chosen >= 100 ? chosen : fallback;
}

}  // namespace zoram
