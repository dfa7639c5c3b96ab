#include "gesture/GestureModel.h"

#include <algorithm>
#include <cstring>

namespace zoram {

namespace {

char16_t UnitAt(const void* field, size_t i) {
    char16_t c;
    std::memcpy(&c, static_cast<const char*>(field) + 2 * i, 2);
    return c;
}

size_t Length(const void* field) {
    size_t n = 0;
    while (n < kTextUnits && UnitAt(field, n) != u'\0') ++n;
    return n;
}

void PutNul(void* field, size_t at) {
    const char16_t nul = u'\0';
    std::memcpy(static_cast<char*>(field) + 2 * at, &nul, 2);
}

}  // namespace

void SetText(void* field, std::u16string_view text) {
    size_t n = std::min(text.find(u'\0'), text.size());
    n = std::min<size_t>(n, kMaxTextLength);
    std::memcpy(field, text.data(), 2 * n);
    PutNul(field, n);
}

std::u16string GetText(const void* field) {
    std::u16string text(Length(field), u'\0');
    std::memcpy(text.data(), field, 2 * text.size());
    return text;
}

bool TerminateText(void* field) {
    if (Length(field) < kTextUnits) return false;
    PutNul(field, kMaxTextLength);
    return true;
}

}  // namespace zoram
