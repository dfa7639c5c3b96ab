#include "app/Settings.h"

#include "app/ProgramPath.h"

namespace zoram {

namespace {

constexpr std::u16string_view kMain = u"main";
constexpr std::u16string_view kExclude = u"exclude";

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

// Up to eight hex digits as a 32-bit pattern.
std::optional<uint32_t> ParseHex(std::u16string_view s) {
    if (s.empty() || s.size() > 8) return std::nullopt;
    uint32_t v = 0;
    for (char16_t c : s) {
        int d = HexDigit(c);
        if (d < 0) return std::nullopt;
        v = v << 4 | static_cast<uint32_t>(d);
    }
    return v;
}

std::optional<int32_t> ParseDecimal(std::u16string_view s) {
    size_t i = !s.empty() && (s[0] == u'-' || s[0] == u'+') ? 1 : 0;
    if (i == s.size()) return std::nullopt;
    int64_t v = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < u'0' || s[i] > u'9') return std::nullopt;
        v = v * 10 + (s[i] - u'0');
        if (v > int64_t{INT32_MAX} + 1) return std::nullopt;
    }
    if (s[0] == u'-') v = -v;
    if (v > INT32_MAX) return std::nullopt;
    return static_cast<int32_t>(v);
}

char16_t Lower(char16_t c) { return c >= u'A' && c <= u'Z' ? c + 32 : c; }

bool SameNoCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

std::u16string Ascii(std::string_view s) { return std::u16string(s.begin(), s.end()); }

std::u16string Bool(bool b) { return b ? u"1" : u"0"; }
std::u16string Int(int32_t v) { return Ascii(std::to_string(v)); }

}  // namespace

int32_t ParseIntegerSetting(std::u16string_view text, int32_t fallback) {
    if (text.size() > 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X')) {
        auto v = ParseHex(text.substr(2));
        return v ? static_cast<int32_t>(*v) : fallback;
    }
    return ParseDecimal(text).value_or(fallback);
}

bool ParseBooleanSetting(std::u16string_view text, bool fallback) {
    return ParseIntegerSetting(text, fallback ? 1 : 0) != 0;
}

const std::vector<ColourName>& ColourNames() {
    // System colours are 0xFF000000 with the system colour index.
    static const std::vector<ColourName> table = {
        {u"clBlack", 0x000000}, {u"clMaroon", 0x000080}, {u"clGreen", 0x008000},
        {u"clOlive", 0x008080}, {u"clNavy", 0x800000}, {u"clPurple", 0x800080},
        {u"clTeal", 0x808000}, {u"clGray", 0x808080}, {u"clSilver", 0xC0C0C0},
        {u"clRed", 0x0000FF}, {u"clLime", 0x00FF00}, {u"clYellow", 0x00FFFF},
        {u"clBlue", 0xFF0000}, {u"clFuchsia", 0xFF00FF}, {u"clAqua", 0xFFFF00},
        {u"clWhite", 0xFFFFFF}, {u"clMoneyGreen", 0xC0DCC0}, {u"clSkyBlue", 0xF0CAA6},
        {u"clCream", 0xF0FBFF}, {u"clMedGray", 0xA4A0A0},
        {u"clActiveBorder", 0xFF00000A}, {u"clActiveCaption", 0xFF000002},
        {u"clAppWorkSpace", 0xFF00000C}, {u"clBackground", 0xFF000001},
        {u"clBtnFace", 0xFF00000F}, {u"clBtnHighlight", 0xFF000014},
        {u"clBtnShadow", 0xFF000010}, {u"clBtnText", 0xFF000012},
        {u"clCaptionText", 0xFF000009}, {u"clDefault", clDefault},
        {u"clGradientActiveCaption", 0xFF00001B}, {u"clGradientInactiveCaption", 0xFF00001C},
        {u"clGrayText", 0xFF000011}, {u"clHighlight", 0xFF00000D},
        {u"clHighlightText", 0xFF00000E}, {u"clHotLight", 0xFF00001A},
        {u"clInactiveBorder", 0xFF00000B}, {u"clInactiveCaption", 0xFF000003},
        {u"clInactiveCaptionText", 0xFF000013}, {u"clInfoBk", 0xFF000018},
        {u"clInfoText", 0xFF000017}, {u"clMenu", 0xFF000004},
        {u"clMenuBar", 0xFF00001E}, {u"clMenuHighlight", 0xFF00001D},
        {u"clMenuText", 0xFF000007}, {u"clNone", clNone},
        {u"clScrollBar", 0xFF000000}, {u"cl3DDkShadow", 0xFF000015},
        {u"cl3DLight", 0xFF000016}, {u"clWindow", 0xFF000005},
        {u"clWindowFrame", 0xFF000006}, {u"clWindowText", 0xFF000008},
    };
    return table;
}

