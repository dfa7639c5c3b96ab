// Settings: value encodings, the colour table, reading and writing order,
// section `exclude`, write failures and program-relative paths.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/ProgramPath.h"
#include "app/Settings.h"

namespace zoram {
namespace {

std::string Narrow(std::u16string_view s) {
    std::string out;
    for (char16_t c : s) out += c < 0x80 ? char(c) : '?';
    return out;
}

// An in-memory profile file that keeps the key order and records every call.
class FakeProfile : public ProfileFile {
public:
    using Section = std::vector<std::pair<std::u16string, std::u16string>>;
    std::map<std::u16string, Section> sections;
    std::vector<std::string> calls;  // "read main.tail", "write main.active=1", "erase exclude"
    std::u16string failAtKey;        // writing this key fails

    std::u16string ReadString(std::u16string_view section, std::u16string_view key,
                              std::u16string_view fallback) override {
        calls.push_back("read " + Narrow(section) + "." + Narrow(key));
        auto s = sections.find(std::u16string(section));
        if (s != sections.end())
            for (const auto& [k, v] : s->second)
                if (k == key) return v;
        return std::u16string(fallback);
    }
    std::vector<std::u16string> ReadKeys(std::u16string_view section) override {
        std::vector<std::u16string> keys;
        auto s = sections.find(std::u16string(section));
        if (s != sections.end())
            for (const auto& kv : s->second) keys.push_back(kv.first);
        return keys;
    }
    bool WriteString(std::u16string_view section, std::u16string_view key,
                     std::u16string_view value) override {
        calls.push_back("write " + Narrow(section) + "." + Narrow(key) + "=" + Narrow(value));
        if (key == failAtKey) return false;
        Section& s = sections[std::u16string(section)];
        for (auto& [k, v] : s)
            if (k == key) return v = value, true;
        s.emplace_back(key, value);
        return true;
    }
    bool EraseSection(std::u16string_view section) override {
        calls.push_back("erase " + Narrow(section));
        sections.erase(std::u16string(section));
        return true;
    }
    std::u16string FileName() const override { return u"C:\\Program Files\\Zoram\\zoram.ini"; }

