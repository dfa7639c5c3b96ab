#include <gtest/gtest.h>

#include "actions/KeySender.h"
#include "actions_fakes.h"

using namespace zoram;
using namespace zoram::testing;

namespace {

constexpr uint32_t UP = kKeyEventKeyUp, EXT = kKeyEventExtended;
KeyEv Down(uint8_t vk, uint32_t f = 0) { return {vk, ScanOf(vk), f}; }
KeyEv Up(uint8_t vk, uint32_t f = 0) { return {vk, ScanOf(vk), f | UP}; }

struct Sent {
    bool result;
    std::vector<KeyEv> events;
    Typed typed;
};

Sent Send(std::u16string_view script, bool convert = false) {
    FakeKeys keys;
    bool r = SendKeyScript(keys, convert ? MyFormatToTheirs(script) : std::u16string(script), false);
    return {r, keys.events, Replay(keys.events)};
}

}  // namespace

TEST(KeyNotation, WorkedExamplesConvert) {
    struct Case {
        std::u16string in, out;
    } cases[] = {
        {u"Zoram is a gesture tool[ctrl:{left}{left}]useful {end}!{enter}",
         u"Zoram is a gesture tool^({left}{left})useful {end}!{enter}"},
        {u"Try this in a word processor.{home}[shift:{end}][ctrl:b]",
         u"Try this in a word processor.{home}+({end})^(b)"},
        {u"\\{curly\\}, \\[straight\\], \\\\backslash\\\\!", u"{{}curly{}}, {[}straight{]}, {\\}backslash{\\}!"},
        {u"\\{{enter}{enter}\\}{up}{tab}", u"{{}{enter}{enter}{}}{up}{tab}"},
        {u"1+1=2 50% a^b (x)", u"1{+}1=2 50{%} a{^}b {(}x{)}"},
        {u"[SHIFT:a][Ctrl:b][aLt:c]", u"+(a)^(b)%(c)"},
        {u"\\\\{enter}", u"\\{{}enter}"},
        {u"a]b", u"a)b"},
        {u"[foo]", u"[foo)"},
        {u"", u""},
    };
    for (const auto& c : cases) EXPECT_EQ(MyFormatToTheirs(c.in), c.out);
}

TEST(KeyNotation, ProgramNotationTypesWhatItSays) {
    struct Case {
        std::u16string in, typed;
    } cases[] = {
        {u"\\{curly\\}, \\[straight\\], \\\\backslash\\\\!", u"{curly}, [straight], \\backslash\\!"},
        {u"Zoram is a gesture tool[ctrl:{left}{left}]useful {end}!{enter}",
         u"Zoram is a gesture tool^<LEFT>^<LEFT>useful <END>!<ENTER>"},
        {u"Try this in a word processor.{home}[shift:{end}][ctrl:b]",
         u"Try this in a word processor.<HOME>+<END>^b"},
        {u"a]b", u"ab"},
        {u"a\\]b", u"a]b"},
        {u"[foo]", u"[foo"},
        {u"1+1=2", u"1+1=2"},
        {u"50%", u"50%"},
        {u"(a^b)~", u"(a^b)~"},
        {u"\\\\{enter}", u"\\{enter}"},
        // A shifted character inside a Shift group lets Shift go for the rest.
        {u"[shift:a!b]", u"A!b"},
    };
    for (const auto& c : cases) {
        auto s = Send(c.in, true);
        EXPECT_TRUE(s.result) << s.typed.text.size();
        EXPECT_EQ(s.typed.text, c.typed);
        EXPECT_TRUE(s.typed.stillDown.empty());
    }
}

TEST(KeyScript, SendKeysNotationTypesWhatItSays) {
    struct Case {
        std::u16string in, typed;
    } cases[] = {
        {u"{enter}", u"<ENTER>"},       {u"{ENTER}", u"<ENTER>"},   {u"{Enter}", u"<ENTER>"},
        {u"{enter 3}", u"<ENTER><ENTER><ENTER>"}, {u"{enter 0}", u""},
        {u"{a}", u"A"},                 {u"a", u"a"},               {u"{a 2}", u"AA"},
        {u"{pgdown}", u""},             {u"{insert}x{pause}", u"x"}, {u"{}", u""},
        {u"+abc", u"Abc"},              {u"+(abc)", u"ABC"},         {u"^(+({left})x)", u"^+<LEFT>x"},
        {u"{{}", u"{"},                 {u"{{", u"{"},               {u"{}}", u"}"},
        {u"{ENTER}}", u"}"},            {u"{+}{^}{%}{(}{)}", u"+^%()"}, {u"%{f4}", u"%<F4>"},
        {u"{tab 0x2}{bs $1}{del +1}", u"<TAB><TAB><BS><DEL>"},
        {u"{enter   2}", u"<ENTER><ENTER>"},
        // Names keep 20 characters: a bad count beyond them is never read.
        {u"{abcdefghijklmnopqrst x}", u""},
        {u"x\u00e9y", u"xy"},
    };
    for (const auto& c : cases) {
        auto s = Send(c.in);
        EXPECT_TRUE(s.result) << std::string(c.in.begin(), c.in.end());
        EXPECT_EQ(s.typed.text, c.typed) << std::string(c.in.begin(), c.in.end());
        EXPECT_TRUE(s.typed.stillDown.empty());
    }
}

