#include "app/Looks.h"

#include <QApplication>
#include <QSettings>
#include <QStyle>
#include <QStyleFactory>

namespace qff::looks {

namespace {

struct Scheme {
    int value;
    const char* style;
    QRgb window, button, base, highlight, text;
};

// Plain, the two flat ones, then the four colour schemes of the newer one.
constexpr Scheme kSchemes[] = {
    {210, "Windows", 0xd4d0c8, 0xd4d0c8, 0xffffff, 0x0a246a, 0x000000},
    {211, "Fusion", 0xf2f0ec, 0xe8e6e2, 0xffffff, 0x316ac5, 0x000000},
    {212, "Windows", 0xece9d8, 0xf1efe2, 0xffffff, 0x316ac5, 0x000000},
    {213, "Fusion", 0xdde8f6, 0xc4d8f1, 0xffffff, 0xfcc06a, 0x000000},
    {214, "Fusion", 0xeeede5, 0xe2dfd6, 0xffffff, 0xc1d2ee, 0x000000},
    {215, "Fusion", 0xd6e4f3, 0xe3edf8, 0xffffff, 0xffd86b, 0x15428b},
    {216, "Fusion", 0x535353, 0x6a6a6a, 0xf4f4f4, 0xffc54a, 0xffffff},
    {217, "Fusion", 0xdfe3ea, 0xeef0f4, 0xffffff, 0xffd86b, 0x3b3b3b},
    {218, "Fusion", 0xcfe3e6, 0xe0eef0, 0xffffff, 0xf6c25b, 0x1f4d56},
};

QPalette PaletteOf(const Scheme& s) {
    const QColor text(s.text);
    QPalette p;
    p.setColor(QPalette::Window, QColor(s.window));
    p.setColor(QPalette::Button, QColor(s.button));
    p.setColor(QPalette::Base, QColor(s.base));
    p.setColor(QPalette::AlternateBase, QColor(s.button));
    p.setColor(QPalette::Highlight, QColor(s.highlight));
    p.setColor(QPalette::HighlightedText, qGray(s.highlight) < 128 ? Qt::white : Qt::black);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::Text, Qt::black);
    p.setColor(QPalette::ToolTipBase, QColor(0xffffe1));
    p.setColor(QPalette::ToolTipText, Qt::black);
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x8c8c8c));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x8c8c8c));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x8c8c8c));
    return p;
}

}  // namespace

Look For(int value) {
    for (const Scheme& s : kSchemes) {
        if (s.value == value) {
            return {s.value, QString::fromLatin1(s.style), PaletteOf(s)};
        }
    }
    return For(kDefaultLook);
}

int ReadStored() {
    QSettings settings(QStringLiteral("QuillmarkFormulaFixer"),
                       QStringLiteral("Quillmark Formula Fixer"));
    bool ok = false;
    const int value = settings.value(QStringLiteral("ApplicationLook")).toInt(&ok);
    if (!ok) {
        settings.setValue(QStringLiteral("ApplicationLook"), kDefaultLook);
        return kDefaultLook;
    }
    return value;
}

void Apply(QApplication& app, int value) {
    const Look look = For(value);
    if (QStyle* style = QStyleFactory::create(look.style)) {
        app.setStyle(style);
    }
    app.setPalette(look.palette);
}

}  // namespace qff::looks