    std::u16string Value(const std::u16string& section, const std::u16string& key) {
        for (const auto& [k, v] : sections[section])
            if (k == key) return v;
        return u"<missing>";
    }
};

constexpr std::u16string_view kExe = u"C:\\Program Files\\Zoram\\";

TEST(SettingsValues, IntegerAndBooleanRules) {
    const struct {
        std::u16string_view text;
        int32_t expected;
    } cases[] = {
        {u"2", 2},   {u"0x2", 2},   {u"0X1f", 31},  {u"2x", 7},   {u"0x", 7},  {u"", 7},
        {u"-5", -5}, {u"+4", 4},    {u"0xg1", 7},   {u"1.5", 7},  {u"abc", 7},
        {u"2147483647", 2147483647}, {u"2147483648", 7}, {u"-2147483648", INT32_MIN},
        {u"0xFFFFFFFF", -1},         {u"0x100000000", 7}, {u"$10", 7},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseIntegerSetting(c.text, 7), c.expected) << Narrow(c.text);
    EXPECT_TRUE(ParseBooleanSetting(u"5", false));
    EXPECT_TRUE(ParseBooleanSetting(u"0x10", false));
    EXPECT_FALSE(ParseBooleanSetting(u"0", true));
    EXPECT_TRUE(ParseBooleanSetting(u"yes", true));
    EXPECT_FALSE(ParseBooleanSetting(u"", false));
}

TEST(SettingsValues, ColourTableNamesAndValues) {
    const auto& table = ColourNames();
    ASSERT_EQ(table.size(), 52u);
    std::set<std::u16string_view> names;
    std::set<uint32_t> values;
    int system = 0;
    for (const ColourName& c : table) {
        names.insert(c.name);
        values.insert(c.value);
        system += (c.value & 0xFFFFFF00u) == 0xFF000000u;
        // Every entry is written as its name and read back as its value.
        EXPECT_EQ(ColourToString(c.value), c.name);
        EXPECT_EQ(ParseColour(c.name), c.value);
    }
    EXPECT_EQ(names.size(), 52u);
    EXPECT_EQ(values.size(), 52u);
    EXPECT_EQ(system, 30);
    EXPECT_EQ(ParseColour(u"clBlue"), 0xFF0000u);
    EXPECT_EQ(ParseColour(u"CLSKYBLUE"), 0xF0CAA6u);
    EXPECT_EQ(ParseColour(u"clBtnFace"), 0xFF00000Fu);
    EXPECT_EQ(ParseColour(u"clNone"), 0x1FFFFFFFu);
    EXPECT_EQ(ParseColour(u"clDefault"), 0x20000000u);
    EXPECT_EQ(ParseColour(u"$00FF8000"), 0x00FF8000u);
    EXPECT_EQ(ParseColour(u"$ff"), 0xFFu);
    EXPECT_EQ(ParseColour(u"255"), 255u);
    EXPECT_EQ(ParseColour(u"-1"), 0xFFFFFFFFu);
    for (std::u16string_view bad : {u"", u"blue", u"$", u"$123456789", u"0x10", u"12a"})
        EXPECT_FALSE(ParseColour(bad)) << Narrow(bad);
    EXPECT_EQ(ColourToString(0x00FF8000), u"$00FF8000");
    EXPECT_EQ(ColourToString(0x00ABCDEF), u"$00ABCDEF");
    EXPECT_EQ(ColourToString(0x0000FF), u"clRed");
}

TEST(SettingsFile, MissingFileGivesTheDefaults) {
    FakeProfile file;
    Settings s;
    s.exclude = {u"stale"};
    EXPECT_FALSE(LoadSettings(file, kExe, s));
    EXPECT_EQ(s.motions, u"");
    EXPECT_EQ(s.tail, 0xFF0000u);
    EXPECT_TRUE(s.active && s.tutorialPrompt && s.showInfo && s.showTrails && s.autoCheck && s.recentList);
    EXPECT_FALSE(s.mouseExMode || s.fastTrails);
    EXPECT_EQ(s.language, 0);
    EXPECT_EQ(s.idleTimeout, 0);
    EXPECT_EQ(s.invoke, 1);
    EXPECT_TRUE(s.exclude.empty());
}

TEST(SettingsFile, ReadsInStartUpOrderWithTheEncodings) {
    FakeProfile file;
    file.sections[u"main"] = {{u"invoke", u"0x2"},   {u"active", u"5"},       {u"showInfo", u"0"},
                              {u"language", u"1"},   {u"idleTimeout", u"50"}, {u"tail", u"$00FF8000"},
                              {u"fastTrails", u"x"}, {u"motions", u"sets\\mine.mtd"}};
    file.sections[u"exclude"] = {{u"foo", u"c:\\a\\one.exe"}, {u"bar", u"c:\\b\\two.exe"}};
    Settings s;
    ASSERT_FALSE(LoadSettings(file, kExe, s));
    EXPECT_EQ(file.calls, (std::vector<std::string>{
                              "read main.tail", "read main.motions", "read main.tutorialPrompt",
                              "read main.showInfo", "read main.autoCheck", "read main.recentList",
                              "read main.showTrails", "read main.fastTrails", "read main.active",
                              "read main.mouseExMode", "read main.invoke", "read main.language",
                              "read main.idleTimeout", "read exclude.foo", "read exclude.bar"}));
    EXPECT_EQ(s.invoke, 2);
    EXPECT_TRUE(s.active);
    EXPECT_FALSE(s.showInfo);
    EXPECT_FALSE(s.fastTrails);
    EXPECT_EQ(s.language, 1);
    EXPECT_EQ(s.idleTimeout, 50);
    EXPECT_EQ(s.tail, 0x00FF8000u);
    EXPECT_EQ(s.motions, u"C:\\Program Files\\Zoram\\sets\\mine.mtd");
    EXPECT_EQ(s.exclude, (std::vector<std::u16string>{u"c:\\a\\one.exe", u"c:\\b\\two.exe"}));

    // A value that is no number gives the default, not what memory held.
    file.sections[u"main"] = {{u"invoke", u"2x"}, {u"showInfo", u"no"}};
    ASSERT_FALSE(LoadSettings(file, kExe, s));
    EXPECT_EQ(s.invoke, 1);
    EXPECT_TRUE(s.showInfo);
}

TEST(SettingsFile, UnreadableTailStopsWithItsMessage) {
    for (std::u16string_view bad : {u"blue", u""}) {
        FakeProfile file;
        file.sections[u"main"] = {{u"tail", std::u16string(bad)}, {u"invoke", u"3"}};
        Settings s;
        auto error = LoadSettings(file, kExe, s);
        ASSERT_TRUE(error);
        EXPECT_EQ(*error, u"'" + std::u16string(bad) + u"' is not a valid integer value");
        EXPECT_EQ(file.calls, std::vector<std::string>{"read main.tail"});
        EXPECT_EQ(s.invoke, 1);
    }
}

TEST(SettingsFile, SavesEveryKeyInOrderAndRewritesExclude) {
    FakeProfile file;
    file.sections[u"exclude"] = {{u"foo", u"old"}};
    Settings s;
    s.motions = u"C:\\Program Files\\Zoram\\sets\\mine.mtd";
    s.active = true;
    s.invoke = 3;
    s.tail = 0x00FF8000;
    s.exclude = {u"c:\\a\\one.exe", u"c:\\b\\two.exe"};
    ASSERT_FALSE(SaveSettings(file, kExe, s));
    EXPECT_EQ(file.calls, (std::vector<std::string>{
                              "write main.version=1.41", "write main.motions=sets\\mine.mtd",
                              "write main.active=1", "write main.tutorialPrompt=1",
                              "write main.showInfo=1", "write main.showTrails=1",
                              "write main.autoCheck=1", "write main.mouseExMode=0",
                              "write main.fastTrails=0", "write main.recentList=1",
                              "write main.language=0", "write main.idleTimeout=0",
                              "write main.invoke=3", "write main.tail=$00FF8000", "erase exclude",
                              "write exclude.program0=c:\\a\\one.exe",
                              "write exclude.program1=c:\\b\\two.exe"}));

    // Read back as written; keys foo and bar become program0 and program1.
    Settings back;
    ASSERT_FALSE(LoadSettings(file, kExe, back));
    EXPECT_EQ(back.motions, s.motions);
    EXPECT_EQ(back.exclude, s.exclude);

    s.exclude.clear();
    s.motions = u"D:\\sets\\other.mtd";
    s.tail = 0xFF0000;
    ASSERT_FALSE(SaveSettings(file, kExe, s));
    EXPECT_EQ(file.sections.count(u"exclude"), 0u);  // no empty section left
    EXPECT_EQ(file.Value(u"main", u"motions"), u"D:\\sets\\other.mtd");
    EXPECT_EQ(file.Value(u"main", u"tail"), u"clBlue");
}

TEST(SettingsFile, WriteFailureStopsTheSaveWithItsMessage) {
    FakeProfile file;
    file.failAtKey = u"showInfo";
    Settings s;
    s.exclude = {u"c:\\x.exe"};
    auto error = SaveSettings(file, kExe, s);
    ASSERT_TRUE(error);
    EXPECT_EQ(*error, u"Unable to write to C:\\Program Files\\Zoram\\zoram.ini");
    EXPECT_EQ(file.calls.size(), 5u);
    EXPECT_EQ(file.calls.back(), "write main.showInfo=1");
    EXPECT_EQ(file.Value(u"main", u"showTrails"), u"<missing>");
    EXPECT_EQ(file.sections.count(u"exclude"), 0u);
}

TEST(SettingsFile, NonAsciiValuesSurviveASaveAndReload) {
    FakeProfile file;
    Settings s;
    s.motions = u"C:\\Program Files\\Zoram\\手势\\集合.mtd";
    s.exclude = {u"c:\\programmes\\éditeur.exe"};
    ASSERT_FALSE(SaveSettings(file, kExe, s));
    EXPECT_EQ(file.Value(u"main", u"motions"), u"手势\\集合.mtd");
    Settings back;
    ASSERT_FALSE(LoadSettings(file, kExe, back));
    EXPECT_EQ(back.motions, s.motions);
    EXPECT_EQ(back.exclude, s.exclude);
}

TEST(ProgramPaths, RelativeToTheProgramFolder) {
    const struct {
        std::u16string_view base, path, expected;
    } cases[] = {
        {kExe, u"C:\\Windows\\notepad.exe", u"..\\..\\Windows\\notepad.exe"},
        {kExe, u"C:\\Program Files\\Zoram\\tools\\x.exe", u"tools\\x.exe"},
        {kExe, u"C:\\Program Files\\Zoram\\a.exe", u"a.exe"},
        {kExe, u"D:\\x.exe", u"D:\\x.exe"},
        {kExe, u"c:\\PROGRAM FILES\\zoram\\sets\\My.mtd", u"sets\\My.mtd"},
        {kExe, u"C:\\x.exe", u"..\\..\\x.exe"},
        {kExe, u"C:\\Program Files\\Zoramx\\a.exe", u"..\\Zoramx\\a.exe"},
        {kExe, u"\\\\server\\share\\x.exe", u"\\\\server\\share\\x.exe"},
        {u"\\\\Server\\Share\\Zoram\\", u"\\\\SERVER\\share\\sets\\a.mtd", u"..\\sets\\a.mtd"},
        {u"\\\\server\\share\\Zoram\\", u"\\\\server\\other\\a.mtd", u"\\\\server\\other\\a.mtd"},
        {u"\\\\server\\share\\Zoram\\", u"C:\\a.mtd", u"C:\\a.mtd"},
        {u"C:\\", u"C:\\Zoram\\a.exe", u"Zoram\\a.exe"},
        {u"C:\\Été\\", u"c:\\éTÉ\\a.exe", u"a.exe"},
        {kExe, u"", u""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProgramRelativePath(c.base, c.path), c.expected) << Narrow(c.path);
}

TEST(ProgramPaths, ExpandedAgainstTheProgramFolder) {
    const struct {
        std::u16string_view path, expected;
    } cases[] = {
        {u"sets\\a.mtd", u"C:\\Program Files\\Zoram\\sets\\a.mtd"},
        {u"..\\..\\Windows\\notepad.exe", u"C:\\Windows\\notepad.exe"},
        {u".\\a.mtd", u"C:\\Program Files\\Zoram\\a.mtd"},
        {u"a/b/../c.mtd", u"C:\\Program Files\\Zoram\\a\\c.mtd"},
        {u"D:\\x.exe", u"D:\\x.exe"},
        {u"d:\\x\\..\\y.exe", u"d:\\y.exe"},
        {u"\\root.mtd", u"C:\\root.mtd"},
        {u"C:a.mtd", u"C:\\Program Files\\Zoram\\a.mtd"},
        {u"D:a.mtd", u"D:\\a.mtd"},
        {u"..\\..\\..\\..\\x", u"C:\\x"},
        {u"\\\\server\\share\\a\\..\\b.mtd", u"\\\\server\\share\\b.mtd"},
        {u"", u""},
    };
    for (const auto& c : cases) EXPECT_EQ(ExpandFullPath(kExe, c.path), c.expected) << Narrow(c.path);
    EXPECT_EQ(ExpandFullPath(u"\\\\srv\\share\\Zoram\\", u"sets\\a.mtd"), u"\\\\srv\\share\\Zoram\\sets\\a.mtd");
    // Relative paths that the program writes come back to the same file.
    for (std::u16string_view full : {u"C:\\Windows\\notepad.exe", u"C:\\Program Files\\Zoram\\t\\x.exe"})
        EXPECT_EQ(ExpandFullPath(kExe, ProgramRelativePath(kExe, full)), full);
    EXPECT_EQ(ExpandFullPath(kExe, u"a\\" + std::u16string(300, u'x')), u"");
}

}  // namespace
}  // namespace zoram
