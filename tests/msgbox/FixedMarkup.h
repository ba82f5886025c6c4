#pragma once

#include <QIcon>
#include <map>
#include <memory>

#include "htmlbox/MessageBoxMarkup.h"

namespace qff::test {

// Markup of fixed measured sizes, so the box's own arithmetic can be checked to the
// pixel whatever fonts the machine has. Sizes are looked up by the exact markup text;
// anything else measures 1 x 1 (nothing to draw). Records what it was asked to draw.
class FixedMarkup : public MessageBoxMarkup {
  public:
    explicit FixedMarkup(std::map<QString, QSize> sizes) : m_sizes(std::move(sizes)) {}

    QSize Measure(QPainter*, const QString& html) override {
        m_measured = html;
        const auto it = m_sizes.find(html);
        return it != m_sizes.end() ? it->second : QSize(1, 1);
    }
    void Draw(const QRect& rect, QPainter*) override { m_drawnInto = rect; }
    int FindLinkAt(const QPoint&) const override { return -1; }
    bool TrackLinkHover(const QPoint&) override { return false; }
    QString HrefTarget(int) const override { return {}; }
    bool FollowLink(int) override { return false; }
    void SetHoverCallback(std::function<void()>) override {}
    void RegisterIcon(const QIcon*) override {}

    QString m_measured;
    QRect m_drawnInto;

  private:
    std::map<QString, QSize> m_sizes;
};

inline MessageBoxMarkupFactory FixedSizes(std::map<QString, QSize> sizes) {
    return [sizes] { return std::make_unique<FixedMarkup>(sizes); };
}

}  // namespace qff::test
