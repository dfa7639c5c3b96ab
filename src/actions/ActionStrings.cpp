#include "actions/ActionStrings.h"

#include "actions/ActionText.h"

namespace zoram {

using namespace actiontext;

namespace {

struct Row {
    std::u16string_view english;
    std::u16string_view chinese;
};

constexpr Row kRows[kActionRows] = {
    {u"[ Same as default ]", u"[与默认动作相同]"},
    {u"[ Do nothing ]", u"[无]"},
    {u"[ Program or file... ]", u"[程序……]"},
    {u"[ Folder... ]", u"[文件夹……]"},
    {u"[ Website... ]", u"[网站……]"},
    {u"[ Key combination... ]", u"[组合键……]"},
    {u"[ Keystrokes... ]", u"[按键……]"},
    {u"Zoram: disable", u"Zoram:禁用"},
    {u"Zoram: settings", u"Zoram:设置"},
    {u"Browser: back", u"浏览器:后退"},
    {u"Browser: forward", u"浏览器:前进"},
    {u"Browser: refresh", u"浏览器:刷新"},
    {u"Browser: home page", u"浏览器:回到首页"},
    {u"Browser: new tab", u"浏览器:新标签"},
    {u"Browser: next tab", u"浏览器:下一标签"},
    {u"Browser: previous tab", u"浏览器:上一个标签"},
    {u"Browser: close tab", u"浏览器:关闭标签"},
    {u"Media player: play/pause", u"媒体播放器:播放/暂停"},
    {u"Media player: previous track", u"媒体播放器:上一首"},
    {u"Media player: next track", u"媒体播放器:下一首"},
    {u"Media player: stop", u"媒体播放器:停止"},
    {u"Windows: My Computer", u"Windows:我的电脑"},
    {u"Windows: Start button", u"Windows:开始按钮"},
    {u"Windows: Run Program", u"Windows:运行"},
    {u"Windows: Search", u"Windows:搜索"},
    {u"Windows: Lock", u"Windows:注销"},
    {u"Windows: Show Desktop", u"Windows:显示桌面"},
    {u"Windows: Explorer", u"Windows:资源管理器"},
    {u"Windows: Accessibility", u"Windows:辅助工具管理器"},
    {u"Special: help", u"特殊：帮助"},
    {u"Special: undo", u"特殊：撤销"},
    {u"Special: cut", u"特殊：剪切"},
    {u"Special: copy", u"特殊：拷贝"},
    {u"Special: paste", u"特殊：粘贴"},
    {u"Special: page up", u"特殊：上翻页"},
    {u"Special: page down", u"特殊：下翻页"},
    {u"Special: home", u"特殊：句首"},
    {u"Special: maximise window", u"特殊：最大化窗口"},
    {u"Special: minimise window", u"特殊：最小化窗口"},
    {u"Special: restore window", u"特殊：还原窗口"},
    {u"Special: close window", u"特殊：关闭窗口"},
};

constexpr std::u16string_view kIn = u"*in*";

// The payload of "@Keys: ..." and "@Keystrokes: ...": everything after the
// first ":" and the one character after it.
std::u16string PayloadAfterColon(std::u16string_view s) {
    size_t colon = s.find(u':');
    if (colon == std::u16string_view::npos || colon + 2 > s.size()) return u"";
    return std::u16string(s.substr(colon + 2));
}

}  // namespace

std::u16string_view ActionRow(int row, Language language) {
    if (row < 0 || row >= kActionRows) return {};
    return language == Language::Chinese ? kRows[row].chinese : kRows[row].english;
}

std::u16string_view SameAsDefaultText() { return kRows[0].english; }
std::u16string_view DoNothingText() { return kRows[1].english; }

std::u16string ActionToDisplayString(std::u16string_view s, size_t maxLength, Language language) {
    const bool chinese = language == Language::Chinese;
    std::u16string text;
    if (s.empty()) {
        text = ActionRow(1, language);
    } else if (StartsWith(s, u"@Keys:")) {
        text = chinese ? u"組合鍵:" + std::u16string(s.substr(std::min<size_t>(7, s.size())))
                       : std::u16string(s.substr(1));
    } else if (StartsWith(s, u"@Keystrokes:")) {
        text = (chinese ? u"按键: " : u"Keystrokes: ") + std::u16string(s.substr(std::min<size_t>(13, s.size())));
    } else if (s[0] == u'@') {
        text = s.substr(1);
        if (chinese)
            for (int row = 0; row < kActionRows; ++row)
                if (EqualsNoCase(text, kRows[row].english)) {
                    text = kRows[row].chinese;
                    break;
                }
    } else if (StartsWithNoCase(s, u"http://") || StartsWithNoCase(s, u"https://")) {
        text = s;
    } else {
        std::u16string_view cut = s.substr(0, s.find(kIn));
        size_t sep = cut.find_last_of(u"\\:");
        std::u16string_view name = sep == std::u16string_view::npos ? cut : cut.substr(sep + 1);
        text = name.empty() ? cut : name;
    }
    if (text.size() > maxLength) {
        text.resize(maxLength);
        text += u"...";
    }
    return text;
}

std::u16string FitActionString(std::u16string_view text) {
    if (text.size() <= kMaxActionLength) return std::u16string(text);
    size_t n = kMaxActionLength;
    if (text[n - 1] >= 0xD800 && text[n - 1] <= 0xDBFF) --n;
    return std::u16string(text.substr(0, n));
}

std::u16string ActionForPlainRow(int row, std::u16string_view current) {
    if (row == 0) return std::u16string(kSameAsDefaultAction);
    if (row == 1) return u"";
    if (row >= kFirstBuiltInRow && row < kActionRows) return u"@" + std::u16string(kRows[row].english);
    return std::u16string(current);
}

std::u16string KeystrokesPrefill(std::u16string_view current) {
    return StartsWith(current, u"@Keystrokes") ? PayloadAfterColon(current) : u"";
}

std::u16string KeystrokesAction(std::u16string_view script) {
    return FitActionString(u"@Keystrokes: " + std::u16string(script));
}

std::u16string KeyCombinationAction(std::u16string_view combination) {
    return FitActionString(u"@Keys: " + std::u16string(combination));
}

std::u16string WebsiteInitialText(std::u16string_view current) {
    if (!current.empty() && current[0] != u'@' && current.find(u"://") != std::u16string_view::npos)
        return std::u16string(current);
    return u"http://";
}

std::u16string WebsiteAction(std::u16string_view entered) {
    if (StartsWith(entered, u"http")) return FitActionString(entered);
    return FitActionString(u"http://" + std::u16string(entered));
}

std::u16string FolderAction(std::u16string_view chosen, std::u16string_view current) {
    return FitActionString(chosen.empty() ? current : chosen);
}

ProgramFields ProgramDialogFields(std::u16string_view current) {
    if (current.empty() || current[0] == u'@' || current.find(u"://") != std::u16string_view::npos)
        return {};
    size_t in = current.find(kIn);
    if (in == std::u16string_view::npos) return {std::u16string(current), u""};
    return {std::u16string(current.substr(0, in)), std::u16string(current.substr(in + kIn.size()))};
}

std::u16string ProgramAction(std::u16string_view program, std::u16string_view folder) {
    std::u16string s(program);
    std::u16string trimmed = Trimmed(folder);
    if (!trimmed.empty()) s += std::u16string(kIn) + trimmed;
    return FitActionString(s);
}

std::u16string_view DropMessage(DropOutcome outcome) {
    switch (outcome) {
    case DropOutcome::TooManyFiles: return kDropOneFileMessage;
    case DropOutcome::Unsupported: return kUnsupportedDropMessage;
    default: return {};
    }
}

DropOutcome DropFileOnAction(unsigned fileCount, std::u16string_view firstFile, const DropContext& context) {
    if (fileCount >= 2) return DropOutcome::TooManyFiles;
    if (fileCount == 0 || !context.panelVisible) return DropOutcome::NoGesture;
    try {
        // The shell hands over at most 260 characters of the path.
        std::u16string path(firstFile.substr(0, 260));
        std::u16string action = context.relativePath ? context.relativePath(path) : path;
        if (action.size() > kMaxActionLength || !context.storeDefaultAction)
            return DropOutcome::Unsupported;
        context.storeDefaultAction(action);
        return DropOutcome::Stored;
    } catch (...) {
        return DropOutcome::Unsupported;
    }
}

}  // namespace zoram
