#pragma once

#include <QIcon>
#include <QList>
#include <QString>
#include <QTreeWidget>

namespace qff {

// The file list of the main view: report style with one column, an icon per row,
// full-row select, several rows selectable, a tip with the full text of the row under
// the pointer, white row background.
//
// Rows are addressed by index. Each row has a text (column 0), an image (an index
// into the list set by SetImages) and an item data value (the repaired mark).
//
// It asks its owner for previews: previewItemRequested(row) after a click on a row
// (after the click was handled), and after every key press and key release when a
// current row exists, so moving through the list with the keyboard asks twice per
// key stroke. It offers the text of the row under the pointer for the status bar.
class CTarnixListCtrl : public QTreeWidget {
    Q_OBJECT

  public:
    explicit CTarnixListCtrl(QWidget* parent = nullptr);

    // The images rows refer to by index (0 red cross, 1 green tick, 2 plain document
    // in the main view).
    void SetImages(const QList<QIcon>& images);

    // Inserts a row at index (clamped to 0 ... count) with item data 0; returns its index.
    int InsertItem(int index, const QString& text, int image);
    void DeleteItem(int index);
    void DeleteAllItems();
    int GetItemCount() const;

    QString GetItemText(int index) const;
    int GetItemImage(int index) const;  // -1 for a bad index
    void SetItemImage(int index, int image);
    qintptr GetItemData(int index) const;  // 0 for a bad index
    void SetItemData(int index, qintptr data);

    // Selected rows in ascending order.
    QList<int> GetSelectedItems() const;
    // The current (focus) row, -1 when there is none.
    int GetSelectionMark() const;

  signals:
    // The owner should show the preview of this row.
    void previewItemRequested(int index);
    // Text for the first pane of the status bar: the text of the row under the pointer.
    void statusTextRequested(const QString& text);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool viewportEvent(QEvent* event) override;

  private:
    QTreeWidgetItem* Item(int index) const;

    QList<QIcon> images_;
};

}  // namespace qff
