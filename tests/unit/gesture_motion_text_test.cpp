#include <gtest/gtest.h>

#include "gesture/MotionText.h"
#include "gesture_test_util.h"

using namespace zoram;
using namespace zoram::testutil;

TEST(MotionText, ParsesPointLines) {
    struct Case { const char* text; std::vector<XY> points; } cases[] = {
        {"", {}},
        {"1 2\n3 4\n", {{1, 2}, {3, 4}}},
        {"  -5\t+6  \r\n\n7,8", {{-5, 6}, {7, 8}}},
        {"2147483647 -2147483648\n", {{2147483647, -2147483647 - 1}}},
    };
    for (const auto& c : cases) {
        std::vector<TPoint> pts;
        std::string error;
        ASSERT_TRUE(ParseMotionText(c.text, pts, error)) << c.text << ": " << error;
        std::vector<XY> got;
        for (const auto& p : pts) got.emplace_back(p.x, p.y);
        EXPECT_EQ(got, c.points);
    }
}

TEST(MotionText, RejectsBadLinesWithTheirNumber) {
    struct Case { std::string text; const char* error; } cases[] = {
        {"1\n", "line 1: expected two integers \"x y\""},
        {"1 2\nx 3\n", "line 2: expected two integers \"x y\""},
        {"1 2 3\n", "line 1: unexpected text after \"x y\""},
        {"1.5 2\n", "line 1: expected two integers \"x y\""},
        {"2147483648 0\n", "line 1: expected two integers \"x y\""},
        {[] { std::string s; for (int i = 0; i <= kMaxPoints; ++i) s += "1 1\n"; return s; }(),
         "line 2002: more than 2001 points"},
    };
    for (const auto& c : cases) {
        std::vector<TPoint> pts;
        std::string error;
        EXPECT_FALSE(ParseMotionText(c.text, pts, error));
        EXPECT_EQ(error, c.error);
    }
}
