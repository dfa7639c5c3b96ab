// Gesture set files: the byte image, the three forms, and that no failure
// loses data or leaves files behind.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <memory>

#include "gesture/EngineState.h"
#include "storage/BPCompress.h"
#include "storage/SetFile.h"
#include "storage_test_util.h"

namespace zoram {
namespace {

namespace fs = std::filesystem;

std::unique_ptr<TGestureSet> NewSet() { return std::make_unique<TGestureSet>(); }

// A set with something in every kind of field.
std::unique_ptr<TGestureSet> SampleSet() {
    auto set = NewSet();
    set->GestureCount = 3;
    set->ProgramCount = 2;
    SetText(set->Programs[0].Name, u"Notepad");
    SetText(set->Programs[0].Path, u"C:\\Windows\\notepad.exe");
    SetText(set->Programs[1].Name, u"编辑器");
    SetText(set->Programs[1].Path, u"..\\tools\\éditeur.exe");
    for (int i = 0; i < 3; ++i) {
        TGesture& g = set->Gestures[i];
        g.Count = 30;
        for (int k = 0; k < 30; ++k) g.Points[k] = {k * 3 + i, 100 - k * 3};
        g.RecordCursor = 7 + i;
        SetText(g.DefaultAction, i == 0 ? u"@Browser: back" : u"@Keystrokes: abc{enter}");
    }
    TGesture& g = set->Gestures[1];
    g.RuleCount = 2;
    g.Rules[0] = {0, 5, {}};
    SetText(g.Rules[0].Action, u"@Special: copy");
    g.Rules[1] = {1, 0, {}};
    SetText(g.Rules[1].Action, u"");
    return set;
}

bool SameImage(const TGestureSet& a, const TGestureSet& b) {
    return std::memcmp(&a, &b, sizeof(TGestureSet)) == 0;
}

std::vector<uint8_t> Expand(const std::vector<uint8_t>& packed) {
    std::vector<uint8_t> image(kSetImageSize);
    uLongf n = image.size();
    EXPECT_EQ(uncompress(image.data(), &n, packed.data(), static_cast<uLong>(packed.size())), Z_OK);
    image.resize(n);
    return image;
}

template <typename T>
T At(const std::vector<uint8_t>& image, size_t offset) {
    T v;
    std::memcpy(&v, image.data() + offset, sizeof v);
    return v;
}

std::u16string TextAt(const std::vector<uint8_t>& image, size_t offset) {
    std::u16string s;
    for (char16_t c; (c = At<char16_t>(image, offset + 2 * s.size())) != 0;) s += c;
    return s;
}

using SetFiles = testutil::TempDir;

TEST_F(SetFiles, SavedFileIsTheSetImageAtItsDocumentedOffsets) {
    auto set = SampleSet();
    set->Gestures[100].Count = 123;           // the 101st slot is stored too
    set->Gestures[2].Points[2000] = {-5, 77};
    set->Gestures[1].Rules[100] = {200, 9, {}};
    SetText(set->Programs[200].Name, u"last");
    ASSERT_TRUE(SaveSet(*set, File("a.mtd")));
    const auto image = Expand(ReadBytes(File("a.mtd")));
    ASSERT_EQ(image.size(), 23581327u);

    constexpr size_t G = 225319, programs = 22757223, P = 4100;
    EXPECT_EQ(At<int32_t>(image, 22757219), 3);                       // GestureCount
    EXPECT_EQ(At<int32_t>(image, 23581323), 2);                       // ProgramCount
    EXPECT_EQ(At<int32_t>(image, 100 * G + 16008), 123);              // Count of slot 100
    EXPECT_EQ(At<int32_t>(image, 1 * G + 8 * 29 + 4), 100 - 29 * 3);  // y of point 29
    EXPECT_EQ(At<int32_t>(image, 2 * G + 8 * 2000), -5);
    EXPECT_EQ(At<int32_t>(image, 2 * G + 8 * 2000 + 4), 77);
    EXPECT_EQ(At<int32_t>(image, 2 * G + 16012), 9);                  // RecordCursor
    EXPECT_EQ(TextAt(image, 0 * G + 16016), u"@Browser: back");       // DefaultAction
    EXPECT_EQ(At<uint8_t>(image, 1 * G + 225318), 2);                 // RuleCount
    EXPECT_EQ(At<uint8_t>(image, 1 * G + 18066 + 0), 0);              // rule 0 ProgramIndex
    EXPECT_EQ(At<uint8_t>(image, 1 * G + 18066 + 1), 5);              // rule 0 Reserved
    EXPECT_EQ(TextAt(image, 1 * G + 18066 + 2), u"@Special: copy");
    EXPECT_EQ(At<uint8_t>(image, 1 * G + 18066 + 2052 * 1), 1);
    EXPECT_EQ(At<uint8_t>(image, 1 * G + 18066 + 2052 * 100), 200);
    EXPECT_EQ(At<uint8_t>(image, 1 * G + 18066 + 2052 * 100 + 1), 9);
    EXPECT_EQ(TextAt(image, programs + 0 * P), u"C:\\Windows\\notepad.exe");  // Path
    EXPECT_EQ(TextAt(image, programs + 1 * P + 2050), u"编辑器");               // Name
    EXPECT_EQ(TextAt(image, programs + 200 * P + 2050), u"last");
}

TEST_F(SetFiles, SaveAndLoadGiveTheSameImageByteForByte) {
    auto set = SampleSet();
    // Unused slots and bytes after a NUL are carried along unchanged.
    set->Gestures[50].Points[3] = {1, 2};
    set->Gestures[0].DefaultAction[900] = u'x';
    const fs::path path = File("集合 é.mtd");
    ASSERT_TRUE(SaveSet(*set, path));
    auto loaded = NewSet();
    SetFileResult r = LoadSet(*loaded, path);
    ASSERT_TRUE(r) << r.detail;
    EXPECT_EQ(r.form, SetFileForm::Compressed);
    EXPECT_TRUE(SameImage(*set, *loaded));
    ASSERT_TRUE(SaveSet(*loaded, File("again.mtd")));
    EXPECT_EQ(ReadBytes(path), ReadBytes(File("again.mtd")));
    EXPECT_EQ(Listing(), (std::vector<std::string>{"again.mtd", "集合 é.mtd"}));  // no side file
}

TEST_F(SetFiles, UncompressedFileLoadsAndIsLeftCompressed) {
    auto set = SampleSet();
    const auto* bytes = reinterpret_cast<const uint8_t*>(set.get());
    WriteBytes(File("plain.mtd"), std::vector<uint8_t>(bytes, bytes + sizeof(TGestureSet)));
    std::vector<std::u16string> captions;
    auto loaded = NewSet();
    SetFileResult r = LoadSet(*loaded, File("plain.mtd"), [&](std::u16string_view c) { captions.emplace_back(c); });
    ASSERT_TRUE(r) << r.detail;
    EXPECT_EQ(r.form, SetFileForm::Uncompressed);
    EXPECT_EQ(captions, std::vector<std::u16string>{u"Fixing file..."});
    EXPECT_TRUE(SameImage(*set, *loaded));
    const auto packed = ReadBytes(File("plain.mtd"));
    EXPECT_LE(packed.size(), 1800000u);
    EXPECT_EQ(Expand(packed), std::vector<uint8_t>(bytes, bytes + sizeof(TGestureSet)));
}

#pragma pack(push, 1)
struct OldRecord {
    TPoint Points[kMaxPoints];
    int32_t Count, RecordCursor;
    char16_t DefaultAction[kTextUnits];
};
#pragma pack(pop)

TEST_F(SetFiles, OldLayoutIsConvertedIntoACopyWithTwoAppended) {
    std::vector<uint8_t> old(1824670, 0);
    auto* records = reinterpret_cast<OldRecord*>(old.data());
    for (int i = 0; i < 2; ++i) {
        records[i].Count = 4;
        for (int k = 0; k < kMaxPoints; ++k) records[i].Points[k] = {k + i, -k};
        records[i].RecordCursor = 3;
    }
    SetText(records[0].DefaultAction, u"@Browser: forward");
    // A text filling the whole old field without a NUL is cut to 1024 characters.
    std::fill_n(records[1].DefaultAction, kTextUnits, u'k');
    const int32_t two = 2;
    std::memcpy(old.data() + 1824666, &two, 4);
    WriteBytes(File("old.mtd"), old);

    // Memory already holds a set: slots past the old count keep it.
    auto set = SampleSet();
    auto before = NewSet();
    std::memcpy(before.get(), set.get(), sizeof(TGestureSet));
    std::vector<std::u16string> captions;
    SetFileResult r = LoadSet(*set, File("old.mtd"), [&](std::u16string_view c) { captions.emplace_back(c); });
    ASSERT_TRUE(r) << r.detail;
    EXPECT_EQ(r.form, SetFileForm::OldLayout);
    EXPECT_EQ(captions, std::vector<std::u16string>{u"Converting to new format..."});
    EXPECT_EQ(set->GestureCount, 2);
    EXPECT_EQ(set->ProgramCount, 0);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(set->Gestures[i].Count, 4);
        EXPECT_EQ(set->Gestures[i].RecordCursor, 3);
        EXPECT_EQ(set->Gestures[i].RuleCount, 0);
        EXPECT_EQ(std::memcmp(set->Gestures[i].Points, records[i].Points, sizeof(records[i].Points)), 0);
    }
    EXPECT_EQ(GetText(set->Gestures[0].DefaultAction), u"@Browser: forward");
    EXPECT_EQ(GetText(set->Gestures[1].DefaultAction), std::u16string(1024, u'k'));
    EXPECT_EQ(std::memcmp(&set->Gestures[2], &before->Gestures[2], sizeof(TGesture)), 0);
    EXPECT_EQ(std::memcmp(set->Programs, before->Programs, sizeof(set->Programs)), 0);

