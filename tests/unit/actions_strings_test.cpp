#include <gtest/gtest.h>

#include <stdexcept>

#include "actions/ActionStrings.h"

using namespace zoram;

namespace {
constexpr auto EN = Language::English;
constexpr auto ZH = Language::Chinese;
std::u16string Show(std::u16string_view s, Language l = EN) { return ActionToDisplayString(s, kDisplayLength, l); }
}  // namespace

TEST(ActionRows, ListsAreRowForRowWithMarkersAndColons) {
    EXPECT_EQ(SameAsDefaultText(), u"[ Same as default ]");
    EXPECT_EQ(DoNothingText(), u"[ Do nothing ]");
    EXPECT_EQ(ActionRow(7, EN), u"Zoram: disable");
    EXPECT_EQ(ActionRow(40, EN), u"Special: close window");
    EXPECT_EQ(ActionRow(40, ZH), u"特殊：关闭窗口");
    EXPECT_EQ(ActionRow(41, EN), u"");
    EXPECT_EQ(ActionRow(-1, ZH), u"");
    // Rows 7..28 use the ASCII colon in Chinese, rows 29..40 the full-width one.
    for (int row = 7; row < kActionRows; ++row) {
        auto zh = ActionRow(row, ZH);
        bool ascii = zh.find(u':') != std::u16string_view::npos;
        bool wide = zh.find(u'：') != std::u16string_view::npos;
        EXPECT_EQ(ascii, row <= 28) << row;
        EXPECT_EQ(wide, row >= 29) << row;
        EXPECT_NE(ActionRow(row, EN).find(u": "), std::u16string_view::npos) << row;
    }
}

TEST(ActionDisplay, EachFormInBothLanguages) {
    struct Case {
        std::u16string in, en, zh;
    } cases[] = {
        {u"", u"[ Do nothing ]", u"[无]"},
        {u"@[ Same as default ]", u"[ Same as default ]", u"[与默认动作相同]"},
        {u"@browser: BACK", u"browser: BACK", u"浏览器:后退"},
        {u"@Special: paste", u"Special: paste", u"特殊：粘贴"},
        {u"@Old command", u"Old command", u"Old command"},
        {u"@", u"", u""},
        {u"@Keys: Ctrl + C", u"Keys: Ctrl + C", u"組合鍵:Ctrl + C"},
        {u"@Keys:", u"Keys:", u"組合鍵:"},
        {u"@Keystrokes: {ctrl}a", u"Keystrokes: {ctrl}a", u"按键: {ctrl}a"},
        {u"@Keystrokes:abc", u"Keystrokes: bc", u"按键: bc"},
        {u"@Keystrokes:", u"Keystrokes: ", u"按键: "},
        {u"HTTPS://Example.COM/a:b", u"HTTPS://Example.COM/a:b", u"HTTPS://Example.COM/a:b"},
        {u"http://x", u"http://x", u"http://x"},
        {u"ftp://host/file", u"//host/file", u"//host/file"},
        {u"..\\..\\Windows\\notepad.exe*in*C:\\Temp", u"notepad.exe", u"notepad.exe"},
        {u"C:\\", u"C:\\", u"C:\\"},
        {u"C:\\Users\\Me\\Documents", u"Documents", u"Documents"},
        {u"C:\\Tools\\app.exe -x", u"app.exe -x", u"app.exe -x"},
        {u"notepad", u"notepad", u"notepad"},
        {u"*in*C:\\x", u"", u""},
        {u"C:\\中文\\程序.exe", u"程序.exe", u"程序.exe"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Show(c.in, EN), c.en);
        EXPECT_EQ(Show(c.in, ZH), c.zh);
    }
}

TEST(ActionDisplay, LongTextsAreCutAtTheMaximum) {
    EXPECT_EQ(Show(std::u16string(1000, u'a')), std::u16string(1000, u'a'));
    EXPECT_EQ(Show(std::u16string(1001, u'a')), std::u16string(1000, u'a') + u"...");
    EXPECT_EQ(ActionToDisplayString(u"@Keys: Ctrl + C", 4, EN), u"Keys...");
    EXPECT_EQ(ActionToDisplayString(u"", 0, ZH), u"...");
}

