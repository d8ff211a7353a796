// The rows of a result set in one compact block: each row's fields encoded one after the other.
// A million rows of five fields take tens of megabytes instead of hundreds.
#pragma once

#include <sqlite3.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "data/GrowingBuffer.h"
#include "data/Variant.h"

class RowStore {
public:
    // Reads every row of a prepared statement. Columns declared DATE give dates.
    static std::shared_ptr<const RowStore> read(sqlite3_stmt* statement);

    std::size_t rowCount() const { return m_rowStarts.size() / sizeof(std::uint32_t); }
    // Bytes held, rows and offsets included.
    std::size_t byteSize() const;
    std::size_t columnCount() const { return m_columnNames.size(); }
    const std::vector<std::string>& columnNames() const { return m_columnNames; }

    // The field at (row, column); both must be in range.
    Variant value(std::size_t row, std::size_t column) const;
    // The field's plain text form (Variant::toText).
    std::string text(std::size_t row, std::size_t column) const;
    Variant::Type type(std::size_t row, std::size_t column) const;

private:
    class Encoder;
    const unsigned char* field(std::size_t row, std::size_t column) const;
    std::uint64_t rowStart(std::size_t row) const;
    void addRowStart(std::uint64_t offset);

    std::vector<std::string> m_columnNames;
    // Each row's start as the low 32 bits of its offset; the rare rows where the high part grows (every
    // 4 GiB of fields) are listed apart. Four bytes a row instead of eight.
    GrowingBuffer m_rowStarts;
    std::vector<std::size_t> m_rowsStartingHigher;
    GrowingBuffer m_bytes;
};
