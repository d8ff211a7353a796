// Cells made on demand from the row stores; no per-row objects.
#include "ui/ListViewModel.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "data/RowStore.h"
#include "ui/FieldText.h"

ListViewModel::ListViewModel(QObject* parent) : QAbstractTableModel(parent) {}

void ListViewModel::setColumns(std::vector<Column> columns) {
    beginResetModel();
    m_columns = std::move(columns);
    m_shownColumns.clear();
    for (std::size_t column = 0; column < m_columns.size(); ++column) {
        if (m_columns[column].shown) {
            m_shownColumns.push_back(static_cast<int>(column));
        }
    }
    endResetModel();
}

void ListViewModel::setImages(std::vector<QIcon> images) {
    m_images = std::move(images);
    if (m_shownRows > 0 && !m_shownColumns.empty() && m_shownColumns.front() == 0) {
        emit dataChanged(index(0, 0), index(m_shownRows - 1, 0), {Qt::DecorationRole});
    }
}

void ListViewModel::clear() {
    beginResetModel();
    m_ranges.clear();
    m_heldRows = 0;
    m_shownRows = 0;
    endResetModel();
}

void ListViewModel::append(const std::shared_ptr<const RowStore>& store, std::size_t storeRow, int fieldCount,
                           int image) {
    if (!store || storeRow >= store->rowCount() || m_heldRows == std::numeric_limits<int>::max()) {
        return;
    }
    if (!m_ranges.empty()) {
        Range& last = m_ranges.back();
        if (last.store == store && last.firstStoreRow + static_cast<std::size_t>(last.count) == storeRow &&
            last.fieldCount == fieldCount && last.image == image) {
            ++last.count;
            ++m_heldRows;
            return;
        }
    }
    m_ranges.push_back({store, storeRow, m_heldRows, 1, fieldCount, image});
    ++m_heldRows;
}

void ListViewModel::showAppended() {
    if (!hasUnshownRows()) {
        return;
    }
    beginInsertRows({}, m_shownRows, m_heldRows - 1);
    m_shownRows = m_heldRows;
    endInsertRows();
}

const ListViewModel::Range* ListViewModel::rangeOf(int row) const {
    if (row < 0 || row >= m_shownRows) {
        return nullptr;
    }
    const auto after = std::upper_bound(m_ranges.begin(), m_ranges.end(), row,
                                        [](int r, const Range& range) { return r < range.firstRow; });
    return after == m_ranges.begin() ? nullptr : &*std::prev(after);
}

QString ListViewModel::text(int row, int column) const {
    const Range* range = rangeOf(row);
    if (range == nullptr || column < 0 || static_cast<std::size_t>(column) >= m_columns.size() ||
        column >= range->fieldCount || static_cast<std::size_t>(column) >= range->store->columnCount()) {
        return {};
    }
    const std::size_t storeRow = range->firstStoreRow + static_cast<std::size_t>(row - range->firstRow);
    return FieldText::of(range->store->value(storeRow, static_cast<std::size_t>(column)));
}

QModelIndex ListViewModel::index(int row, int column, const QModelIndex& parent) const {
    // The tree view asks for every row's index when it lays out the list: this is kept to a bounds check.
    if (parent.isValid() || row < 0 || row >= m_shownRows || column < 0 || column >= columnCount()) {
        return {};
    }
    return createIndex(row, column);
}

int ListViewModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_shownRows;
}

int ListViewModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_shownColumns.size());
}

QVariant ListViewModel::data(const QModelIndex& index, int role) const {
    // Called from painting: a failure here has no handler above it to go to, so the cell stays blank.
    try {
        return cellData(index, role);
    } catch (...) {
        return {};
    }
}

QVariant ListViewModel::cellData(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
        return {};
    }
    const int column = m_shownColumns[static_cast<std::size_t>(index.column())];
    switch (role) {
        case Qt::DisplayRole:
            return text(index.row(), column);
        case Qt::DecorationRole: {
            // The item's image goes with its own text, in the list's first column: hidden with it.
            const Range* range = rangeOf(index.row());
            if (column != 0 || range == nullptr || range->image < 1 ||
                static_cast<std::size_t>(range->image) > m_images.size()) {
                return {};
            }
            return m_images[static_cast<std::size_t>(range->image) - 1];
        }
        case Qt::TextAlignmentRole:
            return (m_columns[static_cast<std::size_t>(column)].alignment | Qt::AlignVCenter).toInt();
        default:
            return {};
    }
}

QVariant ListViewModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) {
        return {};
    }
    const Column& column =
        m_columns[static_cast<std::size_t>(m_shownColumns[static_cast<std::size_t>(section)])];
    switch (role) {
        case Qt::DisplayRole:
            return column.header;
        case Qt::TextAlignmentRole:
            return (column.alignment | Qt::AlignVCenter).toInt();
        default:
            return {};
    }
}

Qt::ItemFlags ListViewModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}