    EXPECT_EQ(ReadBytes(File("old.mtd")), old);  // the source is not changed
    auto copy = NewSet();
    SetFileResult c = LoadSet(*copy, File("old.mtd2"));
    ASSERT_TRUE(c) << c.detail;
    EXPECT_EQ(c.form, SetFileForm::Compressed);
    EXPECT_TRUE(SameImage(*set, *copy));
}

TEST_F(SetFiles, FilesThatAreNoSetFailAndChangeNothing) {
    auto packedOf = [](std::vector<uint8_t> plain) {
        uLongf n = compressBound(static_cast<uLong>(plain.size()));
        std::vector<uint8_t> out(n);
        compress2(out.data(), &n, plain.data(), static_cast<uLong>(plain.size()), 9);
        out.resize(n);
        return out;
    };
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        SetFileForm form;
    } cases[] = {
        {"empty.mtd", {}, SetFileForm::Compressed},
        {"text.mtd", {'n', 'o', 't', ' ', 'a', ' ', 's', 'e', 't'}, SetFileForm::Compressed},
        {"short.mtd", packedOf(std::vector<uint8_t>(1000, 1)), SetFileForm::Compressed},
        {"long.mtd", packedOf(std::vector<uint8_t>(kSetImageSize + 1, 0)), SetFileForm::Compressed},
        {"big.mtd", std::vector<uint8_t>(20000001, 0), SetFileForm::Uncompressed},
        {"oldish.mtd", std::vector<uint8_t>(1824671, 0), SetFileForm::OldLayout},
    };
    auto set = SampleSet();
    auto before = NewSet();
    std::memcpy(before.get(), set.get(), sizeof(TGestureSet));
    for (const Case& c : cases) {
        WriteBytes(File(c.name), c.bytes);
        SetFileResult r = LoadSet(*set, File(c.name));
        EXPECT_EQ(r.status, SetFileStatus::InvalidFormat) << c.name;
        EXPECT_EQ(r.form, c.form) << c.name;
        EXPECT_TRUE(SameImage(*set, *before)) << c.name;
        EXPECT_EQ(ReadBytes(File(c.name)).size(), c.bytes.size()) << c.name;
        fs::remove(File(c.name));
    }
    EXPECT_EQ(LoadSet(*set, File("missing.mtd")).status, SetFileStatus::Missing);
    EXPECT_TRUE(SameImage(*set, *before));
    EXPECT_TRUE(Listing().empty());  // no side file, no converted copy
    EXPECT_EQ(CouldNotLoadMessage(u"C:\\x.mtd"),
              u"\"C:\\x.mtd\" could not be loaded. It may be in an invalid format");
}

