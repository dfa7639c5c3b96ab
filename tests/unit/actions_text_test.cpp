#include <gtest/gtest.h>

#include "actions/ActionText.h"

using namespace zoram::actiontext;

TEST(ActionText, CaseTrimAndReplace) {
    EXPECT_EQ(AsciiLowered(u"AbC\u00c4"), u"abc\u00c4");
    EXPECT_EQ(AsciiUppered(u"aBc\u00e4"), u"ABC\u00e4");
    EXPECT_EQ(PathLowered(u"C:\\\u00c4\u00d7\u0130\u0178\u0391\u0410\u0401X"), u"c:\\\u00e4\u00d7i\u00ff\u03b1\u0430\u0451x");
    EXPECT_EQ(Trimmed(u" \t a b \r\n"), u"a b");
    EXPECT_EQ(Trimmed(u"   "), u"");
    EXPECT_TRUE(EqualsNoCase(u"Browser: BACK", u"browser: back"));
    EXPECT_FALSE(EqualsNoCase(u"a", u"ab"));
    EXPECT_TRUE(StartsWithNoCase(u"HTTPS://x", u"https://"));
    EXPECT_FALSE(StartsWithNoCase(u"htt", u"http"));
    EXPECT_EQ(ReplaceAll(u"aXxa", u"x", u"yy", true), u"ayyyya");
    EXPECT_EQ(ReplaceAll(u"aXxa", u"x", u"yy", false), u"aXyya");
    EXPECT_EQ(ReplaceAll(u"aaa", u"aa", u"b", false), u"ba");  // left to right, no overlap
    EXPECT_EQ(ReplaceAll(u"abc", u"", u"z", false), u"abc");
}

TEST(ActionText, Utf8BothWays) {
    const std::u16string text = u"a\u00fc\u4e2d\U0001F600";
    EXPECT_EQ(ToUtf8(text), "a\xc3\xbc\xe4\xb8\xad\xf0\x9f\x98\x80");
    EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
    // A lone surrogate cannot be written as UTF-8.
    EXPECT_EQ(ToUtf8(std::u16string(1, char16_t(0xD800))), "\xef\xbf\xbd");
    struct Case {
        std::string in;
        std::u16string out;
    } bad[] = {
        {"\xc0\xaf", u"\uFFFD\uFFFD"},          // overlong "/"
        {"\xe0\x80\xaf", u"\uFFFD\uFFFD\uFFFD"}, // overlong, three bytes
        {"\xed\xa0\x80", u"\uFFFD\uFFFD\uFFFD"}, // an encoded surrogate
        {"\xf4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // past U+10FFFF
        {"a\xc3", u"a\uFFFD"},                  // cut short
        {"\xc3(", u"\uFFFD("},                  // bad trail byte
        {"\xff", u"\uFFFD"},
    };
    for (const auto& c : bad) EXPECT_EQ(FromUtf8(c.in), c.out);
}
