// The rows of a list view, read in place from result sets' row stores: a list of a million records holds
// a few ranges, not a million items, and a cell's text is made only when the view asks for it. The views
// see the shown columns alone, numbered among themselves.
#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <QString>

#include <cstddef>
#include <memory>
#include <vector>

class RowStore;

class ListViewModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    struct Column {
        QString header;
        Qt::Alignment alignment;
        // A column not shown holds text for the program alone (the record number): the views, and through
        // them assistive technology, never meet it.
        bool shown;
    };

    explicit ListViewModel(QObject* parent);

    void setColumns(std::vector<Column> columns);
    // The image list: image 1 is the first picture.
    void setImages(std::vector<QIcon> images);

    void clear();

    // Appends a row showing the store's row: fields 0 to fieldCount-1 in the columns of the same number.
    // Appended rows reach the views together at the next showAppended(): a fill of a million rows tells
    // them once instead of a million times. Rows that follow each other in one store share one range.
    void append(const std::shared_ptr<const RowStore>& store, std::size_t storeRow, int fieldCount,
                int image);
    void showAppended();
    bool hasUnshownRows() const { return m_heldRows != m_shownRows; }

    // The text of a cell in one of the list's columns, shown or not; blank outside them and the rows shown.
    QString text(int row, int column) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    // Consecutive list rows showing consecutive rows of one store.
    struct Range {
        std::shared_ptr<const RowStore> store;
        std::size_t firstStoreRow;
        int firstRow;
        int count;
        int fieldCount;
        int image;
    };

    const Range* rangeOf(int row) const;
    QVariant cellData(const QModelIndex& index, int role) const;

    std::vector<Column> m_columns;
    std::vector<int> m_shownColumns;  // the list's column behind each column of the views
    std::vector<QIcon> m_images;
    std::vector<Range> m_ranges;
    int m_heldRows = 0;   // every row appended
    int m_shownRows = 0;  // the rows the views have been told of
};
