// Fuzz target for the value forms: the numeric test and value, the plain text form, exact figures, record
// numbers, and text literals through the real engine. Each property below is one the windows rely on to never
// change a figure or a text.
#include <sqlite3.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "data/DbError.h"
#include "data/ExactDecimal.h"
#include "data/SqliteHandles.h"
#include "data/ValueForms.h"

namespace {

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// What the amount box keeps is stored as exactly the value it shows: the plain text form reads back to the
// value, holds no exponent, and the value has at most four decimals and eleven whole digits; with either
// decimal mark.
void checkNumbers(std::string_view text, std::string_view mark) {
    const double value = ValueForms::numericValue(text, mark);
    if (std::isfinite(value)) {
        const std::string plain = ValueForms::plainText(value, mark);
        require(plain.find_first_of("eE") == std::string::npos);
        const double back = ValueForms::numericValue(plain, mark);
        // Fifteen significant digits: equal for any value the box keeps, and within rounding otherwise.
        require(back == value || std::fabs(back - value) <= std::fabs(value) * 1e-14);
    }
    if (ValueForms::isNumeric(text, mark)) {
        require(std::isfinite(value));
        require(std::fabs(value) < 1e11);
        const std::string shown = ValueForms::plainText(value, mark);
        require(ValueForms::numericValue(shown, mark) == value);
        const auto point = shown.find(mark);
        require(point == std::string::npos || shown.size() - point - 1 <= 4);
    }
    // Exact figures read back to themselves from their plain form, and always have a balance form.
    if (const auto exact = ExactDecimal::fromText(text)) {
        const auto back = ExactDecimal::fromText(exact->plainText());
        require(back && !(*back < *exact) && !(*exact < *back));
        require(!exact->balanceText().empty());
    }
}

// A record number is carried exactly or refused, never rounded: the number given reads back to itself.
void checkRecordNumber(std::string_view text) {
    try {
        const long long number = ValueForms::recordNumber(text);
        require(ValueForms::recordNumber(ValueForms::plainText(number)) == number);
    } catch (const DbError&) {
        // A fraction, or a number beyond 64 bits: refused with its description.
    }
}

sqlite3* scratchDatabase() {
    static SqliteDb db = [] {
        sqlite3* raw = nullptr;
        sqlite3_open(":memory:", &raw);
        sqlite3_exec(raw, "CREATE TABLE t (x TEXT)", nullptr, nullptr, nullptr);
        return SqliteDb(raw);
    }();
    return db.get();
}

// Any text a user can type (no NUL) placed between a statement's quotes is stored exactly and touches
// nothing else.
void checkLiteral(std::string_view text) {
    if (text.find('\0') != std::string_view::npos) {
        return;
    }
    sqlite3* db = scratchDatabase();
    sqlite3_exec(db, "DELETE FROM t", nullptr, nullptr, nullptr);
    const std::string insert = "INSERT INTO t VALUES('" + ValueForms::literalText(text) + "')";
    sqlite3_stmt* raw = nullptr;
    const char* tail = nullptr;
    require(sqlite3_prepare_v2(db, insert.c_str(), static_cast<int>(insert.size()), &raw, &tail) ==
            SQLITE_OK);
    SqliteStatement statement(raw);
    require(*tail == '\0');
    require(sqlite3_step(raw) == SQLITE_DONE);
    statement.reset();
    require(sqlite3_prepare_v2(db, "SELECT x, (SELECT count(*) FROM t) FROM t", -1, &raw, nullptr) ==
            SQLITE_OK);
    statement.reset(raw);
    require(sqlite3_step(raw) == SQLITE_ROW);
    const auto* stored = reinterpret_cast<const char*>(sqlite3_column_text(raw, 0));
    require(std::string_view(stored, static_cast<std::size_t>(sqlite3_column_bytes(raw, 0))) == text);
    require(sqlite3_column_int(raw, 1) == 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    checkNumbers(text, ".");
    checkNumbers(text, ",");
    checkRecordNumber(text);
    checkLiteral(text);
    return 0;
}
