#pragma once

#include <QCursor>
#include <QFont>
#include <QFontMetrics>
#include <QIcon>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "htmlbox/CPPDrawManager.h"
#include "htmlbox/CssStyleSheet.h"
#include "htmlbox/HtmlColourNames.h"
#include "htmlbox/HtmlValues.h"
#include "htmlbox/ImageAttributes.h"
#include "htmlbox/LineInfo.h"
#include "htmlbox/LinkArea.h"
#include "htmlbox/TableLayout.h"
#include "htmlbox/TextStyle.h"

class QPainter;

namespace qff {

struct HtmlToken;

// Lays out and draws a small HTML dialect with a CSS subset: styled text runs, line
// breaks, tab stops, rules, hyperlinks, tables and pictures.
//
// Two passes over the same text: MeasureHtml lays the text out, returns the size it needs
// and records the geometry of every line and table; DrawHtml replays that geometry into a
// rectangle. Measure again whenever the text, a setting or the width changes.
//
// The dialect: tag and attribute names are matched exactly and in lower case; unknown
// tags are dropped; a closing tag only closes the innermost open style tag of its group;
// "&lt;" and "<<" write a literal "<". Malformed markup never fails, and no input makes
// the work or memory unbounded: nesting, lengths, counts and picture sizes are clamped.
//
// A drawer belongs to one thread (the one that paints it). It is not copyable.
class CPPHtmlDrawer {
  public:
    // Receives the index of the newly hovered link (-2 when the pointer left all links)
    // with the `message` and `param` given to SetNotify.
    using NotifyReceiver = std::function<void(int message, int linkIndex, std::uintptr_t param)>;
    // Receives the target of a followed "msg" link with the `message` and `param` given to
    // SetLinkReceiver.
    using LinkReceiver =
        std::function<void(int message, const QString& target, std::uintptr_t param)>;
    // Opens the target of an "href" link; returns false when it could not be opened.
    // The default opens it with the desktop's handler for the URL or file.
    using UrlOpener = std::function<bool(const QString& target)>;

    CPPHtmlDrawer();
    virtual ~CPPHtmlDrawer();

    CPPHtmlDrawer(const CPPHtmlDrawer&) = delete;
    CPPHtmlDrawer& operator=(const CPPHtmlDrawer&) = delete;

    // Lays `html` out in measuring mode in (0, 0, maxWidth, 0) and returns the size it
    // needs plus one pixel each way; at most maxWidth + 1 wide when maxWidth is set. A text
    // that needs 0 x 0 is discarded (DrawHtml then draws nothing) and yields 1 x 1.
    // `dc` supplies the logical DPI for lengths; nullptr measures for a 96 DPI screen.
    // Discards all recorded lines, tables, links and image records first.
    QSize MeasureHtml(QPainter* dc, const QString& html);

    // Draws the text measured last into `rect` on `dc`, replaying the recorded geometry,
    // and records the link areas for FindLinkAt (replacing those of the previous draw).
    void DrawHtml(const QRect& rect, QPainter* dc);

    // Position in Links() of the first link area containing `point` (edges included), or -1.
    int FindLinkAt(const QPoint& point) const;

    // Updates the hovered link for the pointer at `point`. When the hovered link changes,
    // the notify receiver gets the new link index (-2 when leaving every link); the caller
    // redraws, since hovered links use the "a:hover" rule. Returns true when the point is
    // on a link with a target: the caller shows HandCursor() then.
    bool TrackLinkHover(const QPoint& point);

    // Performs the action of the link area at `index` (as returned by FindLinkAt): an
    // "href" target is opened through the URL opener, a "msg" target is handed to the link
    // receiver. Returns false when the index is out of range, the link has no target or
    // no receiver, or opening failed; the caller reports a failed "href" to the user.
    bool FollowLink(int index);