TEST_F(SetFiles, LoadedCountsFitTheCapacities) {
    auto set = NewSet();
    set->GestureCount = 150;
    set->ProgramCount = 300;
    set->Gestures[0].Count = 5000;
    set->Gestures[1].Count = -4;
    set->Gestures[2].RuleCount = 250;
    // Rules past the program table are dropped, the others keep their order.
    auto small = NewSet();
    small->GestureCount = -1;
    small->ProgramCount = 2;
    small->Gestures[0].RuleCount = 4;
    const uint8_t indexes[] = {1, 7, 0, 2};
    for (int r = 0; r < 4; ++r) {
        small->Gestures[0].Rules[r].ProgramIndex = indexes[r];
        small->Gestures[0].Rules[r].Reserved = static_cast<uint8_t>(10 + r);
    }
    std::fill_n(small->Programs[1].Name, kTextUnits, u'n');  // no NUL
    ASSERT_TRUE(SaveSet(*set, File("big.mtd")));
    ASSERT_TRUE(SaveSet(*small, File("small.mtd")));

    auto loaded = NewSet();
    ASSERT_TRUE(LoadSet(*loaded, File("big.mtd")));
    EXPECT_EQ(loaded->GestureCount, 100);
    EXPECT_EQ(loaded->ProgramCount, 201);
    EXPECT_EQ(loaded->Gestures[0].Count, 2001);
    EXPECT_EQ(loaded->Gestures[1].Count, 0);
    EXPECT_EQ(loaded->Gestures[2].RuleCount, 101);

    ASSERT_TRUE(LoadSet(*loaded, File("small.mtd")));
    EXPECT_EQ(loaded->GestureCount, 0);
    EXPECT_EQ(GetText(loaded->Programs[1].Name), std::u16string(1024, u'n'));
    // Gesture 0 is past the count now, so its rules are not touched.
    EXPECT_EQ(loaded->Gestures[0].RuleCount, 4);

    small->GestureCount = 1;
    ClampToCapacities(*small);
    ASSERT_EQ(small->Gestures[0].RuleCount, 2);
    EXPECT_EQ(small->Gestures[0].Rules[0].ProgramIndex, 1);
    EXPECT_EQ(small->Gestures[0].Rules[0].Reserved, 10);
    EXPECT_EQ(small->Gestures[0].Rules[1].ProgramIndex, 0);
    EXPECT_EQ(small->Gestures[0].Rules[1].Reserved, 12);
    EXPECT_FALSE(ClampToCapacities(*small));
}

