#pragma once

#include <QColor>
#include <QImage>
#include <QRegion>
#include <QString>
#include <QWidget>

class QPropertyAnimation;

namespace qff {

// The start-up picture: a frameless, topmost window the size of its picture, shaped
// by the picture's key colour (pixels of that colour are cut away), optionally with a
// caption. It fades in and out where the window system supports opacity, closes
// itself after its timeout and deletes itself once closed.
//
// Usage: auto* s = new CSplashScreenEx; s->CreateSplash(frame); s->LoadPicture(img);
// s->ShowSplash(); and forget the pointer.
class CSplashScreenEx : public QWidget {
    Q_OBJECT

  public:
    enum Style : unsigned {
        FadeIn = 0x01,
        FadeOut = 0x02,
        Shadow = 0x04,
        CentreOnScreen = 0x08,
        CentreOnParent = 0x10,
        CloseOnInput = 0x20,
    };
    static constexpr unsigned kDefaultStyle = FadeIn | FadeOut | Shadow | CentreOnScreen;

    CSplashScreenEx();

    // Makes the window belong to parent (may be null). style is a combination of
    // Style flags, timeoutMs 0 means the splash only closes on input or by Hide.
    bool CreateSplash(QWidget* parent, unsigned style = kDefaultStyle, int timeoutMs = 2000);

    // Takes the picture, sizes the window to it and cuts away every pixel of the key
    // colour. A null picture (or a file that does not load) leaves the window
    // unsized and unshaped and returns false.
    bool LoadPicture(const QImage& picture, const QColor& key = QColor(255, 0, 255));
    bool LoadPicture(const QString& path, const QColor& key = QColor(255, 0, 255));

    // Caption drawn over the picture (centred, one line by default).
    void SetText(const QString& text, const QColor& colour = Qt::black,
                 Qt::Alignment alignment = Qt::AlignCenter);

    // Places the window, shows it (fading in when asked and possible) and starts the
    // timeout.
    void ShowSplash();

    // Closes now: fades out when asked and possible, then closes and deletes itself.
    void HideSplash();

    // The shape cut from a picture: every pixel not of the key colour.
    static QRegion ShapeOf(const QImage& picture, const QColor& key);

    // True when the window system can change a window's opacity.
    static bool CanFade();

  signals:
    // Emitted when the splash has closed, just before it deletes itself.
    void closed();

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FinishHide();

    unsigned style_ = kDefaultStyle;
    int timeout_ = 2000;
    QImage picture_;
    QString text_;
    QColor textColour_ = Qt::black;
    Qt::Alignment textAlignment_ = Qt::AlignCenter;
    bool hiding_ = false;
};

}  // namespace qff
