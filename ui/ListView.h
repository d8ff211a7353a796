// The list view in report view: a header of columns, one row per record, the record number as the row's own
// text in a first column of width 0, which is not shown at all. Rows are not widgets or items: the list shows
// a result set's rows in place. A table view without grid or row header draws it: it keeps 8 bytes a row
// where a tree view keeps a 40-byte layout record, and it lays out a million rows for its first paint in a
// fifth of the time.
#pragma once

#include <QIcon>
#include <QString>
#include <QTableView>

#include <cstddef>
#include <memory>
#include <vector>

class RowStore;
class ListViewModel;

class ListView : public QTableView {
    Q_OBJECT

public:
    struct Column {
        QString header;
        int widthTwips;
        Qt::Alignment alignment;
    };

    explicit ListView(QWidget* parent);

    // A column of width 0 is left out of the view: the record number it holds can neither be dragged into
    // sight nor is it read out as a column; cellText and selectedItemText still give it. The other columns
    // make the view's, in their order.
    void setColumns(const std::vector<Column>& columns);
    // The image list; the images count from 1.
    void setImageList(const std::vector<QIcon>& images);

    // ListItems.Clear.
    void clearItems();
    // Appends a row showing the store's row: fields 0 to fieldCount-1 in columns 0 to fieldCount-1 (the row
    // text is field 0); fields the store lacks or the list has no column for stay blank. The image index
    // counts from 1. The list holds the store, not a copy of its rows; rows appended in the store's order,
    // each right after the last, take no memory of their own.
    void appendRow(const std::shared_ptr<const RowStore>& store, std::size_t storeRow, int fieldCount,
                   int image);

    int itemCount() const;
    // The selected row's own text (the record number); empty when nothing is selected.
    QString selectedItemText() const;
    bool hasSelection() const;
    // The text of a cell as the list shows it.
    QString cellText(int row, int column) const;

    // Tells the view of the rows appended since it last looked. Appending only queues this, so a fill of
    // any size costs the view one insertion; a fill calls it when it ends, and anything that reads the rows
    // calls it first. It changes what the view knows, not what the list holds, so readers may call it.
    void showAppended() const;

signals:
    // A double-click anywhere on the list, whether or not it landed on a row; from the keyboard, Enter on the
    // selected row.
    void DblClick();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    // The keys move from row to row; left and right scroll the columns.
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    void fitRowHeight();

    ListViewModel* m_model;
    mutable bool m_showQueued = false;
};
