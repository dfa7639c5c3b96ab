// Text fields inside the packed records. Many of them sit at odd addresses
// (a gesture record is 225,319 bytes long, the program table starts at an odd
// offset), so they are read and written through memcpy, never through a
// char16_t pointer or reference.
#pragma once
#include <string>
#include <string_view>

namespace zoram {

// The field's text up to its first NUL, at most 1025 units. `field` is the
// address of a 1025-unit text field.
std::u16string ReadPackedText(const void* field);
// Stores the text cut at 1024 units (and at an embedded NUL), then a NUL.
void WritePackedText(void* field, std::u16string_view text);
// Puts a NUL in the last unit when the field has none; true if it did.
bool TerminatePackedText(void* field);

}  // namespace zoram