TEST(KeyScript, ExactEventSequences) {
    // A shifted character: Shift down, key down/up, Shift up, scan codes from
    // the low byte of MapVirtualKeyA.
    EXPECT_EQ(Send(u"A").events, (std::vector<KeyEv>{Down(16), Down(0x41), Up(0x41), Up(16)}));
    // Extended keys, repeat counts.
    EXPECT_EQ(Send(u"{pgdn 2}").events,
              (std::vector<KeyEv>{Down(34, EXT), Up(34, EXT), Down(34, EXT), Up(34, EXT)}));
    for (uint8_t vk : {33, 34, 35, 36, 37, 38, 39, 40, 45, 46}) {
        FakeKeys keys;
        std::u16string name = vk == 45 ? u"{ins}" : vk == 46 ? u"{del}" : vk == 33 ? u"{pgup}" : vk == 34 ? u"{pgdn}"
                            : vk == 35 ? u"{end}" : vk == 36 ? u"{home}" : vk == 37 ? u"{left}" : vk == 38 ? u"{up}"
                            : vk == 39 ? u"{right}" : u"{down}";
        SendKeyScript(keys, name, false);
        EXPECT_EQ(keys.events, (std::vector<KeyEv>{Down(vk, EXT), Up(vk, EXT)})) << int(vk);
    }
    // "{alt}" presses and releases Alt alone, not extended.
    EXPECT_EQ(Send(u"{alt}").events, (std::vector<KeyEv>{Down(18), Up(18)}));
    // "{{}" is Shift + 0xDB, "{}}" Shift + 0xDD.
    EXPECT_EQ(Send(u"{{}").events, (std::vector<KeyEv>{Down(16), Down(0xDB), Up(0xDB), Up(16)}));
    EXPECT_EQ(Send(u"{}}").events, (std::vector<KeyEv>{Down(16), Down(0xDD), Up(0xDD), Up(16)}));
    // Held modifiers: Ctrl down first, released after the next key.
    EXPECT_EQ(Send(u"^a").events, (std::vector<KeyEv>{Down(17), Down(0x41), Up(0x41), Up(17)}));
    // In a group, the release comes at ")" in the order Shift, Ctrl, Alt.
    EXPECT_EQ(Send(u"%^+(x)").events,
              (std::vector<KeyEv>{Down(18), Down(17), Down(16), Down(0x58), Up(0x58), Up(16), Up(17), Up(18)}));
}

TEST(KeyScript, LayoutShiftStatesPressCtrlAndAltToo) {
    FakeKeys keys;
    keys.extraLayout[u'\u20ac'] = 0x645;  // Ctrl+Alt+E
    EXPECT_TRUE(SendKeyScript(keys, u"\u20ac", false));
    EXPECT_EQ(keys.events, (std::vector<KeyEv>{Down(17), Down(18), Down(0x45), Up(0x45), Up(17), Up(18)}));
    // A one-character non-ASCII name is looked up as UTF-16, not narrowed.
    keys.events.clear();
    EXPECT_TRUE(SendKeyScript(keys, u"{\u20ac}", false));
    EXPECT_EQ(keys.ansiLookups, 0);
    EXPECT_EQ(keys.events.size(), 6u);
    SendKeyScript(keys, u"{q}", false);
    EXPECT_EQ(keys.ansiLookups, 1);
}

