#include "htmlbox/MessageBoxButtons.h"

#include <QStringList>
#include <array>

namespace qff {

namespace {

struct CaptionEntry {
    int id;
    const char* caption;
    int resourceId;
};

constexpr std::array<CaptionEntry, 20> kCaptions{{
    {IDOK, "OK", 9001},
    {IDCANCEL, "Cancel", 9002},
    {IDABORT, "Abort", 9005},
    {IDRETRY, "Retry", 9004},
    {IDIGNORE, "Ignore", 9003},
    {IDYES, "Yes", 9007},
    {IDNO, "No", 9008},
    {IDHELP, "Help", 9006},
    {IDTRYAGAIN, "Try again", 9015},
    {IDCONTINUE, "Continue", 9009},
    {IDX_SKIP, "Skip", 9018},
    {IDX_SKIPALL, "Skip all", 9019},
    {IDX_IGNOREALL, "Ignore all", 9017},
    {IDX_YESTOALL, "Yes to all", 9013},
    {IDX_NOTOALL, "No to all", 9014},
    {IDX_REPORT, "Report", 9016},
    {IDX_LESS, "<< More", 9011},
    {IDX_MORE, "More >>", 9010},
    {IDX_CHECKBOX, "Do not show again", 9012},
    {IDX_CAPTION_COUNTDOWN, "%s (%d seconds remaining)", 9020},
}};

const CaptionEntry* FindCaption(int id) {
    for (const CaptionEntry& entry : kCaptions) {
        if (entry.id == id) {
            return &entry;
        }
    }
    return nullptr;
}

// The ids of a standard button set; Yes to all / No to all follow Yes / No in sets 3
// and 4 when the style asks for them.
std::vector<int> StandardSet(std::uint32_t style) {
    const bool yesAll = (style & MBX_YES_TO_ALL) != 0;
    const bool noAll = (style & MBX_NO_TO_ALL) != 0;
    auto yesNo = [&] {
        std::vector<int> ids{IDYES};
        if (yesAll)
            ids.push_back(IDX_YESTOALL);
        ids.push_back(IDNO);
        if (noAll)
            ids.push_back(IDX_NOTOALL);
        return ids;
    };
    switch (style & 0xF) {
        case MB_OK:
            return {IDOK};
        case MB_OKCANCEL:
            return {IDOK, IDCANCEL};
        case MB_ABORTRETRYIGNORE:
            return {IDABORT, IDRETRY, IDIGNORE};
        case MB_YESNOCANCEL: {
            std::vector<int> ids = yesNo();
            ids.push_back(IDCANCEL);
            return ids;
        }
        case MB_YESNO:
            return yesNo();
        case MB_RETRYCANCEL:
            return {IDRETRY, IDCANCEL};
        case MB_CANCELTRYCONTINUE:
            return {IDCANCEL, IDTRYAGAIN, IDCONTINUE};
        case MBX_CONTINUEABORT:
            return {IDCONTINUE, IDABORT};
        case MBX_SKIPSKIPALLCANCEL:
            return {IDX_SKIP, IDX_SKIPALL, IDCANCEL};
        case MBX_IGNOREIGNOREALLCANCEL:
            return {IDIGNORE, IDX_IGNOREALL, IDCANCEL};
        default:
            return {};
    }
}

bool SetAllowsCancel(std::uint32_t set) {
    switch (set) {
        case MB_OK:
        case MB_OKCANCEL:
        case MB_YESNOCANCEL:
        case MB_RETRYCANCEL:
        case MB_CANCELTRYCONTINUE:
        case MBX_SKIPSKIPALLCANCEL:
        case MBX_IGNOREIGNOREALLCANCEL:
            return true;
        default:
            return false;
    }
}

// Help, Report and More keep the box open.
bool EndsTheBox(int id) {
    return id != IDHELP && id != IDX_REPORT && id != IDX_MORE;
}

}  // namespace

QString BuiltinCaption(int id) {
    const CaptionEntry* entry = FindCaption(id);
    return entry != nullptr ? QString::fromUtf8(entry->caption) : QString();
}

int CaptionResourceId(int id) {
    const CaptionEntry* entry = FindCaption(id);
    return entry != nullptr ? entry->resourceId : 0;
}

QString ResolveCaption(const MessageBoxParams& params, int id, const QString& fallback) {
    const QString start = fallback.isEmpty() ? BuiltinCaption(id) : fallback;
    const bool builtinOnly = (params.style & MBX_BUILTIN_TEXTS) != 0;
    if (params.buttonTexts != nullptr) {
        const auto it = params.buttonTexts->find(id);
        if (it != params.buttonTexts->end()) {
            const QString text = it->second.Resolve(params.stringInstance, builtinOnly);
            return text.isEmpty() ? start : text;
        }
    }
    if (!builtinOnly && CaptionResourceId(id) != 0) {
        const QString text =
            MessageBoxText::FromId(CaptionResourceId(id)).Resolve(params.stringInstance, false);
        if (!text.isEmpty()) {
            return text;
        }
    }
    return start;
}

MessageBoxButtonRow BuildButtonRow(const MessageBoxParams& params) {
    MessageBoxButtonRow row;
    const bool builtinOnly = (params.style & MBX_BUILTIN_TEXTS) != 0;
    QString custom = params.customButtons.Resolve(params.stringInstance, builtinOnly);
    if (!custom.isEmpty()) {
        custom.remove(QLatin1Char('\r'));
        int id = IDX_CUSTOM1;
        for (const QString& piece : custom.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            if (id > IDX_CUSTOM4) {
                break;
            }
            row.buttons.push_back({id++, piece});
        }
        row.custom = !row.buttons.empty();
    } else {
        for (int id : StandardSet(params.style)) {
            row.buttons.push_back({id, ResolveCaption(params, id)});
        }
    }
    if ((params.style & MB_HELP) != 0) {
        row.buttons.push_back({IDHELP, ResolveCaption(params, IDHELP)});
    }
    if (params.reportMessage != 0 && params.owner != nullptr) {
        row.buttons.push_back({IDX_REPORT, ResolveCaption(params, IDX_REPORT)});
    }
    if (!params.moreText.Resolve(params.stringInstance, builtinOnly).isEmpty()) {
        row.buttons.push_back({IDX_MORE, ResolveCaption(params, IDX_MORE)});
    }

    bool closable = false;
    for (const MessageBoxButton& button : row.buttons) {
        closable = closable || EndsTheBox(button.id);
    }
    const bool fallbackOk = !closable;
    if (fallbackOk) {
        row.buttons.insert(row.buttons.begin(), {IDOK, ResolveCaption(params, IDOK)});
    }
    row.cancelAllowed = !row.custom && (SetAllowsCancel(params.style & 0xF) || fallbackOk);
    row.defaultIndex = DefaultButtonIndex(params.style, static_cast<int>(row.buttons.size()));
    return row;
}

int DefaultButtonIndex(std::uint32_t style, int count) {
    const int index = static_cast<int>((style >> 8) & 0xF);
    return index < count ? index : 0;
}

}  // namespace qff
