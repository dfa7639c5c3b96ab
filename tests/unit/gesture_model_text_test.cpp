#include <gtest/gtest.h>

#include <memory>

#include "gesture/GestureModel.h"

using namespace zoram;

TEST(TextField, CutsAtFieldCapacityAndStopsAtNul) {
    auto g = std::make_unique<TGesture>();
    std::fill(std::begin(g->DefaultAction), std::end(g->DefaultAction), u'x');
    struct Case { std::u16string in; std::u16string out; } cases[] = {
        {u"", u""},
        {u"abc", u"abc"},
        {std::u16string(u"ab\0cd", 5), u"ab"},
        {std::u16string(1024, u'y'), std::u16string(1024, u'y')},
        {std::u16string(5000, u'z'), std::u16string(1024, u'z')},
    };
    for (const auto& c : cases) {
        SetText(g->DefaultAction, c.in);
        EXPECT_EQ(GetText(g->DefaultAction), c.out);
        EXPECT_EQ(g->DefaultAction[c.out.size()], u'\0');
    }
    // The byte after the field belongs to the first rule and stays untouched.
    g->Rules[0].ProgramIndex = 7;
    SetText(g->DefaultAction, std::u16string(4000, u'q'));
    EXPECT_EQ(g->Rules[0].ProgramIndex, 7);
}

TEST(TextField, ReadsAtMostTheWholeFieldWithoutNul) {
    auto p = std::make_unique<TKnownProgram>();
    std::fill(std::begin(p->Path), std::end(p->Path), u'p');
    p->Name[0] = u'n';  // directly after Path: must not be read as part of it
    EXPECT_EQ(GetText(p->Path).size(), 1025u);
}