std::optional<uint32_t> ParseColour(std::u16string_view text) {
    for (const ColourName& c : ColourNames())
        if (SameNoCase(c.name, text)) return c.value;
    if (!text.empty() && text[0] == u'$') return ParseHex(text.substr(1));
    if (auto v = ParseDecimal(text)) return static_cast<uint32_t>(*v);
    return std::nullopt;
}

std::u16string ColourToString(uint32_t colour) {
    for (const ColourName& c : ColourNames())
        if (c.value == colour) return std::u16string(c.name);
    static const char16_t digits[] = u"0123456789ABCDEF";
    std::u16string s = u"$";
    for (int shift = 28; shift >= 0; shift -= 4) s += digits[(colour >> shift) & 0xF];
    return s;
}

std::u16string NotValidIntegerMessage(std::u16string_view text) {
    std::u16string message = u"'";
    message += text;
    return message += u"' is not a valid integer value";
}

std::u16string UnableToWriteMessage(std::u16string_view fileName) {
    return u"Unable to write to " + std::u16string(fileName);
}

std::u16string ReadSettingsVersion(ProfileFile& file) {
    return file.ReadString(kMain, u"version", u"");
}

std::optional<std::u16string> LoadSettings(ProfileFile& file, std::u16string_view exeDirectory,
                                           Settings& s) {
    std::u16string tail = file.ReadString(kMain, u"tail", u"clBlue");
    auto colour = ParseColour(tail);
    if (!colour) return NotValidIntegerMessage(tail);
    s.tail = *colour;
    // Relative and absolute values both work: expanded against the program folder.
    s.motions = ExpandFullPath(exeDirectory, file.ReadString(kMain, u"motions", u""));
    // Missing or non-numeric values give the defaults of the table.
    const Settings d;
    auto boolean = [&](std::u16string_view key, bool Settings::*field) {
        s.*field = ParseBooleanSetting(file.ReadString(kMain, key, u""), d.*field);
    };
    auto integer = [&](std::u16string_view key, int32_t Settings::*field) {
        s.*field = ParseIntegerSetting(file.ReadString(kMain, key, u""), d.*field);
    };
    boolean(u"tutorialPrompt", &Settings::tutorialPrompt);
    boolean(u"showInfo", &Settings::showInfo);
    boolean(u"autoCheck", &Settings::autoCheck);
    boolean(u"recentList", &Settings::recentList);
    boolean(u"showTrails", &Settings::showTrails);
    boolean(u"fastTrails", &Settings::fastTrails);
    boolean(u"active", &Settings::active);
    boolean(u"mouseExMode", &Settings::mouseExMode);
    integer(u"invoke", &Settings::invoke);
    integer(u"language", &Settings::language);
    integer(u"idleTimeout", &Settings::idleTimeout);
    // Key names in `exclude` do not matter: every value is taken in file order.
    s.exclude.clear();
    for (const std::u16string& key : file.ReadKeys(kExclude))
        s.exclude.push_back(file.ReadString(kExclude, key, u""));
    return std::nullopt;
}

std::optional<std::u16string> SaveSettings(ProfileFile& file, std::u16string_view exeDirectory,
                                           const Settings& s) {
    const std::pair<std::u16string_view, std::u16string> main[] = {
        {u"version", std::u16string(kProgramVersion)},
        {u"motions", ProgramRelativePath(exeDirectory, s.motions)},
        {u"active", Bool(s.active)},
        {u"tutorialPrompt", Bool(s.tutorialPrompt)},
        {u"showInfo", Bool(s.showInfo)},
        {u"showTrails", Bool(s.showTrails)},
        {u"autoCheck", Bool(s.autoCheck)},
        {u"mouseExMode", Bool(s.mouseExMode)},
        {u"fastTrails", Bool(s.fastTrails)},
        {u"recentList", Bool(s.recentList)},
        {u"language", Int(s.language)},
        {u"idleTimeout", Int(s.idleTimeout)},
        {u"invoke", Int(s.invoke)},
        {u"tail", ColourToString(s.tail)},
    };
    const auto failed = [&] { return std::optional(UnableToWriteMessage(file.FileName())); };
    for (const auto& [key, value] : main)
        if (!file.WriteString(kMain, key, value)) return failed();
    if (!file.EraseSection(kExclude)) return failed();
    for (size_t i = 0; i < s.exclude.size(); ++i)
        if (!file.WriteString(kExclude, u"program" + Int(static_cast<int32_t>(i)), s.exclude[i]))
            return failed();
    return std::nullopt;
}

}  // namespace zoram
