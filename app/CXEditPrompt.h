#pragma once

#include <QColor>
#include <QLineEdit>
#include <QString>

namespace qff {

// A one-line edit that shows a grey prompt until the user first types or clicks into
// it, or until a real text is set. The prompt is no content: text() is empty while it
// shows. Once the prompt has ended it never comes back, not even when the field is
// emptied again.
class CXEditPrompt : public QLineEdit {
    Q_OBJECT

  public:
    explicit CXEditPrompt(QWidget* parent = nullptr);

    // Replaces the prompt. An empty prompt ends prompt mode; otherwise, while the
    // prompt shows, the new one is displayed at once.
    void ChangePrompt(const QString& prompt);
    QString PromptText() const { return prompt_; }

    void SetPromptColour(const QColor& colour);
    QColor PromptColour() const { return promptColour_; }

    bool PromptShowing() const { return promptShowing_; }

    // Sets the content. A null text, or an empty text while the prompt shows, is
    // ignored (the prompt stays); any other text ends prompt mode and is shown.
    void SetText(const QString& text);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void EndPrompt();

    bool promptShowing_ = true;
    QString prompt_ = QStringLiteral("<Enter text here>");
    QColor promptColour_ = QColor(119, 121, 118);
};

}  // namespace qff
