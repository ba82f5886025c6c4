#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QString>
#include <QUrl>
#include <functional>

namespace qff {

// A text that opens a link through the desktop when clicked: blue, purple once opened,
// red and underlined while the pointer is over it, with a hand cursor and the link as
// its tool tip. A link that cannot be opened gives a beep and an error message.
class CHyperLink : public QLabel {
    Q_OBJECT

  public:
    // Result codes of an attempt to open a link: above 32 means success; 32 and below
    // are the failures that ErrorText describes.
    using Opener = std::function<int(const QString& url)>;
    using MessageSink = std::function<void(const QString& message)>;

    enum UnderlineMode { UnderlineOnHover = -1, UnderlineAlways = 1 };

    explicit CHyperLink(QWidget* parent = nullptr);
    explicit CHyperLink(const QString& text, QWidget* parent = nullptr);

    // Replaces the link target; an empty text makes the target the shown text. When
    // the control shows no text, it shows the target. Resizes to fit when enabled and
    // updates the tool tip.
    void SetLinkTarget(const QString& url);
    QString GetLinkTarget() const { return url_; }

    void SetColours(const QColor& link, const QColor& visited, const QColor& hover);
    QColor LinkColour() const { return linkColour_; }
    QColor VisitedColour() const { return visitedColour_; }
    QColor HoverColour() const { return hoverColour_; }
    // The colour the text is drawn in right now.
    QColor CurrentColour() const;

    void SetUnderline(UnderlineMode mode);
    void SetAutoSize(bool adjustToFit);
    bool IsVisited() const { return visited_; }
    bool IsOver() const { return isOver_; }

    // Sizes the control to its text measured with the underlined font, keeping the
    // left edge, the centre or the right edge by the text alignment, and the top or
    // the vertical centre.
    void AdjustSize();

    // Opens the link now, as a click does. Returns true on success.
    bool OpenLink();

    // "Unable to open hyperlink:\n\n" followed by the text of the result code.
    static QString ErrorMessage(int code);
    static QString ErrorText(int code);

    // The default opener: checks a local file or folder first (2 not found, 3 path
    // not found, 5 access denied), then asks the desktop (31 when nothing opens it).
    static int OpenWithDesktop(const QString& url);

    // Replace how links are opened and how errors are shown (tests, embedding).
    void SetOpener(Opener opener) { opener_ = std::move(opener); }
    void SetMessageSink(MessageSink sink) { messageSink_ = std::move(sink); }

  signals:
    // Emitted on every click, before the link is opened.
    void clicked();
    // Emitted after an attempt to open the link.
    void linkOpened(bool ok);

  protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void Init();
    void ApplyLook();

    QColor linkColour_ = QColor(0, 0, 238);
    QColor visitedColour_ = QColor(85, 26, 139);
    QColor hoverColour_ = QColor(255, 0, 0);
    bool isOver_ = false;
    bool visited_ = false;
    bool pressed_ = false;
    UnderlineMode underlineMode_ = UnderlineOnHover;
    bool adjustToFit_ = true;
    QString url_;
    Opener opener_;
    MessageSink messageSink_;
};

}  // namespace qff
