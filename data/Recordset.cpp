// Result sets read whole when they open, so no engine statement (and no shared lock) outlives Open.
#include "data/Recordset.h"

#include "data/Connection.h"
#include "data/DbError.h"

void Recordset::Open(std::string_view query, Connection& connection, CursorType cursorType,
                     LockType lockType) {
    if (m_rows) {
        throw DbError("Operation is not allowed when the object is open.");
    }
    const SqliteStatement statement = connection.prepare(query);
    m_rows = RowStore::read(statement.get());
    m_position = 0;
    m_cursorType = cursorType;
    m_lockType = lockType;
}

void Recordset::Close() {
    m_rows.reset();
    m_position = 0;
}

bool Recordset::Eof() const {
    requireOpen();
    return m_position >= m_rows->rowCount();
}

void Recordset::MoveFirst() {
    requireOpen();
    m_position = 0;
}

void Recordset::MoveNext() {
    requireCurrentRow();
    ++m_position;
}

std::size_t Recordset::AbsolutePosition() const {
    requireOpen();
    return m_position;
}

Variant Recordset::Fields(std::size_t position) const {
    requireCurrentRow();
    if (position >= m_rows->columnCount()) {
        throw DbError(
            "Item cannot be found in the collection corresponding to the requested name or ordinal.");
    }
    return m_rows->value(m_position, position);
}

Variant Recordset::Fields(std::string_view name) const {
    requireOpen();
    const auto& names = m_rows->columnNames();
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i].size() == name.size() &&
            sqlite3_strnicmp(names[i].data(), name.data(), static_cast<int>(name.size())) == 0) {
            return Fields(i);
        }
    }
    throw DbError("Item cannot be found in the collection corresponding to the requested name or ordinal.");
}

std::size_t Recordset::fieldCount() const {
    requireOpen();
    return m_rows->columnCount();
}

std::shared_ptr<const RowStore> Recordset::rows() const {
    requireOpen();
    return m_rows;
}

void Recordset::requireOpen() const {
    if (!m_rows) {
        throw DbError("Operation is not allowed when the object is closed.");
    }
}

void Recordset::requireCurrentRow() const {
    if (Eof()) {
        throw DbError("Either BOF or EOF is True, or the current record has been deleted.");
    }
}
