// A query's result set: all rows read when it opens, kept compactly, walked with EOF and MoveNext.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "data/RowStore.h"
#include "data/Variant.h"

class Connection;

class Recordset {
public:
    // Cursor and lock types keep the numbers callers pass. Every result set reads its rows up front, so
    // they only record what the caller asked for.
    enum CursorType { adOpenKeyset = 1, adOpenStatic = 3 };
    enum LockType { adLockReadOnly = 1, adLockBatchOptimistic = 4 };
    enum ObjectState { adStateClosed = 0, adStateOpen = 1 };

    // Runs the query and reads all of its rows; the engine's statement is reset before this returns, so
    // no lock is held afterwards. Fails with DbError when the result set is already open or the query fails.
    void Open(std::string_view query, Connection& connection, CursorType cursorType, LockType lockType);
    void Close();

    int State() const { return m_rows ? adStateOpen : adStateClosed; }
    // True past the last row. The name EOF is taken by the C library's macro.
    bool Eof() const;
    void MoveFirst();
    void MoveNext();
    // The current row's 0-based place in the result set; the row count once past the last row.
    std::size_t AbsolutePosition() const;

    // The current row's field by 0-based position, or by its name or alias (case-insensitive).
    Variant Fields(std::size_t position) const;
    Variant Fields(std::string_view name) const;
    std::size_t fieldCount() const;

    CursorType cursorType() const { return m_cursorType; }
    LockType lockType() const { return m_lockType; }

    // The rows themselves, shared with a list's model so that a list shows them without copying.
    std::shared_ptr<const RowStore> rows() const;

private:
    void requireOpen() const;
    void requireCurrentRow() const;

    std::shared_ptr<const RowStore> m_rows;
    std::size_t m_position = 0;
    CursorType m_cursorType = adOpenStatic;
    LockType m_lockType = adLockBatchOptimistic;
};
