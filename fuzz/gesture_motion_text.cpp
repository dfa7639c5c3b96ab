// Motion text as the set tool reads it from standard input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "gesture/MotionText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<zoram::TPoint> points;
    std::string error;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (zoram::ParseMotionText(text, points, error)) {
        // What is printed reads back the same.
        std::vector<zoram::TPoint> again;
        const std::string printed = zoram::MotionToText(points.data(), static_cast<int>(points.size()));
        if (!zoram::ParseMotionText(printed, again, error) || again.size() != points.size()) std::abort();
        for (size_t i = 0; i < points.size(); ++i)
            if (again[i].x != points[i].x || again[i].y != points[i].y) std::abort();
    } else if (error.empty()) {
        std::abort();
    }
    return 0;
}
