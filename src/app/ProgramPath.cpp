#include "app/ProgramPath.h"

#include <vector>

namespace zoram {

namespace {

char16_t Lower(char16_t c) {
    // Windows compares paths without regard to case; ASCII and Latin-1
    // letters cover the folder names met in practice.
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 32;
    return c;
}

bool SameNoCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

bool IsSlash(char16_t c) { return c == u'\\' || c == u'/'; }

std::vector<std::u16string_view> Split(std::u16string_view s) {
    std::vector<std::u16string_view> parts;
    size_t start = 0;
    for (size_t i = 0; i <= s.size(); ++i) {
        if (i == s.size() || IsSlash(s[i])) {
            if (i > start) parts.push_back(s.substr(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

}  // namespace

std::u16string_view PathDrive(std::u16string_view path) {
    if (path.size() >= 2 && path[1] == u':') return path.substr(0, 2);
    if (path.size() >= 2 && IsSlash(path[0]) && IsSlash(path[1])) {
        // "\\server\share": up to the separator after the share name.
        size_t server = path.find_first_of(u"\\/", 2);
        if (server == std::u16string_view::npos) return path;
        size_t share = path.find_first_of(u"\\/", server + 1);
        return share == std::u16string_view::npos ? path : path.substr(0, share);
    }
    return {};
}

std::u16string ProgramRelativePath(std::u16string_view base, std::u16string_view path) {
    std::u16string_view baseDrive = PathDrive(base), drive = PathDrive(path);
    if (!SameNoCase(baseDrive, drive)) return std::u16string(path);

    std::u16string_view rest = path.substr(drive.size());
    size_t lastSlash = rest.find_last_of(u"\\/");
    std::u16string_view fileName = lastSlash == std::u16string_view::npos ? rest : rest.substr(lastSlash + 1);
    std::u16string_view folders = lastSlash == std::u16string_view::npos ? std::u16string_view{} : rest.substr(0, lastSlash);

    std::u16string_view baseRest = base.substr(baseDrive.size());
    size_t baseSlash = baseRest.find_last_of(u"\\/");
    std::vector<std::u16string_view> from =
        Split(baseSlash == std::u16string_view::npos ? std::u16string_view{} : baseRest.substr(0, baseSlash));
    std::vector<std::u16string_view> to = Split(folders);

    size_t same = 0;
    while (same < from.size() && same < to.size() && SameNoCase(from[same], to[same])) ++same;

    std::u16string result;
    for (size_t i = same; i < from.size(); ++i) result += u"..\\";
    for (size_t i = same; i < to.size(); ++i) (result += to[i]) += u'\\';
    result += fileName;
    return result;
}

std::u16string ExpandFullPath(std::u16string_view base, std::u16string_view path, size_t maxLength) {
    if (path.empty()) return {};
    std::u16string_view drive = PathDrive(path);
    std::u16string prefix;
    std::u16string_view rest;
    if (!drive.empty() && drive.size() > 2) {
        // Network path: the "\\server\share" prefix stays as it is.
        prefix = std::u16string(drive);
        rest = path.substr(drive.size());
    } else if (!drive.empty()) {
        prefix = std::u16string(drive);
        rest = path.substr(2);
        if (rest.empty() || !IsSlash(rest[0])) {
            // "C:x" is relative to the current folder of that drive; only the
            // base's drive has a known one, others start at their root.
            std::u16string_view baseDrive = PathDrive(base);
            std::u16string joined = SameNoCase(baseDrive, drive)
                                        ? std::u16string(base.substr(baseDrive.size())) + u'\\'
                                        : std::u16string(u"\\");
            return ExpandFullPath(base, prefix + joined + std::u16string(rest), maxLength);
        }
    } else if (IsSlash(path[0])) {
        prefix = std::u16string(PathDrive(base));
        rest = path;
    } else {
        return ExpandFullPath(base, std::u16string(base) + u'\\' + std::u16string(path), maxLength);
    }

    std::vector<std::u16string_view> parts;
    for (std::u16string_view part : Split(rest)) {
        if (part == u".") continue;
        if (part == u"..") {
            if (!parts.empty()) parts.pop_back();
            continue;
        }
        parts.push_back(part);
    }
    std::u16string result = prefix;
    for (std::u16string_view part : parts) (result += u'\\') += part;
    const bool trailing = IsSlash(path.back()) && !parts.empty();
    if (parts.empty() || trailing) result += u'\\';
    if (result.size() > maxLength) return {};
    return result;
}

}  // namespace zoram
