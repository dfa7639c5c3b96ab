// The keystroke engine: the program's keystroke notation, its conversion to
// the send-keys notation, and the walker that types a send-keys script.
#pragma once
#include <stdexcept>
#include <string>
#include <string_view>

#include "actions/KeyEventSink.h"

namespace zoram {

// A repeat count in braces that is not an integer.
class KeyScriptError : public std::runtime_error {
public:
    explicit KeyScriptError(std::u16string message);
    const std::u16string& Message() const { return message_; }

private:
    std::u16string message_;
};

// The program's notation -> the send-keys notation.
std::u16string MyFormatToTheirs(std::u16string_view script);

// Types a send-keys script. False for an empty script and when a "{" has no
// closing "}"; throws KeyScriptError for a bad repeat count. Modifiers the
// script pressed are released however it ends.
bool SendKeyScript(KeyEventSink& sink, std::u16string_view script, bool pumpMessages);

// The virtual key of a key name in braces ("ENTER", "PGDN", ...), 0 if none.
uint8_t KeyNameToVirtualKey(std::u16string_view upperName);

}  // namespace zoram
