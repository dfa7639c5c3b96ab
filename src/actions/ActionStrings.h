// The action string notation: the built-in lists, the display text, the
// strings built from the assignment dialog's choices and the file drop.
#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace zoram {

enum class Language { English = 0, Chinese = 1 };

constexpr int kActionRows = 41;
constexpr int kFirstBuiltInRow = 7;
constexpr size_t kMaxActionLength = 1024;  // stored field: 1025 units with NUL
constexpr size_t kDisplayLength = 1000;    // what every caller of the display passes

// Row texts of the choice list, English (stored) and Chinese (shown).
std::u16string_view ActionRow(int row, Language language);
// Row 0 and row 1 of the English list.
std::u16string_view SameAsDefaultText();
std::u16string_view DoNothingText();

inline constexpr std::u16string_view kSameAsDefaultAction = u"@[ Same as default ]";

// The text shown for an action string in lists, buttons and the pop-up.
std::u16string ActionToDisplayString(std::u16string_view action, size_t maxLength,
                                     Language language);

// Cuts a text to what the stored field holds, never leaving half of a
// surrogate pair at the end.
std::u16string FitActionString(std::u16string_view text);

// --- Building a new action string from a choice -------------------------
// Every builder returns the new string already fitted to the stored field.

// "[ Do nothing ]" -> "", "[ Same as default ]" -> the marker, a built-in row
// -> "@" + its English text. Rows 2..6 open dialogs and give the current string.
std::u16string ActionForPlainRow(int row, std::u16string_view current);

// The keystrokes dialog's prefill for the current string.
std::u16string KeystrokesPrefill(std::u16string_view current);
std::u16string KeystrokesAction(std::u16string_view script);
std::u16string KeyCombinationAction(std::u16string_view combination);

// The website query's initial text and the string made from what was entered.
std::u16string WebsiteInitialText(std::u16string_view current);
std::u16string WebsiteAction(std::u16string_view entered);

// A chosen folder; an empty result (cancelled) keeps the current string.
std::u16string FolderAction(std::u16string_view chosen, std::u16string_view current);

// The launch-program dialog's two fields from the current string, and back.
struct ProgramFields {
    std::u16string program;
    std::u16string folder;
};
ProgramFields ProgramDialogFields(std::u16string_view current);
std::u16string ProgramAction(std::u16string_view program, std::u16string_view folder);

// --- A file dropped on the action panel ----------------------------------
inline constexpr std::u16string_view kDropOneFileMessage = u"Drop only one file on to this action.";
inline constexpr std::u16string_view kUnsupportedDropMessage = u"That type of object isn't supported.";

enum class DropOutcome { Stored, TooManyFiles, NoGesture, Unsupported };

struct DropContext {
    bool panelVisible = false;  // a gesture is selected
    // The program-relative form of a path.
    std::function<std::u16string(const std::u16string&)> relativePath;
    // Stores the new default action of the selected gesture; may throw.
    std::function<void(const std::u16string&)> storeDefaultAction;
};

// The message to show for an outcome; empty when none is shown.
std::u16string_view DropMessage(DropOutcome outcome);

DropOutcome DropFileOnAction(unsigned fileCount, std::u16string_view firstFile,
                             const DropContext& context);

}  // namespace zoram
