#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <functional>
#include <memory>

class QIcon;
class QPainter;

namespace qff {

// What the message box needs from whatever measures and draws the markup of one band.
// The box owns one per band (header, message, More). The real one is MessageBoxHtmlMarkup; tests
// give the box a fake of fixed sizes to check its arithmetic.
class MessageBoxMarkup {
  public:
    virtual ~MessageBoxMarkup() = default;

    // Size the markup needs, plus one pixel each way (1 x 1 for nothing to draw).
    virtual QSize Measure(QPainter* dc, const QString& html) = 0;
    // Draws what was measured last into `rect`, and records where its links are.
    virtual void Draw(const QRect& rect, QPainter* dc) = 0;
    // Index of the link under `point`, or -1.
    virtual int FindLinkAt(const QPoint& point) const = 0;
    // Follows the pointer; true when it is over a link with a target. Calls the hover
    // callback when the hovered link changed, so the box repaints its bands.
    virtual bool TrackLinkHover(const QPoint& point) = 0;
    // Target of the link at `index` when it is an href link, else "".
    virtual QString HrefTarget(int index) const = 0;
    // Performs the action of a link; false when that failed (an href that did not open).
    virtual bool FollowLink(int index) = 0;
    virtual void SetHoverCallback(std::function<void()> callback) = 0;
    // An icon the markup names by its address ("<icon handle=0x...>"); the box keeps it
    // alive as long as the markup.
    virtual void RegisterIcon(const QIcon* icon) = 0;
};

using MessageBoxMarkupFactory = std::function<std::unique_ptr<MessageBoxMarkup>()>;

// The factory the box uses unless it is given another: CPPHtmlDrawer behind the seam.
std::unique_ptr<MessageBoxMarkup> MakeHtmlMarkup();

}  // namespace qff
