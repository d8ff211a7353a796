// Reading stored values by their column's form, strictly: only what stands for the value exactly is read.
#include "tools/BookRows.h"

#include <charconv>
#include <cmath>

#include "data/DbError.h"
#include "data/EngineReason.h"
#include "data/SqliteHandles.h"

namespace {

// Whole numbers beyond this are not held exactly by a decimal.
constexpr double kLargestExactWhole = 9007199254740992.0;
// A text longer than this is cut short in messages.
constexpr std::size_t kShownLength = 40;

std::string_view textOf(sqlite3_stmt* row, int column) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(row, column));
    return {text ? text : "", static_cast<std::size_t>(sqlite3_column_bytes(row, column))};
}

std::optional<double> numberText(std::string_view text) {
    double value = 0;
    const auto* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    if (text.empty() || result.ec != std::errc() || result.ptr != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

namespace BookRows {

std::optional<long long> wholeNumber(std::string_view text) {
    long long value = 0;
    const auto* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    // "007" or "-0" would not read back as the same text.
    if (result.ec != std::errc() || result.ptr != end || std::to_string(value) != text) {
        return std::nullopt;
    }
    return value;
}

void forEach(sqlite3* db, const Schema::Table& table, const std::function<void(sqlite3_stmt* row)>& visit) {
    std::string query = "SELECT ";
    for (const auto& column : table.columns) {
        query += (&column == table.columns.data() ? "\"" : ", \"") + std::string(column.name) + "\"";
    }
    query += " FROM \"" + std::string(table.name) + "\"";
    sqlite3_stmt* raw = nullptr;
    int status = sqlite3_prepare_v2(db, query.c_str(), -1, &raw, nullptr);
    const SqliteStatement select(raw);
    if (status == SQLITE_OK) {
        while ((status = sqlite3_step(raw)) == SQLITE_ROW) {
            visit(raw);
        }
    }
    if (status != SQLITE_DONE) {
        throw DbError("Cannot read the table " + std::string(table.name) + ": " + engineReason(db));
    }
}

SqliteStatement prepareInsert(sqlite3* db, const Schema::Table& table) {
    std::string names;
    std::string places;
    for (const auto& column : table.columns) {
        names += (names.empty() ? "\"" : ", \"") + std::string(column.name) + "\"";
        places += places.empty() ? "?" : ", ?";
    }
    const std::string insert =
        "INSERT INTO \"" + std::string(table.name) + "\" (" + names + ") VALUES (" + places + ")";
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db, insert.c_str(), -1, &raw, nullptr) != SQLITE_OK) {
        throw DbError(engineReason(db));
    }
    return SqliteStatement(raw);
}

std::optional<long long> recordNumber(sqlite3_stmt* row, int column) {
    switch (sqlite3_column_type(row, column)) {
        case SQLITE_INTEGER:
            return sqlite3_column_int64(row, column);
        case SQLITE_FLOAT: {
            const double value = sqlite3_column_double(row, column);
            if (std::trunc(value) == value && std::fabs(value) <= kLargestExactWhole) {
                return static_cast<long long>(value);
            }
            return std::nullopt;
        }
        case SQLITE_TEXT:
            return wholeNumber(textOf(row, column));
        default:
            return std::nullopt;
    }
}

std::optional<double> amount(sqlite3_stmt* row, int column) {
    switch (sqlite3_column_type(row, column)) {
        case SQLITE_INTEGER: {
            const auto value = sqlite3_column_int64(row, column);
            if (std::fabs(static_cast<double>(value)) <= kLargestExactWhole) {
                return static_cast<double>(value);
            }
            return std::nullopt;
        }
        case SQLITE_FLOAT:
            return sqlite3_column_double(row, column);
        case SQLITE_TEXT:
            return numberText(textOf(row, column));
        default:
            return std::nullopt;
    }
}

std::optional<CalendarDate> date(sqlite3_stmt* row, int column) {
    if (sqlite3_column_type(row, column) != SQLITE_TEXT) {
        return std::nullopt;
    }
    return CalendarDate::fromIsoText(textOf(row, column));
}

std::string shown(sqlite3_stmt* row, int column) {
    switch (sqlite3_column_type(row, column)) {
        case SQLITE_NULL:
            return "null";
        case SQLITE_INTEGER:
        case SQLITE_FLOAT:
            return std::string(textOf(row, column));
        default: {
            const std::string_view text = textOf(row, column);
            std::string quoted = "'";
            quoted.append(text.substr(0, kShownLength));
            return quoted.append(text.size() > kShownLength ? "...'" : "'");
        }
    }
}

std::string recordLabel(const Schema::Table& table, sqlite3_stmt* row) {
    const auto number = recordNumber(row, 0);
    const bool null = sqlite3_column_type(row, 0) == SQLITE_NULL;
    return std::string(table.name) + " record " +
           (number ? std::to_string(*number)
            : null ? "without a number"
                   : shown(row, 0)) +
           ": ";
}

std::string unreadable(const Schema::Column& column, sqlite3_stmt* row, int index) {
    const std::string name(column.name);
    const bool null = sqlite3_column_type(row, index) == SQLITE_NULL;
    if (column.type == "INTEGER" && !recordNumber(row, index)) {
        return null ? name + " is null."
                    : name + " " + shown(row, index) + " is not a whole number in plain digits.";
    }
    if (column.type == "DATE" && !null && !date(row, index)) {
        return name + " " + shown(row, index) + " is not a date written yyyy-MM-dd.";
    }
    if (column.type == "REAL" && !null && !amount(row, index)) {
        const bool whole = sqlite3_column_type(row, index) == SQLITE_INTEGER;
        return name + " " + shown(row, index) +
               (whole ? " is too large to be kept exactly." : " is not a number.");
    }
    return {};
}

}  // namespace BookRows
