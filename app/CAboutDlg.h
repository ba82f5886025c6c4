#pragma once

#include <QDialog>
#include <QImage>

namespace qff {

// The about box: the background picture with the program's name and version drawn
// over it, and an OK button.
class CAboutDlg : public QDialog {
    Q_OBJECT

  public:
    explicit CAboutDlg(QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage background_;
};

}  // namespace qff
