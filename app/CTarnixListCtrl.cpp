#include "app/CTarnixListCtrl.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <algorithm>

namespace qff {

namespace {

constexpr int kDataRole = Qt::UserRole;
constexpr int kImageRole = Qt::UserRole + 1;

}  // namespace

CTarnixListCtrl::CTarnixListCtrl(QWidget* parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("FileList"));
    setColumnCount(1);
    setHeaderLabels({QStringLiteral("File Name")});
    header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header()->setStretchLastSection(false);
    header()->resizeSection(0, 900);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAllColumnsShowFocus(true);
    setIconSize(QSize(20, 20));
    setMouseTracking(true);

    // Rows are drawn on white whatever the look; dark text keeps them readable.
    QPalette pal = palette();
    pal.setColor(QPalette::Base, Qt::white);
    pal.setColor(QPalette::AlternateBase, Qt::white);
    pal.setColor(QPalette::Text, Qt::black);
    setPalette(pal);
}

void CTarnixListCtrl::SetImages(const QList<QIcon>& images) {
    images_ = images;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        SetItemImage(i, GetItemImage(i));
    }
}

QTreeWidgetItem* CTarnixListCtrl::Item(int index) const {
    return topLevelItem(index);  // null for an index out of range
}

int CTarnixListCtrl::InsertItem(int index, const QString& text, int image) {
    index = std::clamp(index, 0, topLevelItemCount());
    auto* item = new QTreeWidgetItem(QStringList{text});
    item->setData(0, kDataRole, QVariant::fromValue<qintptr>(0));
    insertTopLevelItem(index, item);
    SetItemImage(index, image);
    return index;
}

void CTarnixListCtrl::DeleteItem(int index) {
    delete takeTopLevelItem(index);
}

void CTarnixListCtrl::DeleteAllItems() {
    clear();
}

int CTarnixListCtrl::GetItemCount() const {
    return topLevelItemCount();
}

QString CTarnixListCtrl::GetItemText(int index) const {
    const QTreeWidgetItem* item = Item(index);
    return item ? item->text(0) : QString();
}

int CTarnixListCtrl::GetItemImage(int index) const {
    const QTreeWidgetItem* item = Item(index);
    return item ? item->data(0, kImageRole).toInt() : -1;
}

void CTarnixListCtrl::SetItemImage(int index, int image) {
    QTreeWidgetItem* item = Item(index);
    if (item == nullptr) {
        return;
    }
    item->setData(0, kImageRole, image);
    item->setIcon(0, image >= 0 && image < images_.size() ? images_.at(image) : QIcon());
}

qintptr CTarnixListCtrl::GetItemData(int index) const {
    const QTreeWidgetItem* item = Item(index);
    return item ? item->data(0, kDataRole).value<qintptr>() : 0;
}

void CTarnixListCtrl::SetItemData(int index, qintptr data) {
    if (QTreeWidgetItem* item = Item(index)) {
        item->setData(0, kDataRole, QVariant::fromValue<qintptr>(data));
    }
}

QList<int> CTarnixListCtrl::GetSelectedItems() const {
    QList<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows()) {
        rows.append(index.row());
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

int CTarnixListCtrl::GetSelectionMark() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

void CTarnixListCtrl::mouseMoveEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid()) {
        // Over no row the move goes no further.
        event->accept();
        return;
    }
    const QString text = index.data(Qt::DisplayRole).toString();
    if (!text.isEmpty()) {
        emit statusTextRequested(text);
    }
    QTreeWidget::mouseMoveEvent(event);
}

void CTarnixListCtrl::mousePressEvent(QMouseEvent* event) {
    QTreeWidget::mousePressEvent(event);
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid()) {
        emit previewItemRequested(index.row());
    }
}

void CTarnixListCtrl::keyPressEvent(QKeyEvent* event) {
    QTreeWidget::keyPressEvent(event);
    if (const int mark = GetSelectionMark(); mark != -1) {
        emit previewItemRequested(mark);
    }
}

void CTarnixListCtrl::keyReleaseEvent(QKeyEvent* event) {
    QTreeWidget::keyReleaseEvent(event);
    if (const int mark = GetSelectionMark(); mark != -1) {
        emit previewItemRequested(mark);
    }
}

bool CTarnixListCtrl::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        // The tip is the row's full text, however narrow the column is.
        auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex index = indexAt(help->pos());
        if (index.isValid()) {
            QToolTip::showText(help->globalPos(), index.data(Qt::DisplayRole).toString(),
                               viewport(), visualRect(index));
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    return QTreeWidget::viewportEvent(event);
}

}  // namespace qff
