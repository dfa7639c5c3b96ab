#include <gtest/gtest.h>

#include <optional>

#include "app/Autostart.h"

using namespace zoram;

namespace {
struct FakeRunKey : RunKey {
    std::optional<std::u16string> value;
    int writes = 0, deletes = 0;
    std::u16string Read() override { return value.value_or(u""); }
    void Write(const std::u16string& v) override { value = v; ++writes; }
    void Delete() override { value.reset(); ++deletes; }
};
const std::u16string kSelf = u"C:\\Tools\\Zoram\\zoram.exe";
}  // namespace

TEST(Autostart, TrayItemTogglesTheEntry) {
    FakeRunKey k;
    EXPECT_FALSE(willAutoStart(k));
    EXPECT_TRUE(ToggleAutostart(k, kSelf));
    EXPECT_EQ(k.value, kSelf);
    EXPECT_TRUE(willAutoStart(k));
    EXPECT_FALSE(ToggleAutostart(k, kSelf));
    EXPECT_FALSE(k.value.has_value());
}

TEST(Autostart, QuestionOnlyForAnotherCopy) {
    struct Case { std::optional<std::u16string> value; bool asks; } cases[] = {
        {std::nullopt, false},
        {kSelf, false},
        {u"c:\\TOOLS\\zoram\\ZORAM.EXE", false},  // letter case does not matter
        {u"D:\\Old\\zoram.exe", true},            // the program moved
        {u"   ", true},                           // blanks differ from the path
    };
    for (const auto& c : cases) {
        FakeRunKey k;
        k.value = c.value;
        EXPECT_EQ(AutostartPointsElsewhere(k, kSelf), c.asks);
    }
    FakeRunKey k;
    k.value = u"D:\\Old\\zoram.exe";
    PointAutostartHere(k, kSelf);
    EXPECT_EQ(k.value, kSelf);
}

TEST(Autostart, BlankEntryShowsUncheckedAndIsWrittenOnNextClick) {
    FakeRunKey k;
    k.value = u"   ";
    EXPECT_FALSE(willAutoStart(k));
    EXPECT_TRUE(ToggleAutostart(k, kSelf));
    EXPECT_EQ(k.value, kSelf);
}
