// --map KEY=VALUE: a column for each field by header name or position, the separator, decimal mark and dates.
#include "tools/ImportLayout.h"

#include <algorithm>
#include <span>

#include "data/DbError.h"

namespace {

// The fields as --map names them, in the order of the table's columns.
constexpr std::string_view kMasterFields[] = {"number", "text", "kind"};
constexpr std::string_view kTransactionFields[] = {"number", "date", "text", "amount", "particulars"};

std::span<const std::string_view> fieldsOf(const Schema::Table& table) {
    using Fields = std::span<const std::string_view>;
    return table.name == "GMaster" ? Fields(kMasterFields) : Fields(kTransactionFields);
}

// A file may leave these out: numbers are then given, particulars left empty.
bool optional(std::string_view field) {
    return field == "number" || field == "particulars";
}

bool sameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return (x >= 'A' && x <= 'Z' ? x - 'A' + 'a' : x) == (y >= 'A' && y <= 'Z' ? y - 'A' + 'a' : y);
    });
}

// A column given by its position from 1; 0 for a name.
std::size_t positionOf(const std::string& source) {
    if (source.empty() || source.size() > 4 || source.find_first_not_of("0123456789") != std::string::npos) {
        return 0;
    }
    return static_cast<std::size_t>(std::stoi(source));
}

char oneCharacter(const std::string& key, const std::string& value, std::string_view allowed) {
    const std::string character = value == "tab" ? "\t" : value;
    if (character.size() != 1 || allowed.find(character.front()) == std::string_view::npos) {
        throw DbError(key + "=" + value + " is not one of the characters it takes");
    }
    return character.front();
}

DbError missingColumn(const std::vector<std::string>& header, const std::string& column,
                      std::string_view field) {
    std::string names;
    for (const auto& name : header) {
        names += (names.empty() ? "'" : ", '") + name + "'";
    }
    return DbError("the file has no column " + column + " for " + std::string(field) +
                   " (its header: " + names + ")");
}

}  // namespace

const std::string_view ImportLayout::kHelp =
    "--map KEY=VALUE (repeated) reads another program's CSV file:\n"
    "  date=COLUMN, text=COLUMN, amount=COLUMN, particulars=COLUMN, number=COLUMN,\n"
    "  for GMaster text=COLUMN, kind=COLUMN, number=COLUMN: the file's column\n"
    "  holding each field, by its header name or its position from 1. A field not\n"
    "  mapped is the column of the table's own name (IncDate, ...); number and\n"
    "  particulars may be missing: numbers are then given after the largest,\n"
    "  particulars left empty. text is the income source or expense category.\n"
    "  date-format=dd/MM/yyyy  yyyy, MM, dd, or M and d for one or two digits\n"
    "                          (default yyyy-MM-dd)\n"
    "  separator=;             one character, or tab (default ,)\n"
    "  decimal=,               the amounts' decimal mark, . or , (default .); the\n"
    "                          other may group digits by three: 1.234,5\n"
    "--sign + takes only the rows whose amount is above 0, --sign - only those\n"
    "below 0, stored without the sign; the others are left out.\n"
    "Example, the debits of a bank statement:\n"
    "  orvella-db import Database.mdb Expenses bank.csv --map date=Booked\n"
    "    --map date-format=dd.MM.yyyy --map text=Payee --map particulars=Purpose\n"
    "    --map amount=Amount --map separator=';' --map decimal=, --sign -";

ImportLayout::ImportLayout(const Schema::Table& table, const std::vector<std::string>& entries)
    : m_table(table), m_mapped(table.columns.size(), false) {
    for (const auto& column : table.columns) {
        m_sources.emplace_back(column.name);
    }
    std::vector<std::string> keys;
    for (const std::string& entry : entries) {
        const std::size_t equals = entry.find('=');
        const std::string key = entry.substr(0, equals);
        const std::string value = equals == std::string::npos ? std::string() : entry.substr(equals + 1);
        if (value.empty()) {
            throw DbError(entry + " is not KEY=VALUE");
        }
        if (std::find(keys.begin(), keys.end(), key) != keys.end()) {
            throw DbError(key + " is given twice");
        }
        keys.push_back(key);
        set(key, value);
    }
}

void ImportLayout::set(const std::string& key, const std::string& value) {
    const auto fields = fieldsOf(m_table);
    const auto field = std::find(fields.begin(), fields.end(), key);
    if (field != fields.end()) {
        const auto index = static_cast<std::size_t>(field - fields.begin());
        m_sources[index] = value;
        m_mapped[index] = true;
    } else if (key == "separator") {
        m_separator = oneCharacter(key, value, "\t ,;:|");
    } else if (key == "decimal") {
        m_decimalMark = oneCharacter(key, value, ".,");
    } else if (key == "date-format" && m_table.name != "GMaster") {
        m_dates = DateFormat(value);
    } else {
        throw DbError(key + " is not a key for " + std::string(m_table.name) + " (see import --help)");
    }
}

std::vector<int> ImportLayout::columnsIn(const std::vector<std::string>& header) const {
    std::vector<int> columns;
    const auto fields = fieldsOf(m_table);
    for (std::size_t index = 0; index < m_sources.size(); ++index) {
        const std::string& source = m_sources[index];
        const std::size_t position = positionOf(source);
        const auto named = std::find_if(header.begin(), header.end(),
                                        [&](const std::string& name) { return sameName(name, source); });
        if (position > 0 && position <= header.size()) {
            columns.push_back(static_cast<int>(position - 1));
        } else if (position == 0 && named != header.end()) {
            columns.push_back(static_cast<int>(named - header.begin()));
        } else if (optional(fields[index]) && !m_mapped[index]) {
            columns.push_back(-1);
        } else {
            throw missingColumn(header, position > 0 ? std::to_string(position) : "'" + source + "'",
                                fields[index]);
        }
    }
    return columns;
}
