// Starting Zoram at log-on: the value "zoram" of the current user's Run key.
#pragma once
#include <string>

namespace zoram {

class RunKey {
public:
    virtual ~RunKey() = default;
    virtual std::u16string Read() = 0;  // empty when missing
    virtual void Write(const std::u16string& value) = 0;
    virtual void Delete() = 0;
};

// The entry counts as present when its trimmed text is not empty.
bool willAutoStart(RunKey& key);
// The tray item: removes a present entry or writes this program's path.
// Returns whether autostart is now on.
bool ToggleAutostart(RunKey& key, const std::u16string& ownPath);
// An entry that names another copy of the program (ASCII letters compared
// without case) deserves the question whether this one should start instead.
bool AutostartPointsElsewhere(RunKey& key, const std::u16string& ownPath);
// "Yes" to that question.
void PointAutostartHere(RunKey& key, const std::u16string& ownPath);

}  // namespace zoram