TEST_F(SetFiles, FailedSavesLeaveTheOldFileWhole) {
    auto set = SampleSet();
    ASSERT_TRUE(SaveSet(*set, File("a.mtd")));
    const auto good = ReadBytes(File("a.mtd"));
    fs::create_directory(File("a.mtd.tmp"));  // the new file cannot be written
    set->GestureCount = 1;
    SetFileResult r = SaveSet(*set, File("a.mtd"));
    EXPECT_EQ(r.status, SetFileStatus::FileError);
    EXPECT_FALSE(r.detail.empty());
    EXPECT_EQ(ReadBytes(File("a.mtd")), good);

    // A set whose compressed form would be taken for another form is refused.
    auto noise = NewSet();
    auto* bytes = reinterpret_cast<uint8_t*>(noise.get());
    uint32_t x = 1;
    for (size_t i = 0; i < 4000000; ++i) bytes[i] = static_cast<uint8_t>((x = x * 1103515245u + 12345u) >> 24);
    EXPECT_EQ(SaveSet(*noise, File("a.mtd")).status, SetFileStatus::TooLarge);
    EXPECT_EQ(ReadBytes(File("a.mtd")), good);
}

TEST_F(SetFiles, LoadingNeedsNoWritableFolder) {
    // Nothing is written beside a compressed file, so a folder in the way of
    // a side file, or a folder the user cannot write to, does not matter.
    auto set = SampleSet();
    ASSERT_TRUE(SaveSet(*set, File("a.mtd")));
    fs::create_directory(File("a.mtdz"));
    auto loaded = NewSet();
    ASSERT_TRUE(LoadSet(*loaded, File("a.mtd")));
    EXPECT_TRUE(SameImage(*set, *loaded));
    EXPECT_EQ(Listing(), (std::vector<std::string>{"a.mtd", "a.mtdz"}));

    // An older form whose rewrite fails is loaded all the same, and says why.
    const auto* bytes = reinterpret_cast<const uint8_t*>(set.get());
    const std::vector<uint8_t> plain(bytes, bytes + sizeof(TGestureSet));
    WriteBytes(File("plain.mtd"), plain);
    fs::create_directory(File("plain.mtd.tmp"));
    auto fromPlain = NewSet();
    SetFileResult r = LoadSet(*fromPlain, File("plain.mtd"));
    ASSERT_TRUE(r);
    EXPECT_FALSE(r.detail.empty());
    EXPECT_TRUE(SameImage(*set, *fromPlain));
    EXPECT_EQ(ReadBytes(File("plain.mtd")), plain);

    std::vector<uint8_t> old(1824670, 0);
    old[1824666] = 1;
    WriteBytes(File("old.mtd"), old);
    fs::create_directory(File("old.mtd2.tmp"));
    SetFileResult c = LoadSet(*fromPlain, File("old.mtd"));
    ASSERT_TRUE(c);
    EXPECT_FALSE(c.detail.empty());
    EXPECT_EQ(fromPlain->GestureCount, 1);
    EXPECT_FALSE(fs::exists(File("old.mtd2")));
}

TEST_F(SetFiles, EngineStateFormsClearSetModifiedOnlyOnSuccess) {
    EngineState state;
    state.Set->GestureCount = 1;
    state.SetModified = true;
    EXPECT_FALSE(loadMotions(state, File("none.mtd")));
    EXPECT_TRUE(state.SetModified);
    ASSERT_TRUE(saveMotions(state, File("s.mtd")));
    EXPECT_FALSE(state.SetModified);
    state.SetModified = true;
    state.Set->GestureCount = 0;
    ASSERT_TRUE(loadMotions(state, File("s.mtd")));
    EXPECT_FALSE(state.SetModified);
    EXPECT_EQ(state.Set->GestureCount, 1);
}

}  // namespace
}  // namespace zoram
