#pragma once
#include "app/Autostart.h"

namespace zoram {

// HKEY_CURRENT_USER\SOFTWARE\Microsoft\Windows\CurrentVersion\Run, value "zoram".
class RunKeyWin32 final : public RunKey {
public:
    std::u16string Read() override;
    void Write(const std::u16string& value) override;
    void Delete() override;
};

}  // namespace zoram
