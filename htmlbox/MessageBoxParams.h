#pragma once

#include <QIcon>
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <map>

#include "htmlbox/AreaStyle.h"
#include "htmlbox/MessageBoxText.h"

namespace qff {

// --- Style bits -------------------------------------------------------------------
// Button set (style & 0xF).
constexpr std::uint32_t MB_OK = 0x0;
constexpr std::uint32_t MB_OKCANCEL = 0x1;
constexpr std::uint32_t MB_ABORTRETRYIGNORE = 0x2;
constexpr std::uint32_t MB_YESNOCANCEL = 0x3;
constexpr std::uint32_t MB_YESNO = 0x4;
constexpr std::uint32_t MB_RETRYCANCEL = 0x5;
constexpr std::uint32_t MB_CANCELTRYCONTINUE = 0x6;
constexpr std::uint32_t MBX_CONTINUEABORT = 0x7;
constexpr std::uint32_t MBX_SKIPSKIPALLCANCEL = 0x8;
constexpr std::uint32_t MBX_IGNOREIGNOREALLCANCEL = 0x9;
// Icon and beep (style & 0xF0).
constexpr std::uint32_t MB_ICONHAND = 0x10;
constexpr std::uint32_t MB_ICONERROR = MB_ICONHAND;
constexpr std::uint32_t MB_ICONQUESTION = 0x20;
constexpr std::uint32_t MB_ICONEXCLAMATION = 0x30;
constexpr std::uint32_t MB_ICONASTERISK = 0x40;
constexpr std::uint32_t MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr std::uint32_t MB_USERICON = 0x80;
// Default button index (style >> 8 & 0xF).
constexpr std::uint32_t MB_DEFBUTTON1 = 0x000;
constexpr std::uint32_t MB_DEFBUTTON2 = 0x100;
constexpr std::uint32_t MB_DEFBUTTON3 = 0x200;
constexpr std::uint32_t MB_DEFBUTTON4 = 0x300;
constexpr std::uint32_t MB_HELP = 0x00004000;
constexpr std::uint32_t MB_SETFOREGROUND = 0x00010000;
constexpr std::uint32_t MB_TOPMOST = 0x00040000;
constexpr std::uint32_t MB_RIGHT = 0x00080000;
constexpr std::uint32_t MBX_DONT_SHOW_AGAIN = 0x01000000;
constexpr std::uint32_t MBX_CHECKED = 0x02000000;
constexpr std::uint32_t MBX_CHECKBOX_BELOW = 0x04000000;
constexpr std::uint32_t MBX_YES_TO_ALL = 0x08000000;
constexpr std::uint32_t MBX_NO_TO_ALL = 0x10000000;
constexpr std::uint32_t MBX_BUILTIN_TEXTS = 0x20000000;
constexpr std::uint32_t MBX_SILENT = 0x40000000;

// --- Button ids: what ShowHtmlMessageBox returns -----------------------------------
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;
constexpr int IDHELP = 9;
constexpr int IDTRYAGAIN = 10;
constexpr int IDCONTINUE = 11;
constexpr int IDX_SKIP = 14;
constexpr int IDX_SKIPALL = 15;
constexpr int IDX_IGNOREALL = 16;
constexpr int IDX_YESTOALL = 19;
constexpr int IDX_NOTOALL = 20;
constexpr int IDX_REPORT = 21;
constexpr int IDX_CUSTOM1 = 23;
constexpr int IDX_CUSTOM2 = 24;
constexpr int IDX_CUSTOM3 = 25;
constexpr int IDX_CUSTOM4 = 26;
constexpr int IDX_LESS = 30;
constexpr int IDX_MORE = 31;
// Pseudo ids used only to look up localised texts.
constexpr int IDX_CHECKBOX = 0x01000000;
constexpr int IDX_CAPTION_COUNTDOWN = static_cast<int>(0x80000000u);

// Replacement captions for one call, by button id.
using ButtonTextMap = std::map<int, MessageBoxText>;
// Icons by number, standing in for a module's icon resources.
using IconTable = std::map<int, QIcon>;

// Everything one message box shows and how it behaves. Filled by the caller (start from
// InitMessageBoxParams) and copied into the box.
struct MessageBoxParams {
    // Owner window; null means the application's active modal or active window.
    QPointer<QWidget> owner;
    // String table for texts given as ids and for localised captions (ids 9001 ... 9020);
    // null means the program's own table, which is empty.
    const StringTable* stringInstance = nullptr;
    // Icon table for a userIcon given as an id; null means the program's own (empty).
    const IconTable* iconInstance = nullptr;
    MessageBoxText caption;
    // "Do not show again": value name = suppressValuePrefix + messageId; an empty prefix
    // keeps the answer for this call only.
    QString suppressValuePrefix;
    QString suppressCompanyKey;
    int messageId = 0;
    // Event type the "Report" button sends to the owner; 0 means no "Report" button.
    std::uint32_t reportMessage = 0;
    AreaStyle windowArea;
    int headerHeight = 0;  // minimum header band height; 0 means no header band
    MessageBoxText headerText;
    AreaStyle headerArea;
    MessageBoxText text;
    int buttonAlign = 2;  // 0 left, 1 right, 2 centred
    std::uint32_t style = MB_OK | MB_ICONEXCLAMATION;
    AreaStyle controlArea;
    MessageBoxText moreText;
    AreaStyle moreArea;
    int timeoutSeconds = 0;
    int disableSeconds = 0;
    bool countdownInCaption = false;
    std::uint32_t helpContext = 0;
    // With MB_USERICON: a file or resource path, or an id into iconInstance.
    MessageBoxText userIcon;
    // Captions of up to four own buttons separated by line feeds.
    MessageBoxText customButtons;
    MessageBoxText checkBoxText;
    const ButtonTextMap* buttonTexts = nullptr;
};

// Resets every field of `params` to its default; the colours of the areas become the
// button face colour of the running style.
void InitMessageBoxParams(MessageBoxParams& params);

}  // namespace qff
