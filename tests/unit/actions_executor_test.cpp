#include <gtest/gtest.h>

#include <memory>

#include "actions/Executor.h"
#include "actions_fakes.h"

using namespace zoram;
using namespace zoram::testing;

namespace {

constexpr uint32_t UP = kKeyEventKeyUp, EXT = kKeyEventExtended;
const std::u16string kFolder = u"C:\\Zoram\\";
constexpr WindowHandle kTarget = 0x1234;

// Events with scan codes from MapVirtualKey, as the combination sender sends them.
KeyEv D(uint8_t vk, uint32_t f = 0) { return {vk, ScanOf(vk), f}; }
KeyEv U(uint8_t vk, uint32_t f = 0) { return {vk, ScanOf(vk), f | UP}; }
// Events with scan code 0.
KeyEv D0(uint8_t vk) { return {vk, 0, 0}; }
KeyEv U0(uint8_t vk) { return {vk, 0, UP}; }

struct Rig {
    FakeKeys keys;
    FakeShell shell;
    FakeWindows windows;
    FakeVolume volume;
    FakeController controller;
    ExecutorSeams seams{keys, shell, windows, volume, controller};
    void Run(std::u16string_view action) { PerformAction(action, kTarget, kFolder, seams); }
};

const std::vector<KeyEv> kLetGoShiftCtrlAlt = {U0(0x10), U0(0x11), U0(0x12)};

std::vector<KeyEv> Join(std::vector<KeyEv> a, const std::vector<KeyEv>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A set with one gesture and the given programs.
std::unique_ptr<TGestureSet> MakeSet(std::u16string defaultAction,
                                     std::vector<std::pair<std::u16string, std::u16string>> rules) {
    auto set = std::make_unique<TGestureSet>();
    set->GestureCount = 1;
    TGesture& g = set->Gestures[0];
    SetText(g.DefaultAction, defaultAction);
    for (size_t i = 0; i < rules.size(); ++i) {
        SetText(set->Programs[i].Path, rules[i].first);
        g.Rules[i].ProgramIndex = static_cast<uint8_t>(i);
        SetText(g.Rules[i].Action, rules[i].second);
    }
    set->ProgramCount = static_cast<int32_t>(rules.size());
    g.RuleCount = static_cast<uint8_t>(rules.size());
    return set;
}

}  // namespace

TEST(ExecutorChoice, DefaultRulesAndLastMatchWins) {
    struct Case {
        std::u16string defaultAction;
        std::vector<std::pair<std::u16string, std::u16string>> rules;
        std::u16string foreground, action, last;
    } cases[] = {
        {u"", {}, u"c:\\x\\app.exe", u"", u"[ Do nothing ]"},
        {u"@Browser: back", {}, u"c:\\x\\app.exe", u"@Browser: back", u"@Browser: back"},
        // An empty rule overrides a non-empty default.
        {u"@Browser: back", {{u"C:\\X\\App.exe", u""}}, u"c:\\x\\app.exe", u"", u"[ Do nothing ]"},
        // Relative program paths are relative to the program folder; blanks trimmed.
        {u"d", {{u"tools\\Edit.EXE  ", u"@Special: cut"}}, u"c:\\zoram\\tools\\edit.exe", u"@Special: cut",
         u"@Special: cut"},
        {u"d", {{u"..\\Other\\b.exe", u"r"}}, u"c:\\other\\b.exe", u"r", u"r"},
        // No match keeps the default.
        {u"d", {{u"C:\\y.exe", u"r"}}, u"c:\\x.exe", u"d", u"d"},
        // Two rules for the same program: the last one wins.
        {u"d", {{u"C:\\a.exe", u"first"}, {u"c:\\A.EXE", u"second"}}, u"c:\\a.exe", u"second", u"second"},
        {u"d", {{u"C:\\a.exe", u"first"}, {u"c:\\A.EXE", u""}}, u"c:\\a.exe", u"", u"[ Do nothing ]"},
        // A program with an empty path never matches an unknown foreground program.
        {u"d", {{u"", u"r"}}, u"", u"d", u"d"},
    };
    for (const auto& c : cases) {
        auto set = MakeSet(c.defaultAction, c.rules);
        FakeShell shell;
        std::u16string last = u"stale";
        EXPECT_EQ(ChooseAction(*set, 0, c.foreground, kFolder, shell, last), c.action);
        EXPECT_EQ(last, c.last);
        ASSERT_FALSE(shell.folders.empty());
        EXPECT_EQ(shell.folders.front(), kFolder);
    }
}

TEST(ExecutorChoice, DamagedRecordsAreNotFollowed) {
    auto set = MakeSet(u"d", {{u"C:\\a.exe", u"r"}});
    FakeShell shell;
    std::u16string last;
    set->ProgramCount = 0;  // the rule points past the table
    EXPECT_EQ(ChooseAction(*set, 0, u"c:\\a.exe", kFolder, shell, last), u"d");
    set->ProgramCount = 1;
    // More rules than slots: all 101 slots are read, no further. The blank
    // slots after the first also name program 0, so the last of them wins.
    set->Gestures[0].RuleCount = 255;
    EXPECT_EQ(ChooseAction(*set, 0, u"c:\\a.exe", kFolder, shell, last), u"");
    set->Gestures[0].RuleCount = 1;
    EXPECT_EQ(ChooseAction(*set, 0, u"c:\\a.exe", kFolder, shell, last), u"r");
    last = u"unchanged";
    EXPECT_EQ(ChooseAction(*set, 1, u"c:\\a.exe", kFolder, shell, last), u"");
    EXPECT_EQ(ChooseAction(*set, -1, u"c:\\a.exe", kFolder, shell, last), u"");
    EXPECT_EQ(last, u"unchanged");
}

TEST(ExecutorChoice, ExecuteGesturePerformsTheChosenAction) {
    auto set = MakeSet(u"@Special: copy", {{u"C:\\a.exe", u"@Special: paste"}});
    Rig rig;
    std::u16string last;
    ExecuteGesture(*set, 0, u"c:\\a.exe", kFolder, kTarget, rig.seams, last);
    EXPECT_EQ(last, u"@Special: paste");
    EXPECT_EQ(rig.keys.events, Join(kLetGoShiftCtrlAlt, {D(0x11), D(0x56), U(0x56), U(0x11)}));
}

TEST(ExecutorKeys, CombinationsAreParsedAndPressed) {
    const std::vector<KeyEv> letGo = {U0(0x10), U0(0x11)};
    struct Case {
        std::u16string action;
        std::vector<KeyEv> events;
    } cases[] = {
        {u"@Keys: Ctrl + Shift + Esc", Join(letGo, {D(0x11), D(0x10), D(0x1B), U(0x1B), U(0x10), U(0x11)})},
        {u"@Keys: Win+E", Join(letGo, {D0(0x5B), D(0x45), U(0x45), U0(0x5B)})},
        {u"@Keys: Ctrl + Alt + Del", Join(letGo, {D(0x11), D(0x12), D(0x2E), U(0x2E), U(0x12), U(0x11)})},
        {u"@Keys: alt+shift+f12", Join(letGo, {D(0x10), D(0x12), D(0x7B), U(0x7B), U(0x12), U(0x10)})},
        {u"@Keys: ^BkSp", Join(letGo, {D(0x11), D(0x08), U(0x08), U(0x11)})},
        {u"@Keys: Space", Join(letGo, {D(0x20), U(0x20)})},
        {u"@Keys: F24", Join(letGo, {D(0x87), U(0x87)})},
        // Only "Win+" in that case is removed; the Windows key is still pressed.
        {u"@Keys: WIN+R", Join(letGo, {D0(0x5B), D(0), U(0), U0(0x5B)})},
        // Unknown names give key 0 without modifiers.
        {u"@Keys: Ctrl + Nothing", Join(letGo, {D(0), U(0)})},
        {u"@Keys: Ctrl + ", Join(letGo, {D(0), U(0)})},
        {u"@Keys: ", {}},
        {u"@Keys:", {}},
    };
    for (const auto& c : cases) {
        Rig rig;
        rig.Run(c.action);
        EXPECT_EQ(rig.keys.events, c.events) << std::string(c.action.begin(), c.action.end());
    }
}

TEST(ExecutorKeys, LayoutNamesAreTriedFromLowCodesUp) {
    FakeKeys keys;
    keys.layoutNames = {{0x90, u"Num Lock"}, {0xBB, u"="}, {0xBC, u"="}, {0x03, u"Break"}};
    EXPECT_EQ(TextToShortcut(keys, u"ctrl+=").vk, 0xBB);
    EXPECT_EQ(TextToShortcut(keys, u"ctrl+=").modifiers, kModCtrl);
    EXPECT_EQ(TextToShortcut(keys, u"NUM LOCK").vk, 0x90);
    EXPECT_EQ(TextToShortcut(keys, u"Break").vk, 0);  // below 0x08
    // Fixed names win over the layout's own names.
    keys.layoutNames[0x0D] = u"Return";
    EXPECT_EQ(TextToShortcut(keys, u"Return").vk, 0);
    EXPECT_EQ(TextToShortcut(keys, u"Shift+Ctrl+Alt+enter").modifiers, kModShift | kModCtrl | kModAlt);
}

TEST(ExecutorKeys, KeystrokeScriptsAreConvertedAndSent) {
    Rig rig;
    rig.Run(u"@Keystrokes: [shift:ab]c{enter}");
    auto typed = Replay(rig.keys.events);
    EXPECT_EQ(typed.text, u"ABc<ENTER>");
    EXPECT_TRUE(typed.stillDown.empty());
    EXPECT_EQ(rig.keys.pumps, static_cast<int>(rig.keys.events.size()));

    // A bad count stops the script silently and leaves nothing held.
    Rig bad;
    bad.Run(u"@Keystrokes: [ctrl:a{tab x}b]");
    auto t = Replay(bad.keys.events);
    EXPECT_EQ(t.text, u"^a");
    EXPECT_TRUE(t.stillDown.empty());
}

TEST(ExecutorBuiltIns, KeyCommandsMatchTheirTable) {
    struct Case {
        std::u16string action;
        std::vector<KeyEv> events;
    } cases[] = {
        {u"@Special: cut", {D(0x11), D(0x58), U(0x58), U(0x11)}},
        {u"@Special: copy", {D(0x11), D(0x43), U(0x43), U(0x11)}},
        {u"@Special: paste", {D(0x11), D(0x56), U(0x56), U(0x11)}},
        {u"@Special: help", {D(0x70), U(0x70)}},
        {u"@Special: undo", {D(0x11), D(0x5A), U(0x5A), U(0x11)}},
        {u"@Browser: back", {D(0x12), D(0x25), U(0x25), U(0x12)}},
        {u"@Browser: forward", {D(0x12), D(0x27), U(0x27), U(0x12)}},
        {u"@Browser: refresh", {D(0x74), U(0x74)}},
        {u"@Special: page up", {D(0x21), U(0x21)}},
        {u"@Special: page down", {D(0x22), U(0x22)}},
        {u"@Special: home", {D(0x24), U(0x24)}},
        {u"@Windows: Start button", {D(0x5B), U(0x5B)}},
        {u"@Media player: next track", {D(0xB0, EXT), U(0xB0, EXT)}},
        {u"@Media player: previous track", {D(0xB1), U(0xB1)}},
        {u"@Media player: play/pause", {D(0xB3, EXT), U(0xB3, EXT)}},
        {u"@Media player: pause", {D(0xB3, EXT), U(0xB3, EXT)}},
        {u"@Media player: stop", {D(0xB2), U(0xB2)}},
        {u"@Browser: new tab", {D(0x11), D(0x54), U(0x54), U(0x11)}},
        {u"@Browser: close tab", {D(0x11), D(0x73, EXT), U(0x73, EXT), U(0x11)}},
        {u"@Special: close window", {D(0x12), D(0x73, EXT), U(0x73, EXT), U(0x12)}},
        {u"@Browser: close window", {D(0x12), D(0x73, EXT), U(0x73, EXT), U(0x12)}},
        {u"@Browser: home page", {D(0x12), D(0x24), U(0x24), U(0x12)}},
        {u"@Browser: next tab", {D(0x11), D(0x09), U(0x09), U(0x11)}},
        {u"@Browser: previous tab", {D(0x11), D(0x10), D(0x09), U(0x09), U(0x10), U(0x11)}},
        {u"@Windows: Show Desktop", {D0(0x5B), D0(0x44), U0(0x44), U0(0x5B)}},
        {u"@Windows: Search", {D0(0x5B), D0(0x46), U0(0x46), U0(0x5B)}},
        {u"@Windows: Accessibility", {D0(0x5B), D0(0x55), U0(0x55), U0(0x5B)}},
        {u"@Windows: Run Program", {D0(0x5B), D0(0x52), U0(0x52), U0(0x5B)}},
        // The name is what follows the last ":" or "\", trimmed, any case.
        {u"@x\\y:  BACK  ", {D(0x12), D(0x25), U(0x25), U(0x12)}},
        {u"@Special: nothing", {}},
        {u"@pause", {}},
        {u"@", {}},
    };
    for (const auto& c : cases) {
        Rig rig;
        rig.Run(c.action);
        EXPECT_EQ(rig.keys.events, Join(kLetGoShiftCtrlAlt, c.events)) << std::string(c.action.begin(), c.action.end());
        EXPECT_TRUE(rig.shell.opened.empty());
        EXPECT_TRUE(rig.controller.calls.empty());
    }
}

TEST(ExecutorBuiltIns, ShellAndControllerCommands) {
    Rig rig;
    rig.Run(u"@Windows: My Computer");
    rig.Run(u"@Windows: Explorer");
    EXPECT_EQ(rig.shell.opened, (std::vector<FakeShell::OpenCall>{
                                    {u"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", u"", u""},
                                    {u"explorer", u"", u""}}));
    rig.Run(u"@Windows: Lock");
    rig.Run(u"@Zoram: settings");
    rig.Run(u"@Zoram: disable");
    EXPECT_EQ(rig.controller.calls, (std::vector<std::string>{"lock", "settings", "toggle"}));
}

TEST(ExecutorBuiltIns, WindowCommands) {
    struct Case {
        std::u16string action;
        bool visible;
        std::optional<unsigned> state;
        std::vector<unsigned> posted;
        size_t errors;
    } cases[] = {
        {u"@Special: maximise window", true, 1, {kScMaximize}, 0},
        {u"@Special: minimise window", true, 1, {kScMinimize}, 0},
        {u"@Special: restore window", true, 1, {kScMaximize}, 0},
        {u"@Special: restore window", true, 3, {kScRestore}, 0},
        {u"@Special: restore window", true, 2, {kScRestore}, 0},
        {u"@Special: restore window", true, std::nullopt, {kScRestore}, 1},
        {u"@Special: maximise window", false, 1, {}, 0},
        {u"@Special: restore window", false, std::nullopt, {}, 0},
    };
    for (const auto& c : cases) {
        Rig rig;
        rig.windows.visible = c.visible;
        rig.windows.showState = c.state;
        rig.Run(c.action);
        std::vector<unsigned> posted;
        for (auto [w, cmd] : rig.windows.posted) {
            EXPECT_EQ(w, kTarget);
            posted.push_back(cmd);
        }
        EXPECT_EQ(posted, c.posted);
        ASSERT_EQ(rig.windows.errors.size(), c.errors);
        if (c.errors) {
            EXPECT_EQ(rig.windows.errors[0], u"1400");
        }
    }
}

TEST(ExecutorBuiltIns, VolumeStepsOnThe255Scale) {
    struct Case {
        std::u16string action;
        bool device;
        std::optional<uint32_t> current;
        std::vector<uint32_t> written;
    } cases[] = {
        {u"@Sound: volume up", true, VolumeLevelToDevice(100), {VolumeLevelToDevice(110)}},
        {u"@Sound: volume up", true, VolumeLevelToDevice(250), {0xFFFFFFFF}},
        {u"@Sound: volume down", true, VolumeLevelToDevice(5), {0}},
        {u"@Sound: volume down", true, VolumeLevelToDevice(200), {VolumeLevelToDevice(190)}},
        // The louder channel is the level.
        {u"@Sound: volume down", true, 0x0000FFFF, {VolumeLevelToDevice(245)}},
        {u"@Sound: mute", true, std::nullopt, {0}},
        {u"@Sound: volume up", true, std::nullopt, {}},
        {u"@Sound: volume up", false, 0, {}},
        {u"@Sound: mute", false, 0, {}},
    };
    for (const auto& c : cases) {
        Rig rig;
        rig.volume.device = c.device;
        rig.volume.current = c.current;
        rig.Run(c.action);
        EXPECT_EQ(rig.volume.written, c.written);
    }
    EXPECT_EQ(VolumeLevelToDevice(255), 0xFFFFFFFFu);
    EXPECT_EQ(VolumeLevelToDevice(1), 0x01010101u);
    for (int level = 0; level <= 255; ++level) EXPECT_EQ(DeviceToVolumeLevel(VolumeLevelToDevice(level)), level);
}

TEST(ExecutorFiles, ArgumentsAreSplitAfterTheFirstExtension) {
    struct Case {
        std::u16string file, folder;
        FakeShell::OpenCall call;
    } cases[] = {
        {u"notepad.exe readme.txt", u"", {u"notepad.exe", u" readme.txt", u""}},
        {u"  C:\\Tools\\app.exe  ", u"", {u"C:\\Tools\\app.exe", u"", u""}},
        {u"C:\\Tools\\run.bat", u"C:\\Work", {u"C:\\Tools\\run.bat", u"", u"C:\\Work"}},
        {u"x.LNK a.exe b", u"", {u"x.LNK", u" a.exe b", u""}},
        {u"a.com  -q", u"", {u"a.com", u"  -q", u""}},
        {u"tool.exe.bak x", u"", {u"tool.exe.bak x", u"", u""}},
        {u"http://example.com/a.exe b", u"", {u"http://example.com/a.exe", u" b", u""}},
    };
    for (const auto& c : cases) {
        FakeShell shell;
        EXPECT_EQ(ExecuteFile(shell, c.file, c.folder), 42);
        ASSERT_EQ(shell.opened.size(), 1u);
        EXPECT_EQ(shell.opened[0], c.call);
    }
    FakeShell shell;
    ExecuteFile(shell, u"a.exe " + std::u16string(3000, u'x'), std::u16string(2000, u'w'));
    EXPECT_EQ(shell.opened[0].arguments.size(), 1024u);
    EXPECT_EQ(shell.opened[0].folder.size(), 1024u);
    ExecuteFile(shell, std::u16string(3000, u'f'), u"");
    EXPECT_EQ(shell.opened[1].file.size(), 1024u);
}

TEST(ExecutorFiles, ProgramActionsResolveAgainstTheProgramFolder) {
    struct Case {
        std::u16string action;
        std::set<std::u16string> existing;
        FakeShell::OpenCall call;
    } cases[] = {
        {u"C:\\Tools\\run.bat*in*C:\\Work", {}, {u"C:\\Tools\\run.bat", u"", u"C:\\Work"}},
        {u"tools\\t.exe*in*D:\\a*in*b", {u"C:\\Zoram\\tools\\t.exe"}, {u"C:\\Zoram\\tools\\t.exe", u"", u"D:\\a*in*b"}},
        {u"notepad.exe readme.txt", {}, {u"notepad.exe", u" readme.txt", u""}},
        {u"http://example.com", {}, {u"http://example.com", u"", u""}},
    };
    for (const auto& c : cases) {
        Rig rig;
        rig.shell.existing = c.existing;
        rig.Run(c.action);
        ASSERT_EQ(rig.shell.opened.size(), 1u);
        EXPECT_EQ(rig.shell.opened[0], c.call);
        EXPECT_EQ(rig.shell.current, kFolder);
        EXPECT_TRUE(rig.keys.events.empty());
    }
    // An address with "@" is taken for a built-in name and does nothing.
    Rig rig;
    rig.Run(u"http://user@example.com");
    EXPECT_TRUE(rig.shell.opened.empty());
    EXPECT_EQ(rig.keys.events, kLetGoShiftCtrlAlt);
}
