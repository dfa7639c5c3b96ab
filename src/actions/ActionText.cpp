#include "actions/ActionText.h"

namespace zoram::actiontext {

std::u16string AsciiLowered(std::u16string_view s) {
    std::u16string r(s);
    for (auto& c : r) c = AsciiLower(c);
    return r;
}

std::u16string AsciiUppered(std::u16string_view s) {
    std::u16string r(s);
    for (auto& c : r) c = AsciiUpper(c);
    return r;
}

static char16_t PathLower(char16_t c) {
    if (c < 0x80) return AsciiLower(c);
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 0x20;                // Latin-1
    if (c == 0x130) return u'i';  // dotted capital I
    if (c >= 0x100 && c <= 0x137 && c % 2 == 0) return c + 1;                 // Latin Ext-A
    if (c >= 0x139 && c <= 0x148 && c % 2 == 1) return c + 1;
    if (c >= 0x14A && c <= 0x177 && c % 2 == 0) return c + 1;
    if (c == 0x178) return 0xFF;
    if (c >= 0x179 && c <= 0x17E && c % 2 == 1) return c + 1;
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 0x20;              // Greek
    if (c >= 0x410 && c <= 0x42F) return c + 0x20;                            // Cyrillic
    if (c >= 0x400 && c <= 0x40F) return c + 0x50;
    return c;
}

std::u16string PathLowered(std::u16string_view s) {
    std::u16string r(s);
    for (auto& c : r) c = PathLower(c);
    return r;
}

std::u16string Trimmed(std::u16string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && s[b] <= u' ') ++b;
    while (e > b && s[e - 1] <= u' ') --e;
    return std::u16string(s.substr(b, e - b));
}

bool StartsWith(std::u16string_view s, std::u16string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

bool EqualsNoCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}

bool StartsWithNoCase(std::u16string_view s, std::u16string_view prefix) {
    return s.size() >= prefix.size() && EqualsNoCase(s.substr(0, prefix.size()), prefix);
}

std::u16string ReplaceAll(std::u16string_view s, std::u16string_view from, std::u16string_view to,
                          bool ignoreCase) {
    if (from.empty()) return std::u16string(s);
    std::u16string r;
    r.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        auto here = s.substr(i, from.size());
        if (here.size() == from.size() && (ignoreCase ? EqualsNoCase(here, from) : here == from)) {
            r += to;
            i += from.size();
        } else {
            r += s[i++];
        }
    }
    return r;
}

std::string ToUtf8(std::u16string_view s) {
    std::string r;
    for (size_t i = 0; i < s.size(); ++i) {
        char32_t c = s[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF)
            c = 0x10000 + ((c - 0xD800) << 10) + (s[++i] - 0xDC00);
        else if (c >= 0xD800 && c <= 0xDFFF)
            c = 0xFFFD;
        if (c < 0x80) {
            r += char(c);
        } else if (c < 0x800) {
            r += char(0xC0 | (c >> 6));
            r += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            r += char(0xE0 | (c >> 12));
            r += char(0x80 | ((c >> 6) & 0x3F));
            r += char(0x80 | (c & 0x3F));
        } else {
            r += char(0xF0 | (c >> 18));
            r += char(0x80 | ((c >> 12) & 0x3F));
            r += char(0x80 | ((c >> 6) & 0x3F));
            r += char(0x80 | (c & 0x3F));
        }
    }
    return r;
}

std::u16string FromUtf8(std::string_view s) {
    // Malformed input (bad lead or trail bytes, overlong forms, surrogates,
    // values past U+10FFFF) becomes U+FFFD, one per bad lead byte.
    std::u16string r;
    r.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        unsigned char b = s[i];
        int extra = b < 0x80 ? 0 : b >= 0xC2 && b <= 0xDF ? 1 : b >= 0xE0 && b <= 0xEF ? 2 : b >= 0xF0 && b <= 0xF4 ? 3 : -1;
        char32_t c = extra == 0 ? b : extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
        bool ok = extra >= 0 && i + extra < s.size();
        for (int k = 1; ok && k <= extra; ++k) {
            unsigned char t = s[i + k];
            if ((t >> 6) != 2) ok = false;
            else c = (c << 6) | (t & 0x3F);
        }
        static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
        if (ok && (c < kMin[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))) ok = false;
        if (!ok) {
            r += u'\uFFFD';
            ++i;
            continue;
        }
        i += extra + 1;
        if (c >= 0x10000) {
            c -= 0x10000;
            r += char16_t(0xD800 + (c >> 10));
            r += char16_t(0xDC00 + (c & 0x3FF));
        } else {
            r += char16_t(c);
        }
    }
    return r;
}

}  // namespace zoram::actiontext
