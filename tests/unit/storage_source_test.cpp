// The text form of a set: what it builds, its line-numbered errors, the
// round trip through the writer, and the JSON dump.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "storage/SetJson.h"
#include "storage/SetSource.h"

namespace zoram {
namespace {

struct Parsed {
    std::unique_ptr<TGestureSet> set = std::make_unique<TGestureSet>();
    std::vector<SourceError> errors;
    bool ok;
    explicit Parsed(std::string_view text) { ok = ParseSetSource(text, *set, errors); }
    std::string Errors() const {
        std::string all;
        for (const SourceError& e : errors) all += FormatSourceError(e) + "\n";
        return all;
    }
};

TEST(SetSource, BuildsProgramsGesturesActionsAndRules) {
    Parsed p("\xEF\xBB\xBF# comment\r\n"
             "program Notepad = C:\\Windows\\notepad.exe\r\n"
             "program 编辑器 = ..\\tools\\éditeur.exe\n"
             "\n"
             "gesture first\n"
             "  action @Keys: Ctrl + C\n"
             "  rule 编辑器 = @Special: copy\n"
             "  rule Notepad = \n"
             "  points 1,2 -3,4\n"
             "  points 5,6\n"
             "gesture\n"
             "action \n"
             "rule #2 = @Keystrokes: a b  \n"
             "stroke 0,0 10,0 10,10\n");
    ASSERT_TRUE(p.ok) << p.Errors();
    const TGestureSet& s = *p.set;
    ASSERT_EQ(s.ProgramCount, 2);
    EXPECT_EQ(GetText(s.Programs[0].Name), u"Notepad");
    EXPECT_EQ(GetText(s.Programs[0].Path), u"C:\\Windows\\notepad.exe");
    EXPECT_EQ(GetText(s.Programs[1].Name), u"编辑器");
    EXPECT_EQ(GetText(s.Programs[1].Path), u"..\\tools\\éditeur.exe");
    ASSERT_EQ(s.GestureCount, 2);
    const TGesture& a = s.Gestures[0];
    EXPECT_EQ(GetText(a.DefaultAction), u"@Keys: Ctrl + C");
    ASSERT_EQ(a.Count, 3);
    EXPECT_EQ(a.Points[1].x, -3);
    EXPECT_EQ(a.Points[2].y, 6);
    // Rules stand in program-table order whatever order they were written in.
    ASSERT_EQ(a.RuleCount, 2);
    EXPECT_EQ(a.Rules[0].ProgramIndex, 0);
    EXPECT_EQ(GetText(a.Rules[0].Action), u"");
    EXPECT_EQ(a.Rules[1].ProgramIndex, 1);
    EXPECT_EQ(GetText(a.Rules[1].Action), u"@Special: copy");
    const TGesture& b = s.Gestures[1];
    EXPECT_EQ(GetText(b.DefaultAction), u"");
    ASSERT_EQ(b.RuleCount, 1);
    EXPECT_EQ(GetText(b.Rules[0].Action), u"@Keystrokes: a b  ");  // trailing blanks kept
    // A stroke is filled in and normalised: about 30 points in the 0..100 frame.
    EXPECT_EQ(b.Count, 30);
    EXPECT_EQ(b.Points[0].x, 0);
    for (int k = 0; k < b.Count; ++k) {
        EXPECT_GE(b.Points[k].x, 0);
        EXPECT_GE(b.Points[k].y, 0);
        EXPECT_LE(b.Points[k].x, 100);
        EXPECT_LE(b.Points[k].y, 100);
    }
}

TEST(SetSource, ErrorsNameTheirLines) {
    const struct {
        const char* text;
        int line;
        const char* message;
    } cases[] = {
        {"action x\n", 1, "statement before the first \"gesture\""},
        {"gesture\npoints 1,2\nfrobnicate\n", 3, "unknown statement \"frobnicate\""},
        {"gesture\npoints 1,2 3;4\n", 2, "\"3;4\" is not a point x,y of integers"},
        {"gesture\npoints 1,99999999999\n", 2, "\"1,99999999999\" is not a point x,y of integers"},
        {"gesture\naction a\naction b\npoints 1,1\n", 3, "the gesture already has an action"},
        {"gesture\nrule Foo = x\npoints 1,1\n", 2, "no program \"Foo\" is defined before this rule"},
        {"program A = a\ngesture\nrule A = x\nrule A = y\npoints 1,1\n", 4,
         "the gesture already has a rule for \"A\""},
        {"program A = a\nprogram A = b\ngesture\nrule A = x\npoints 1,1\n", 4,
         "more than one program is named \"A\"; use #<number>"},
        {"program A\n", 1, "expected program <name> = <path>"},
        {"program  = x\n", 1, "the program name is empty"},
        {"gesture\npoints 1,1\nstroke 0,0 1,1\n", 3, "a gesture takes either \"stroke\" or \"points\", not both"},
        {"gesture\naction \xC3\x28\npoints 1,1\n", 2, "the action is not valid UTF-8"},
        {"gesture\naction ok\n\ngesture\npoints 1,1\n", 1, "the gesture has no \"stroke\" or \"points\""},
        {"gesture\nstroke 5,5\n", 1, "a stroke needs at least two corners"},
        {"gesture\nstroke 5,5 5,5\n", 1, "the stroke has no length to normalise"},
        {"# nothing\n", 1, "the set has no gestures"},
    };
    for (const auto& c : cases) {
        Parsed p(c.text);
        EXPECT_FALSE(p.ok) << c.text;
        ASSERT_FALSE(p.errors.empty()) << c.text;
        EXPECT_EQ(p.errors[0].line, c.line) << c.text;
        EXPECT_EQ(p.errors[0].message, c.message) << c.text;
    }
    EXPECT_EQ(FormatSourceError({12, "bad"}), "12: bad");
}

TEST(SetSource, CapacitiesAreErrorsNotCuts) {
    std::string longAction = "gesture\naction " + std::string(1025, 'a') + "\npoints 1,1\n";
    EXPECT_EQ(Parsed(longAction).Errors(), "2: the action is longer than 1024 characters\n");
    EXPECT_TRUE(Parsed("gesture\naction " + std::string(1024, 'a') + "\npoints 1,1\n").ok);

    std::string points = "gesture\npoints";
    for (int i = 0; i < 2002; ++i) points += " 1,1";
    EXPECT_EQ(Parsed(points).Errors(), "2: more than 2001 points\n");

    std::string gestures;
    for (int i = 0; i < 101; ++i) gestures += "gesture\npoints 1,1\n";
    Parsed many(gestures);
    EXPECT_EQ(many.Errors(), "201: more than 100 gestures\n");
    EXPECT_EQ(many.set->GestureCount, 100);

    std::string programs;
    for (int i = 0; i < 202; ++i) programs += "program P" + std::to_string(i) + " = x\n";
    EXPECT_EQ(Parsed(programs + "gesture\npoints 1,1\n").Errors(), "202: more than 201 programs\n");
}

TEST(SetSource, WriterAndParserRoundTrip) {
    auto set = std::make_unique<TGestureSet>();
    set->ProgramCount = 4;
    SetText(set->Programs[0].Name, u"Same");
    SetText(set->Programs[1].Name, u"Same");       // not unique: rules use its number
    SetText(set->Programs[2].Name, u"a = b");      // not writable as a name
    SetText(set->Programs[3].Name, u"Éditeur 编辑");
    for (int p = 0; p < 4; ++p) SetText(set->Programs[p].Path, u"C:\\p" + std::u16string(1, u'0' + p) + u".exe");
    set->GestureCount = 2;
    TGesture& g = set->Gestures[0];
    g.Count = 23;
    for (int k = 0; k < 23; ++k) g.Points[k] = {k * 4 - 7, 100 - k};
    SetText(g.DefaultAction, u"@Keystrokes: {ctrl}a = b # not a comment");
    g.RuleCount = 4;
    for (int r = 0; r < 4; ++r) {
        g.Rules[r].ProgramIndex = static_cast<uint8_t>(r);
        SetText(g.Rules[r].Action, r == 2 ? u"" : u"@Browser: back");
    }
    set->Gestures[1].Count = 0;

    const std::string text = WriteSetSource(*set);
    Parsed p(text);
    ASSERT_TRUE(p.ok) << p.Errors() << text;
    const TGestureSet& back = *p.set;
    ASSERT_EQ(back.GestureCount, 2);
    ASSERT_EQ(back.ProgramCount, 4);
    EXPECT_EQ(GetText(back.Programs[3].Name), u"Éditeur 编辑");
    EXPECT_EQ(GetText(back.Programs[3].Path), u"C:\\p3.exe");
    EXPECT_EQ(std::memcmp(&back.Gestures[0], &set->Gestures[0], sizeof(TGesture)), 0) << text;
    EXPECT_EQ(back.Gestures[1].Count, 0);
    // A name the format cannot hold is replaced; the rules keep pointing at it.
    EXPECT_EQ(GetText(back.Programs[2].Name), u"Program 3");
    const std::string again = WriteSetSource(back);
    EXPECT_EQ(WriteSetSource(*Parsed(again).set), again);
}

TEST(SetJson, DumpsTheUsedPartWithEscapes) {
    auto set = std::make_unique<TGestureSet>();
    set->ProgramCount = 1;
    SetText(set->Programs[0].Name, u"say \"hi\"\\ 编");
    SetText(set->Programs[0].Path, std::u16string(u"a\tb") + char16_t(0xD800) + u"\x01");
    set->GestureCount = 1;
    set->Gestures[0].Count = 2;
    set->Gestures[0].Points[1] = {-1, 100};
    set->Gestures[0].RecordCursor = 4;
    set->Gestures[0].RuleCount = 1;
    set->Gestures[0].Rules[0] = {0, 3, {}};
    SetText(set->Gestures[0].Rules[0].Action, u"😀");
    EXPECT_EQ(SetToJson(*set),
              "{\"gestureCount\":1,\"programCount\":1,\"programs\":[{\"name\":\"say \\\"hi\\\"\\\\ \xE7\xBC\x96\","
              "\"path\":\"a\\tb\\uD800\\u0001\"}],\"gestures\":[\n"
              "{\"number\":1,\"defaultAction\":\"\",\"count\":2,\"recordCursor\":4,\"points\":[[0,0],[-1,100]],"
              "\"rules\":[{\"programIndex\":0,\"reserved\":3,\"action\":\"\xF0\x9F\x98\x80\"}]}\n]}\n");
    // Counts past the slots are reported but never read past.
    set->GestureCount = 5000;
    set->Gestures[0].Count = 99999;
    set->Gestures[0].RuleCount = 255;
    EXPECT_NE(SetToJson(*set).find("\"gestureCount\":5000"), std::string::npos);
}

}  // namespace
}  // namespace zoram