TEST(ActionBuild, PlainRowsAndDialogResults) {
    EXPECT_EQ(ActionForPlainRow(1, u"x"), u"");
    EXPECT_EQ(ActionForPlainRow(0, u"x"), u"@[ Same as default ]");
    EXPECT_EQ(ActionForPlainRow(9, u"x"), u"@Browser: back");
    EXPECT_EQ(ActionForPlainRow(40, u""), u"@Special: close window");
    EXPECT_EQ(ActionForPlainRow(4, u"keep"), u"keep");

    EXPECT_EQ(KeystrokesPrefill(u"@Keystrokes: abc{enter}"), u"abc{enter}");
    EXPECT_EQ(KeystrokesPrefill(u"@Keystrokes:xabc"), u"abc");
    EXPECT_EQ(KeystrokesPrefill(u"@Keys: Ctrl + C"), u"");
    EXPECT_EQ(KeystrokesPrefill(u"@Keystrokes"), u"");
    EXPECT_EQ(KeystrokesAction(u"[ctrl:a]"), u"@Keystrokes: [ctrl:a]");
    EXPECT_EQ(KeyCombinationAction(u"Ctrl + Alt + Del"), u"@Keys: Ctrl + Alt + Del");

    EXPECT_EQ(WebsiteInitialText(u""), u"http://");
    EXPECT_EQ(WebsiteInitialText(u"https://a.b"), u"https://a.b");
    EXPECT_EQ(WebsiteInitialText(u"@x://y"), u"http://");
    EXPECT_EQ(WebsiteInitialText(u"C:\\x"), u"http://");
    EXPECT_EQ(WebsiteAction(u""), u"http://");
    EXPECT_EQ(WebsiteAction(u"example.com"), u"http://example.com");
    EXPECT_EQ(WebsiteAction(u"HTTP://A.COM"), u"http://HTTP://A.COM");
    EXPECT_EQ(WebsiteAction(u"https://a.com"), u"https://a.com");

    EXPECT_EQ(FolderAction(u"C:\\Work", u"old"), u"C:\\Work");
    EXPECT_EQ(FolderAction(u"", u"old"), u"old");
}

TEST(ActionBuild, ProgramFieldsSplitAndJoin) {
    struct Case {
        std::u16string current, program, folder;
    } cases[] = {
        {u"C:\\a.exe -x*in*C:\\W*in*Z", u"C:\\a.exe -x", u"C:\\W*in*Z"},
        {u"notepad.exe", u"notepad.exe", u""},
        {u"", u"", u""},
        {u"@Browser: back", u"", u""},
        {u"http://x", u"", u""},
    };
    for (const auto& c : cases) {
        auto f = ProgramDialogFields(c.current);
        EXPECT_EQ(f.program, c.program);
        EXPECT_EQ(f.folder, c.folder);
    }
    EXPECT_EQ(ProgramAction(u"run.bat", u"  C:\\Temp  "), u"run.bat*in*C:\\Temp");
    EXPECT_EQ(ProgramAction(u"run.bat", u""), u"run.bat");
    EXPECT_EQ(ProgramAction(u"run.bat", u"   "), u"run.bat");
}

TEST(ActionBuild, OverlongInputIsCutToTheStoredField) {
    auto k = KeystrokesAction(std::u16string(2000, u'a'));
    EXPECT_EQ(k.size(), kMaxActionLength);
    EXPECT_EQ(k.substr(0, 14), u"@Keystrokes: a");
    // A surrogate pair straddling the limit goes whole.
    std::u16string s(1023, u'x');
    s += u"\U0001F600";
    EXPECT_EQ(FitActionString(s), std::u16string(1023, u'x'));
    EXPECT_EQ(FitActionString(std::u16string(1024, u'y')).size(), 1024u);
    EXPECT_EQ(ProgramAction(std::u16string(1100, u'p'), u"C:\\").size(), kMaxActionLength);
}

TEST(ActionDrop, OneFileBecomesTheDefaultAction) {
    std::u16string stored;
    int stores = 0;
    DropContext ctx;
    ctx.panelVisible = true;
    ctx.relativePath = [](const std::u16string& p) { return p.substr(p.rfind(u'\\') + 1); };
    ctx.storeDefaultAction = [&](const std::u16string& a) {
        stored = a;
        ++stores;
    };
    EXPECT_EQ(DropFileOnAction(1, u"C:\\Zoram\\tool.lnk", ctx), DropOutcome::Stored);
    EXPECT_EQ(stored, u"tool.lnk");
    EXPECT_EQ(DropMessage(DropOutcome::Stored), u"");

    EXPECT_EQ(DropFileOnAction(2, u"C:\\a", ctx), DropOutcome::TooManyFiles);
    EXPECT_EQ(DropMessage(DropOutcome::TooManyFiles), u"Drop only one file on to this action.");

    ctx.panelVisible = false;
    EXPECT_EQ(DropFileOnAction(1, u"C:\\b", ctx), DropOutcome::NoGesture);
    EXPECT_EQ(DropMessage(DropOutcome::NoGesture), u"");
    EXPECT_EQ(stores, 1);

    ctx.panelVisible = true;
    ctx.storeDefaultAction = [](const std::u16string&) { throw std::runtime_error("x"); };
    EXPECT_EQ(DropFileOnAction(1, u"C:\\c", ctx), DropOutcome::Unsupported);
    EXPECT_EQ(DropMessage(DropOutcome::Unsupported), u"That type of object isn't supported.");
}

TEST(ActionDrop, PathIsTakenAtMost260Characters) {
    std::u16string seen;
    DropContext ctx{true, [&](const std::u16string& p) { return seen = p; }, [](const std::u16string&) {}};
    EXPECT_EQ(DropFileOnAction(1, std::u16string(300, u'z'), ctx), DropOutcome::Stored);
    EXPECT_EQ(seen.size(), 260u);
}