TEST(KeyScript, KeyNameTableHasItsFortyFiveNames) {
    struct Case {
        const char16_t* name;
        uint8_t vk;
    } cases[] = {
        {u"ALT", 18},    {u"BACKSPACE", 8}, {u"BKSP", 8},     {u"BREAK", 3},        {u"BS", 8},
        {u"CAPSLOCK", 20}, {u"CLEAR", 12},  {u"CTRL", 17},    {u"DEL", 46},         {u"DELETE", 46},
        {u"DOWN", 40},   {u"END", 35},      {u"ENTER", 13},   {u"ESC", 27},         {u"ESCAPE", 27},
        {u"F1", 112},    {u"F10", 121},     {u"F11", 122},    {u"F12", 123},        {u"F13", 124},
        {u"F14", 125},   {u"F15", 126},     {u"F16", 127},    {u"F2", 113},         {u"F3", 114},
        {u"F4", 115},    {u"F5", 116},      {u"F6", 117},     {u"F7", 118},         {u"F8", 119},
        {u"F9", 120},    {u"HELP", 47},     {u"HOME", 36},    {u"INS", 45},         {u"LEFT", 37},
        {u"NUMLOCK", 144}, {u"PGDN", 34},   {u"PGUP", 33},    {u"PRINTSCREEN", 42}, {u"PRTSC", 42},
        {u"RIGHT", 39},  {u"SCROLLLOCK", 145}, {u"SHIFT", 16}, {u"TAB", 9},         {u"UP", 38},
        {u"INSERT", 0},  {u"PGDOWN", 0},    {u"PAUSE", 0},    {u"enter", 0},        {u"F17", 0},
        {u"", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(KeyNameToVirtualKey(c.name), c.vk) << int(c.vk);
}

TEST(KeyScript, NumLockFlipsTheKeyboardStateWithoutEvents) {
    for (int16_t on : {0, 1}) {
        FakeKeys keys;
        keys.keyStateNumLock = on;
        keys.keyboard[144] = on ? 0x81 : 0x80;
        keys.keyboard[65] = 0x7;
        EXPECT_TRUE(SendKeyScript(keys, u"{numlock 5}", false));
        EXPECT_TRUE(keys.events.empty());
        ASSERT_EQ(keys.stateWrites.size(), 1u);
        EXPECT_EQ(keys.keyboard[144], on ? 0x80 : 0x81);
        EXPECT_EQ(keys.keyboard[65], 0x7);
    }
}

TEST(KeyScript, PumpsAfterEveryEventWhenAsked) {
    FakeKeys keys;
    SendKeyScript(keys, u"Ab", true);
    EXPECT_EQ(keys.pumps, 6);
    EXPECT_EQ(keys.pumps, static_cast<int>(keys.events.size()));
    FakeKeys quiet;
    SendKeyScript(quiet, u"Ab", false);
    EXPECT_EQ(quiet.pumps, 0);
}

TEST(KeyScript, EmptyAndUnclosedScriptsFail) {
    auto empty = Send(u"");
    EXPECT_FALSE(empty.result);
    EXPECT_TRUE(empty.events.empty());

    auto unclosed = Send(u"abc{");
    EXPECT_FALSE(unclosed.result);
    EXPECT_EQ(unclosed.typed.text, u"abc");

    auto middle = Send(u"ab{enter x");
    EXPECT_FALSE(middle.result);
    EXPECT_EQ(middle.typed.text, u"ab");
}

TEST(KeyScript, StoppedScriptsLeaveNoModifierDown) {
    // Held by "+", "^", "%" and by an open group when the script stops.
    for (std::u16string script : {u"^+%(ab{enter", u"+{tab", u"^(x{", u"%{F4"}) {
        auto s = Send(script);
        EXPECT_FALSE(s.result);
        EXPECT_TRUE(s.typed.stillDown.empty());
    }
    // A completed script whose group was never closed lets go at its end.
    auto open = Send(u"^(ab");
    EXPECT_TRUE(open.result);
    EXPECT_EQ(open.typed.text, u"^a^b");
    EXPECT_EQ(open.events.back(), Up(17));
    EXPECT_TRUE(open.typed.stillDown.empty());
}

TEST(KeyScript, BadCountRaisesAndReleases) {
    struct Case {
        std::u16string script, text;
    } cases[] = {{u"{tab x}", u"X"}, {u"{tab }", u""}, {u"{enter 3a}", u"3A"}, {u"{a 99999999999}", u"99999999999"}};
    for (const auto& c : cases) {
        FakeKeys keys;
        try {
            SendKeyScript(keys, u"^+(q" + c.script + u"never", false);
            ADD_FAILURE() << "no error";
        } catch (const KeyScriptError& e) {
            EXPECT_EQ(e.Message(), u"'" + c.text + u"' is not a valid integer value");
        }
        auto typed = Replay(keys.events);
        EXPECT_EQ(typed.text, u"^Q");
        EXPECT_TRUE(typed.stillDown.empty());
    }
}

TEST(KeyScript, CountsAreKeptIn16Bits) {
    FakeKeys keys;
    EXPECT_TRUE(SendKeyScript(keys, u"{x 65538}", false));
    EXPECT_EQ(Replay(keys.events).text, u"XX");
}
