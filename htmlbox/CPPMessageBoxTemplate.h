#pragma once

#include <QDialog>
#include <QFont>
#include <QIcon>
#include <QImage>
#include <QString>
#include <memory>
#include <vector>

#include "htmlbox/CPPDrawManager.h"
#include "htmlbox/MessageBoxButtons.h"
#include "htmlbox/MessageBoxMarkup.h"
#include "htmlbox/MessageBoxParams.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace qff {

// The modal HTML message box of one call. The whole client area is painted by the box:
// the shaded background, the header, message and "More" bands drawn by three markup
// drawers, and the separators; the buttons and the check box are ordinary child widgets
// placed by the box's own arithmetic. exec() returns the id of the button that ended the
// box, plus MBX_CHECKED when the caller set it and the check box is ticked.
//
// Lives on the user-interface thread; ShowHtmlMessageBox creates one per call.
class CPPMessageBoxTemplate : public QDialog {
    Q_OBJECT

  public:
    // Layout constants, in pixels.
    static constexpr int kHtmlMargin = 14;
    static constexpr int kSeparatorGap = 5;
    static constexpr int kCheckBoxLeft = 10;
    static constexpr int kCheckBoxSize = 13;
    static constexpr int kButtonGap = 11;
    static constexpr int kButtonBandMargin = 11;
    static constexpr int kIconSize = 32;

    // `params` must have been resolved by ShowHtmlMessageBox (owner and caption); the box
    // copies it. `markup` makes the drawer of each band.
    explicit CPPMessageBoxTemplate(const MessageBoxParams& params,
                                   const MessageBoxMarkupFactory& markup = MakeHtmlMarkup);
    ~CPPMessageBoxTemplate() override;

    // --- what tests and callers may look at -----------------------------------------
    const MessageBoxButtonRow& ButtonRow() const { return m_row; }
    // The push button of an id, or nullptr.
    QPushButton* Button(int id) const;
    QCheckBox* CheckBox() const { return m_checkBox; }
    bool CancelAllowed() const { return m_row.cancelAllowed; }
    bool CloseEnabled() const { return m_closeEnabled; }
    bool MoreOpen() const { return m_moreOpen; }
    int Countdown() const { return m_countdown; }
    // Band heights as computed at set-up (the More band counts whether open or not).
    int HeaderBandHeight() const { return m_headerBand; }
    int MessageBandHeight() const { return m_messageBand; }
    int ButtonBandHeight() const { return m_buttonBand; }
    int MoreBandHeight() const { return m_moreBand; }
    QSize ButtonSize() const { return {m_buttonWidth, m_buttonHeight}; }
    // The markup of the message band as handed to its drawer (icon table included).
    const QString& MessageMarkup() const { return m_messageHtml; }

    // Carries out a command as a click on the button of `id` would.
    void OnCommand(int id);

  public slots:
    // Dismissed by the program (not by the user): the box ends at once, with IDNO when it
    // has a No button and IDCANCEL otherwise. Escape and Close go through the box's own
    // rules instead.
    void reject() override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    struct Band {
        std::unique_ptr<MessageBoxMarkup> markup;
        QString html;
        int height = 0;
    };

    // set-up
    void LoadIcon();
    void BuildMessageMarkup();
    void BuildControlsAndSize();
    void CreateButtons();
    void PlaceControls();
    void SetUpCaptionAndClose();
    void CentreOnOwner();

    // commands and countdown
    void EndBox(int id);
    void ToggleMore();
    void OpenHelp();
    void SendReport();
    void ReportLinkFailure(const QString& target);
    void ShowCountdown();
    void CountdownTick();
    QString CountdownCaption() const;

    // painting
    void RenderBackground();
    void FillBand(QPainter& p, const QRect& rect, const AreaStyle& area);
    void DrawSeparator(QPainter& p, const AreaStyle& area, int left, int right, int y);
    QRect HeaderRect() const;
    QRect MessageRect() const;
    QRect MoreRect() const;
    std::vector<std::pair<MessageBoxMarkup*, QRect>> ActiveBands() const;
    void RepaintHtmlBands();

    QString Resolve(const MessageBoxText& text) const;
    int TextWidth(const QString& text) const;

    MessageBoxParams m_params;
    MessageBoxButtonRow m_row;
    QString m_caption;
    QFont m_font;
    QIcon m_icon;
    QString m_messageHtml;

    Band m_header;
    Band m_message;
    Band m_more;
    int m_headerBand = 0;
    int m_messageBand = 0;
    int m_buttonBand = 0;
    int m_moreBand = 0;
    int m_width = 0;
    int m_height = 0;

    std::vector<QPushButton*> m_buttons;
    std::vector<QString> m_originalCaptions;
    int m_buttonWidth = 0;
    int m_buttonHeight = 0;
    QCheckBox* m_checkBox = nullptr;
    QLabel* m_checkLabel = nullptr;
    QString m_checkCaption;

    bool m_captionMode = false;  // disableSeconds with the countdown in the caption
    bool m_closeEnabled = true;
    bool m_moreOpen = false;
    int m_countdown = 0;
    int m_timerId = 0;
    bool m_shown = false;

    CPPDrawManager m_drawManager;
    QImage m_background;
};

}  // namespace qff