    // --- settings -------------------------------------------------------------------
    void SetMaxWidth(int width);  // 0: no limit and no word wrapping (the default)
    int MaxWidth() const { return m_maxWidth; }
    void SetTabWidth(int width);  // distance between tab stops, default 32
    int TabWidth() const { return m_tabWidth; }
    // Disabled: every colour becomes the disabled colour, backgrounds are transparent and
    // pictures take the solid disabled look.
    void SetEnabled(bool enabled) { m_enabled = enabled; }
    bool IsEnabled() const { return m_enabled; }
    void SetDisabledColour(ColorRef colour) { m_disabledColour = colour; }
    ColorRef DisabledColour() const { return m_disabledColour; }
    // True (default): a line feed acts as <br> and a tab as <t>; false: both are removed.
    void SetConvertNewlines(bool convert) { m_convertNewlines = convert; }
    void SetNotify(NotifyReceiver receiver, int message, std::uintptr_t param);
    void SetLinkReceiver(LinkReceiver receiver, int message, std::uintptr_t param);
    void SetUrlOpener(UrlOpener opener) { m_urlOpener = std::move(opener); }
    // Shadow of pictures whose style asks for one (defaults: offsets 4 and 4, blur 7 and 7,
    // darkness 50, gradient shadow on, colour RGB(128, 128, 128)). The colour sets how dark
    // the shadow is; `darkness` is kept with the other settings and not used by drawing.
    // `gradient` picks the soft (blurred) shadow for the style letter "s".
    void SetImageShadow(int dx, int dy, int blurX, int blurY, int darkness, bool gradient,
                        ColorRef colour);
    // Adds style-sheet rules; a rule replaces an earlier one with the same selector.
    void AddStyleRules(const QString& css) { m_styleSheet.AddRules(css); }
    const CssStyleSheet& StyleSheet() const { return m_styleSheet; }
    const ColourNameMap& ColourNames() const { return m_colourNames; }

    // --- picture sources --------------------------------------------------------------
    // Resource ids: "idres=N" loads the Qt resource ":/res/N"; "iddll=N" loads
    // resourcePrefix + "/N" (the resource instance) unless "srcdll" names another prefix
    // starting with ":/". Files load through QImageReader.
    void SetResourceInstance(const QString& resourcePrefix) { m_resourceInstance = resourcePrefix; }
    // Pictures passed by "handle": the markup names the pointer value in hexadecimal, and
    // only pointers registered here are used (anything else draws nothing). The caller
    // keeps the pictures alive while the drawer may draw them.
    void RegisterHandle(const QIcon* icon);
    void RegisterHandle(const QImage* bitmap);
    void ClearHandles();
    // Strip used by "ilst" without a source of its own: cells of cx x cy.
    void SetImageList(const QImage& strip, int cx, int cy);
    // Texts of the "string" tag, by id.
    void SetStringResource(int id, const QString& text) { m_strings[id] = text; }

    // --- results --------------------------------------------------------------------
    const std::vector<LineInfo>& Lines() const { return m_lines; }
    const std::vector<TableLayout>& Tables() const { return m_tables; }
    const std::vector<LinkArea>& Links() const { return m_links; }
    int HoveredLink() const { return m_hoverLink; }
    QCursor HandCursor() const { return QCursor(Qt::PointingHandCursor); }
    // The drawing utilities this drawer paints with (the message box fills its bands here).
    CPPDrawManager& DrawManager() { return m_drawManager; }

    // Nesting limits: style tags beyond kMaxStyleDepth open saved styles are ignored;
    // tables nested deeper than kMaxTableDepth are laid out as plain text.
    static constexpr int kMaxStyleDepth = 4096;
    static constexpr int kMaxTableDepth = 16;
    static constexpr int kMaxFontPixels = 1000;

  private:
    struct AnimationEntry {
        int currentIndex = 0;
        int cellCount = 0;
        int speed = 0;
    };

    // layout of a whole text and of text flows (blocks and tables)
    QSize LayoutDocument(const QRect& rect);
    QSize LayoutFlow(const QString& text, int from, int to, const QRect& rect, int wrapWidth,
                     int depth);
    void ResetLayout();
    void RestoreLayout();

