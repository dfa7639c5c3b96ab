#include "app/Autostart.h"

#include "actions/ActionText.h"

namespace zoram {

using actiontext::AsciiLowered;
using actiontext::Trimmed;

bool willAutoStart(RunKey& key) { return !Trimmed(key.Read()).empty(); }

bool ToggleAutostart(RunKey& key, const std::u16string& ownPath) {
    if (willAutoStart(key)) {
        key.Delete();
        return false;
    }
    key.Write(ownPath);
    return true;
}

bool AutostartPointsElsewhere(RunKey& key, const std::u16string& ownPath) {
    const std::u16string value = key.Read();
    return !value.empty() && AsciiLowered(value) != AsciiLowered(ownPath);
}

void PointAutostartHere(RunKey& key, const std::u16string& ownPath) {
    key.Delete();
    key.Write(ownPath);
}

}  // namespace zoram
