// UTF-16 text crosses the Win32 boundary unchanged: wchar_t is 16-bit there.
#pragma once
#include <string>
#include <string_view>

namespace zoram {

inline const wchar_t* W(const std::u16string& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }
inline std::u16string U(std::wstring_view s) {
    return std::u16string(reinterpret_cast<const char16_t*>(s.data()), s.size());
}
inline std::wstring Wide(std::u16string_view s) {
    return std::wstring(reinterpret_cast<const wchar_t*>(s.data()), s.size());
}

}  // namespace zoram
