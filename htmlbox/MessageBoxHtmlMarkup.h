#pragma once

#include <QUrl>

#include "htmlbox/CPPHtmlDrawer.h"
#include "htmlbox/MessageBoxMarkup.h"

namespace qff {

// The message box's markup seam over the HTML renderer: one drawer per band, with the
// box told whenever the hovered link changes. An href target opens with the desktop's
// handler: a local path as a file or folder, anything else as a URL.
class MessageBoxHtmlMarkup : public MessageBoxMarkup {
  public:
    MessageBoxHtmlMarkup();

    QSize Measure(QPainter* dc, const QString& html) override;
    void Draw(const QRect& rect, QPainter* dc) override;
    int FindLinkAt(const QPoint& point) const override;
    bool TrackLinkHover(const QPoint& point) override;
    QString HrefTarget(int index) const override;
    bool FollowLink(int index) override;
    void SetHoverCallback(std::function<void()> callback) override;
    void RegisterIcon(const QIcon* icon) override;

    // How an href target becomes a URL: "<<" is the markup's escape of "<"; an absolute
    // path, or a relative one that exists, names a local file or folder; anything else is
    // a URL.
    static QUrl TargetUrl(const QString& target);

  private:
    CPPHtmlDrawer m_drawer;
    std::function<void()> m_hoverCallback;
};

}  // namespace qff
