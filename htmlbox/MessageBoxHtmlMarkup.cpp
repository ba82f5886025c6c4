#include "htmlbox/MessageBoxHtmlMarkup.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace qff {

namespace {
// The message the drawers use to ask the box for a repaint of its HTML bands.
constexpr int kRepaintMessage = 0x8064;
}  // namespace

MessageBoxHtmlMarkup::MessageBoxHtmlMarkup() {
    m_drawer.SetNotify(
        [this](int, int, std::uintptr_t) {
            if (m_hoverCallback) {
                m_hoverCallback();
            }
        },
        kRepaintMessage, 0);
    m_drawer.SetUrlOpener(
        [](const QString& target) { return QDesktopServices::openUrl(TargetUrl(target)); });
}

QUrl MessageBoxHtmlMarkup::TargetUrl(const QString& target) {
    QString text = target;
    text.replace(QStringLiteral("<<"), QStringLiteral("<"));
    if (QDir::isAbsolutePath(text)) {
        return QUrl::fromLocalFile(text);
    }
    // A folder typed as a relative path still names that folder.
    if (const QFileInfo local(text); !text.contains(QLatin1Char(':')) && local.exists()) {
        return QUrl::fromLocalFile(local.absoluteFilePath());
    }
    return QUrl(text, QUrl::TolerantMode);
}

QSize MessageBoxHtmlMarkup::Measure(QPainter* dc, const QString& html) {
    return m_drawer.MeasureHtml(dc, html);
}

void MessageBoxHtmlMarkup::Draw(const QRect& rect, QPainter* dc) {
    m_drawer.DrawHtml(rect, dc);
}

int MessageBoxHtmlMarkup::FindLinkAt(const QPoint& point) const {
    return m_drawer.FindLinkAt(point);
}

bool MessageBoxHtmlMarkup::TrackLinkHover(const QPoint& point) {
    return m_drawer.TrackLinkHover(point);
}

QString MessageBoxHtmlMarkup::HrefTarget(int index) const {
    const auto& links = m_drawer.Links();
    if (index < 0 || index >= static_cast<int>(links.size())) {
        return {};
    }
    const LinkArea& link = links[static_cast<size_t>(index)];
    return link.linkKind == 1 ? link.linkTarget : QString();
}

bool MessageBoxHtmlMarkup::FollowLink(int index) {
    return m_drawer.FollowLink(index);
}

void MessageBoxHtmlMarkup::SetHoverCallback(std::function<void()> callback) {
    m_hoverCallback = std::move(callback);
}

void MessageBoxHtmlMarkup::RegisterIcon(const QIcon* icon) {
    m_drawer.RegisterHandle(icon);
}

std::unique_ptr<MessageBoxMarkup> MakeHtmlMarkup() {
    return std::make_unique<MessageBoxHtmlMarkup>();
}

}  // namespace qff
