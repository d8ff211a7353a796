// The report-view list over a row-store model.
#include "ui/ListView.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

#include <algorithm>

#include "ui/ListViewModel.h"
#include "ui/Twips.h"

ListView::ListView(QWidget* parent) : QTableView(parent), m_model(new ListViewModel(this)) {
    setModel(m_model);
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setTabKeyNavigation(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->hide();
    // Every row one line high: the view places a million rows without measuring one of them.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    fitRowHeight();
    horizontalHeader()->setSectionsMovable(false);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setMinimumSectionSize(0);
}

void ListView::setColumns(const std::vector<Column>& columns) {
    std::vector<ListViewModel::Column> modelColumns;
    modelColumns.reserve(columns.size());
    for (const Column& column : columns) {
        modelColumns.push_back({column.header, column.alignment, column.widthTwips != 0});
    }
    m_model->setColumns(std::move(modelColumns));
    int section = 0;
    for (const Column& column : columns) {
        if (column.widthTwips != 0) {
            horizontalHeader()->resizeSection(section++, Twips::toPixels(column.widthTwips));
        }
    }
}

void ListView::setImageList(const std::vector<QIcon>& images) {
    m_model->setImages(images);
}

void ListView::clearItems() {
    m_model->clear();
}

void ListView::appendRow(const std::shared_ptr<const RowStore>& store, std::size_t storeRow, int fieldCount,
                         int image) {
    m_model->append(store, storeRow, fieldCount, image);
    if (m_model->hasUnshownRows() && !m_showQueued) {
        m_showQueued = true;
        QMetaObject::invokeMethod(
            this, [this] { showAppended(); }, Qt::QueuedConnection);
    }
}

void ListView::showAppended() const {
    m_showQueued = false;
    m_model->showAppended();
}

int ListView::itemCount() const {
    showAppended();
    return m_model->rowCount();
}

QString ListView::selectedItemText() const {
    showAppended();
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? QString() : m_model->text(selected.first().row(), 0);
}

bool ListView::hasSelection() const {
    return selectionModel()->hasSelection();
}

QString ListView::cellText(int row, int column) const {
    showAppended();
    return m_model->text(row, column);
}

void ListView::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    emit DblClick();
}

void ListView::keyPressEvent(QKeyEvent* event) {
    QTableView::keyPressEvent(event);
    // A user on the keyboard picks a record as the mouse does: the row the arrow keys selected.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && hasSelection()) {
        emit DblClick();
    }
}

bool ListView::viewportEvent(QEvent* event) {
    // A paint can come before the queued call, when the list is drawn straight after a fill (grab, repaint).
    if (event->type() == QEvent::Paint) {
        showAppended();
    }
    return QTableView::viewportEvent(event);
}

void ListView::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        fitRowHeight();
    }
}

QModelIndex ListView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    switch (action) {
        case MoveHome:
        case MoveEnd:
            return QTableView::moveCursor(action, modifiers | Qt::ControlModifier);
        case MoveLeft:
        case MovePrevious:
            horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
            return currentIndex();
        case MoveRight:
        case MoveNext:
            horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
            return currentIndex();
        default:
            return QTableView::moveCursor(action, modifiers);
    }
}

void ListView::fitRowHeight() {
    const int height = std::max(fontMetrics().height(), iconSize().isValid() ? iconSize().height() : 16) + 4;
    verticalHeader()->setMinimumSectionSize(height);
    verticalHeader()->setDefaultSectionSize(height);
}
