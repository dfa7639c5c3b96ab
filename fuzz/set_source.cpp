// Set sources given to the set tool: parsing must not crash or overrun a
// field, and whatever parses must be written and parsed back to the same text.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "storage/SetSource.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zoram;
    static auto set = std::make_unique<TGestureSet>();
    static auto again = std::make_unique<TGestureSet>();
    std::vector<SourceError> errors;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (!ParseSetSource(text, *set, errors)) {
        if (errors.empty()) std::abort();
        return 0;
    }
    // Names the format cannot hold are renamed on the first writing, so the
    // written text is checked from the second generation on.
    const std::string first = WriteSetSource(*set);
    if (!ParseSetSource(first, *again, errors)) std::abort();
    const std::string second = WriteSetSource(*again);
    if (!ParseSetSource(second, *set, errors) || WriteSetSource(*set) != second) std::abort();
    return 0;
}
