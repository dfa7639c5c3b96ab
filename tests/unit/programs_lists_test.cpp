#include <gtest/gtest.h>

#include "programs/ProgramLists.h"

using namespace zoram;

namespace {
const std::u16string kSelf = u"C:\\Tools\\Zoram\\zoram.exe";
std::u16string Prog(int i) { return u"C:\\Apps\\p" + std::u16string(1, u'0' + i) + u".exe"; }
}  // namespace

TEST(ProgramLists, RecentListKeepsNineFirstSeenNewestFirst) {
    ProgramLists l;
    for (int i = 0; i < 10; ++i) l.Refresh(Prog(i), kSelf);
    ASSERT_EQ(l.RecentPrograms.size(), 9u);
    EXPECT_EQ(l.RecentPrograms.front(), u"c:\\apps\\p9.exe");
    EXPECT_EQ(l.RecentPrograms.back(), u"c:\\apps\\p1.exe");
    // Coming back to a listed program does not move it.
    EXPECT_FALSE(l.Refresh(u"  C:\\APPS\\P5.EXE ", kSelf));
    EXPECT_EQ(l.CurrentProgram, u"c:\\apps\\p5.exe");
    EXPECT_EQ(l.RecentPrograms[4], u"c:\\apps\\p5.exe");
}

TEST(ProgramLists, OwnProgramAndUnknownProgramsStayOutOfTheList) {
    ProgramLists l;
    EXPECT_FALSE(l.Refresh(u"c:\\tools\\zoram\\ZORAM.exe", kSelf));
    EXPECT_EQ(l.CurrentProgram, u"c:\\tools\\zoram\\zoram.exe");
    EXPECT_FALSE(l.Refresh(u"", kSelf));
    EXPECT_EQ(l.CurrentProgram, u"");
    EXPECT_TRUE(l.RecentPrograms.empty());
}

TEST(ProgramLists, ExclusionComparesWithoutCase) {
    ProgramLists l;
    std::vector<std::u16string> excluded = {u"c:\\games\\game.exe"};
    EXPECT_FALSE(l.IsExcluded(excluded));  // nothing known yet
    l.Refresh(u"C:\\Games\\Game.EXE", kSelf);
    EXPECT_TRUE(l.IsExcluded(excluded));
    l.Refresh(u"C:\\Apps\\editor.exe", kSelf);
    EXPECT_FALSE(l.IsExcluded(excluded));
    // An empty entry matches a program that could not be identified.
    excluded.push_back(u"");
    l.Refresh(u"", kSelf);
    EXPECT_TRUE(l.IsExcluded(excluded));
}
