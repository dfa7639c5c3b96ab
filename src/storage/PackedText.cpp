#include "storage/PackedText.h"

#include <algorithm>
#include <cstring>

#include "gesture/GestureModel.h"

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

}  // namespace

std::u16string ReadPackedText(const void* field) {
    std::u16string text(Length(field), u'\0');
    std::memcpy(text.data(), field, 2 * text.size());
    return text;
}

void WritePackedText(void* field, std::u16string_view text) {
    size_t n = std::min(text.find(u'\0'), text.size());
    n = std::min<size_t>(n, kMaxTextLength);
    std::memcpy(field, text.data(), 2 * n);
    const char16_t nul = u'\0';
    std::memcpy(static_cast<char*>(field) + 2 * n, &nul, 2);
}

bool TerminatePackedText(void* field) {
    if (Length(field) < kTextUnits) return false;
    const char16_t nul = u'\0';
    std::memcpy(static_cast<char*>(field) + 2 * kMaxTextLength, &nul, 2);
    return true;
}

}  // namespace zoram