    // text blocks
    QSize LayoutTextBlock(const QString& text, int from, int to, const QRect& rect, int wrapWidth);
    void HandleTag(const HtmlToken& token);
    void HandleTextRun(QString run);
    void LayoutPiece(const QString& piece, bool lastOnLine);
    void StartLine();
    void EndLine(bool justify, int count);
    void AdvanceTab(int count);
    void LayoutRule(const QString& attributes);
    void MarkLineContent(int width);

    // styles
    void OpenStyleTag(const QString& group, int id, const QString& name, const QString& attributes);
    void CloseStyleTag(const QString& group);
    void ApplyRule(const QString& selector);
    void ApplyDeclaration(const QString& name, const QString& value);
    void ApplyFontAttributes(const QString& attributes);
    void ApplyLinkAttributes(const QString& attributes);
    void CreateFont();
    LengthContext CurrentLengthContext() const;
    void SetColour(ColorRef& field, const QString& value);

    // tables
    QSize LayoutTable(const QString& text, int from, int to, const QRect& rect, int depth);
    void ReadTableAttributes(const QString& attributes, bool isTable, int* colSpan, int* rowSpan);
    void NormaliseBorder(bool isTable);

    // pictures and strings
    void LayoutImageTag(int id, const QString& attributes);
    void LayoutStringTag(const QString& attributes);
    void PlaceBox(int width, int height, int layoutHeight);

    // settings
    int m_maxWidth = 0;
    int m_tabWidth = 32;
    bool m_enabled = true;
    ColorRef m_disabledColour = 0x808080;
    bool m_convertNewlines = true;
    NotifyReceiver m_notify;
    int m_notifyMessage = 0;
    std::uintptr_t m_notifyParam = 0;
    LinkReceiver m_linkReceiver;
    int m_linkMessage = 0;
    std::uintptr_t m_linkParam = 0;
    UrlOpener m_urlOpener;
    QString m_resourceInstance;
    ShadowSpec m_shadow;
    int m_shadowDarkness = 50;
    bool m_gradientShadow = true;
    std::map<std::uint64_t, const QIcon*> m_iconHandles;
    std::map<std::uint64_t, const QImage*> m_bitmapHandles;
    QImage m_imageList;
    int m_imageListCx = 0;
    int m_imageListCy = 0;
    std::map<int, QString> m_strings;

    CssStyleSheet m_styleSheet;
    ColourNameMap m_colourNames;
    CPPDrawManager m_drawManager;

    // what MeasureHtml recorded
    QString m_text;
    bool m_discarded = true;
    std::vector<LineInfo> m_lines;
    std::vector<TableLayout> m_tables;
    std::vector<LinkArea> m_links;
    std::vector<AnimationEntry> m_animations;
    int m_hoverLink = -2;

    // state of one layout run
    QPainter* m_dc = nullptr;
    bool m_measuring = true;
    int m_dpiY = 96;
    TextStyle m_style;
    std::vector<TextStyle> m_styleStack;
    int m_ignoredOpenTags = 0;
    QFont m_font;
    QString m_fontKey;
    QFontMetrics m_metrics{QFont()};
    int m_lineIndex = 0;  // next LineInfo to replay (drawing pass)
    int m_tableCounter = -1;
    int m_linkCounter = -1;
    int m_animationCounter = -1;
    bool m_topLevel = true;   // laying out the document's own blocks, not a table cell
    int m_visibleBottom = 0;  // drawing pass: below this nothing can show

    // state of the text block being laid out
    int m_blockLeft = 0;
    int m_blockWidth = 0;     // rectangle width (alignment, percentages)
    int m_wrapWidth = 0;      // width at which runs wrap, 0 for none
    int m_measuredWidth = 0;  // widest line of the block (measuring pass)
    int m_y = 0;              // top of the current line
    int m_x = 0;              // drawing position on the current line
    int m_lineUsed = 0;       // width taken on the current line, without justification
    bool m_lineHasContent = false;
    LineInfo m_line;         // the line being measured, or the one being replayed
    int m_justifyExtra = 0;  // pixels still to spread over the line's spaces
    int m_justifySpaces = 0;
};

}  // namespace qff
