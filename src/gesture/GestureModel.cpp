#include "gesture/GestureModel.h"

#include <algorithm>

namespace zoram {

void SetText(char16_t (&field)[kTextUnits], std::u16string_view text) {
    // Stop at an embedded NUL as the stored form would, and never write past
    // the field: longer texts are cut at 1024 characters.
    size_t n = std::min<size_t>(text.find(u'\0'), text.size());
    n = std::min<size_t>(n, kMaxTextLength);
    std::copy_n(text.data(), n, field);
    field[n] = u'\0';
}

std::u16string GetText(const char16_t (&field)[kTextUnits]) {
    size_t n = 0;
    while (n < kTextUnits && field[n] != u'\0') ++n;
    return std::u16string(field, n);
}

}  // namespace zoram
