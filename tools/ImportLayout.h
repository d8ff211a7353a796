// Where import finds each of a table's fields in a CSV file, and how the file writes separators, amounts and
// dates: the table's own column names and forms (what export writes), or what --map says of another
// program's file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "data/Schema.h"
#include "tools/DateFormat.h"

class ImportLayout {
public:
    // What --map takes, for import's help.
    static const std::string_view kHelp;

    // Reads the --map entries, each KEY=VALUE, for the table. Fails with DbError naming a wrong entry.
    ImportLayout(const Schema::Table& table, const std::vector<std::string>& entries);

    const Schema::Table& table() const { return m_table; }
    char separator() const { return m_separator; }
    char decimalMark() const { return m_decimalMark; }
    const DateFormat& dates() const { return m_dates; }

    // For each of the table's columns, the index of the file's column that holds it, given the file's header;
    // -1 for a record number or particulars the file leaves out. Fails with DbError naming a column the file
    // lacks.
    std::vector<int> columnsIn(const std::vector<std::string>& header) const;

private:
    // One --map entry.
    void set(const std::string& key, const std::string& value);

    const Schema::Table& m_table;
    // For each of the table's columns: the file's column named by --map, or the table column's own name.
    std::vector<std::string> m_sources;
    std::vector<bool> m_mapped;
    char m_separator = ',';
    char m_decimalMark = '.';
    DateFormat m_dates;
};
