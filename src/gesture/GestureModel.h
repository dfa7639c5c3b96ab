// Packed gesture records. Their byte image is the set file's content, so
// every size and offset is pinned below.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zoram {

constexpr int kMaxPoints = 2001;     // point slots per gesture
constexpr int kGestureSlots = 101;   // slots in a set
constexpr int kMaxGestures = 100;    // slots the program fills
constexpr int kRuleSlots = 101;
constexpr int kProgramSlots = 201;
constexpr int kTextUnits = 1025;     // 1024 characters and a NUL
constexpr int kMaxTextLength = kTextUnits - 1;

#pragma pack(push, 1)
struct TPoint {
    int32_t x;
    int32_t y;
};

struct TProgramRule {
    uint8_t ProgramIndex;
    uint8_t Reserved;
    char16_t Action[kTextUnits];
};

struct TGesture {
    TPoint Points[kMaxPoints];
    int32_t Count;
    int32_t RecordCursor;
    char16_t DefaultAction[kTextUnits];
    TProgramRule Rules[kRuleSlots];
    uint8_t RuleCount;
};

struct TKnownProgram {
    char16_t Path[kTextUnits];
    char16_t Name[kTextUnits];
};

struct TGestureSet {
    TGesture Gestures[kGestureSlots];
    int32_t GestureCount;
    TKnownProgram Programs[kProgramSlots];
    int32_t ProgramCount;
};
#pragma pack(pop)

static_assert(sizeof(TPoint) == 8);
static_assert(sizeof(TProgramRule) == 2052);
static_assert(offsetof(TProgramRule, Action) == 2);
static_assert(sizeof(TGesture) == 225319);
static_assert(offsetof(TGesture, Count) == 16008);
static_assert(offsetof(TGesture, RecordCursor) == 16012);
static_assert(offsetof(TGesture, DefaultAction) == 16016);
static_assert(offsetof(TGesture, Rules) == 18066);
static_assert(offsetof(TGesture, RuleCount) == 225318);
static_assert(sizeof(TKnownProgram) == 4100);
static_assert(offsetof(TKnownProgram, Name) == 2050);
static_assert(sizeof(TGestureSet) == 23581327);
static_assert(offsetof(TGestureSet, GestureCount) == 22757219);
static_assert(offsetof(TGestureSet, Programs) == 22757223);
static_assert(offsetof(TGestureSet, ProgramCount) == 23581323);

// The pen-up marker separating strokes inside a captured motion.
constexpr TPoint PEN_UP{-999, -999};

// Text fields: `field` is the address of a 1025-unit field. Many fields sit
// at odd addresses in the packed records, so they are only ever copied with
// memcpy, never read through a char16_t pointer or reference.
// Copies text into a field, cut at 1024 characters (and at an embedded NUL),
// always NUL-terminated.
void SetText(void* field, std::u16string_view text);
// The field's text up to its first NUL (at most 1025 units).
std::u16string GetText(const void* field);
// Puts a NUL in the last unit when the field has none; true if it did.
bool TerminateText(void* field);

}  // namespace zoram
