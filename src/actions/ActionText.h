// Small text helpers shared by the action modules.
#pragma once
#include <string>
#include <string_view>

namespace zoram::actiontext {

constexpr char16_t AsciiLower(char16_t c) { return c >= u'A' && c <= u'Z' ? c + 32 : c; }
constexpr char16_t AsciiUpper(char16_t c) { return c >= u'a' && c <= u'z' ? c - 32 : c; }

std::u16string AsciiLowered(std::u16string_view s);
std::u16string AsciiUppered(std::u16string_view s);
// Lower case for file paths: ASCII, Latin-1, Latin Extended-A, Greek and
// Cyrillic letters, the scripts Windows paths commonly use.
std::u16string PathLowered(std::u16string_view s);
// Removes blanks and control characters at both ends.
std::u16string Trimmed(std::u16string_view s);
bool StartsWith(std::u16string_view s, std::u16string_view prefix);
bool EqualsNoCase(std::u16string_view a, std::u16string_view b);
bool StartsWithNoCase(std::u16string_view s, std::u16string_view prefix);
// Replaces every occurrence left to right without overlap; ASCII letter
// case is ignored when `ignoreCase` is set.
std::u16string ReplaceAll(std::u16string_view s, std::u16string_view from,
                          std::u16string_view to, bool ignoreCase);
std::string ToUtf8(std::u16string_view s);
std::u16string FromUtf8(std::string_view s);

}  // namespace zoram::actiontext
