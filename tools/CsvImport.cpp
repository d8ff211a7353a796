// Import: every row read and checked first, then all of them written in one transaction.
#include "tools/CsvImport.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <unordered_map>
#include <variant>

#include "data/BookLock.h"
#include "data/Connection.h"
#include "data/ConnectionString.h"
#include "data/DbError.h"
#include "data/ValueForms.h"
#include "tools/BookRows.h"
#include "tools/CommandLock.h"
#include "tools/CsvRecords.h"

namespace {

// Enough to see what is wrong with a file; the rest is counted.
constexpr std::size_t kProblemsShown = 10;
// A field longer than this is cut short in messages.
constexpr std::size_t kShownLength = 40;

using Value = std::variant<std::string, double>;
// What is wrong, by the line where its record starts.
using Problems = std::vector<std::pair<long long, std::string>>;

struct Row {
    long long line = 0;
    std::optional<long long> number;
    std::vector<Value> values;  // the table's columns after the record number
};

std::string shown(std::string_view text) {
    std::string quoted = "'";
    quoted.append(text.substr(0, kShownLength));
    return quoted.append(text.size() > kShownLength ? "...'" : "'");
}

std::string_view withoutBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    return first == std::string_view::npos ? std::string_view()
                                           : text.substr(first, text.find_last_not_of(" \t") + 1 - first);
}

// The digits before the decimal mark without the other mark where it groups them by three, as statements
// write 1.234,56 or 1,234.56; the text as it is when the other mark stands anywhere else.
std::string withoutGrouping(std::string_view text, char decimalMark) {
    const char group = decimalMark == '.' ? ',' : '.';
    const std::string_view whole = text.substr(0, text.find(decimalMark));
    const std::size_t first = whole.find(group);
    bool grouped = first >= 1 && first <= 3 && (whole.size() - first) % 4 == 0;
    for (std::size_t at = first; grouped && at < whole.size(); ++at) {
        grouped = ((at - first) % 4 == 0) == (whole[at] == group);
    }
    std::string plain(text);
    if (grouped) {
        const auto wholeEnd = plain.begin() + static_cast<std::ptrdiff_t>(whole.size());
        plain.erase(std::remove(plain.begin(), wholeEnd, group), wholeEnd);
    }
    return plain;
}

// Digits with at most one decimal mark (grouped by three or not), an optional sign, blanks around: the form
// of a plain amount.
std::optional<double> signedAmount(std::string_view text, char decimalMark) {
    text = withoutBlanks(text);
    const bool negative = text.starts_with('-');
    if (negative || text.starts_with('+')) {
        text.remove_prefix(1);
    }
    std::string plain = withoutGrouping(text, decimalMark);
    if (plain.empty() ||
        plain.find_first_not_of(std::string("0123456789") + decimalMark) != std::string::npos) {
        return std::nullopt;
    }
    std::replace(plain.begin(), plain.end(), decimalMark, '.');
    double value = 0;
    const auto read =
        std::from_chars(plain.data(), plain.data() + plain.size(), value, std::chars_format::fixed);
    if (read.ec != std::errc() || read.ptr != plain.data() + plain.size()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

// Reads each record into a row of the table, noting what is wrong with it.
class RowReader {
public:
    RowReader(const ImportLayout& layout, std::vector<int> columns, std::size_t width, CsvImport::Sign sign)
        : m_layout(layout), m_columns(std::move(columns)), m_width(width), m_sign(sign) {}

    // The row, or nothing when it is left out for its sign or has problems (added to `problems`).
    std::optional<Row> read(const CsvRecords::Record& record, Problems& problems, long long& leftOut) const {
        if (record.fields.size() != m_width) {
            problems.emplace_back(record.line, "the row has " + std::to_string(record.fields.size()) +
                                                   " fields, the header " + std::to_string(m_width) + ".");
            return std::nullopt;
        }
        if (leftOutForSign(record)) {
            ++leftOut;
            return std::nullopt;
        }
        const auto& columns = m_layout.table().columns;
        Row row{record.line, std::nullopt, {}};
        bool sound = true;
        for (std::size_t index = 0; index < columns.size(); ++index) {
            const std::string problem = readField(columns[index], index, field(record, index), row);
            if (!problem.empty()) {
                problems.emplace_back(record.line, std::string(columns[index].name) + " " + problem);
                sound = false;
            }
        }
        return sound ? std::optional(std::move(row)) : std::nullopt;
    }

private:
    std::string_view field(const CsvRecords::Record& record, std::size_t index) const {
        return m_columns[index] < 0 ? std::string_view()
                                    : record.fields[static_cast<std::size_t>(m_columns[index])];
    }

    // A row whose amount has the other sign; one whose amount cannot be read is kept, to be reported.
    bool leftOutForSign(const CsvRecords::Record& record) const {
        const auto& columns = m_layout.table().columns;
        for (std::size_t index = 0; index < columns.size() && m_sign != CsvImport::Sign::Any; ++index) {
            if (columns[index].type == "REAL") {
                const auto amount = signedAmount(field(record, index), m_layout.decimalMark());
                return amount && (m_sign == CsvImport::Sign::Credits ? !(*amount > 0) : !(*amount < 0));
            }
        }
        return false;
    }

    // Adds the field's value to the row; gives what is wrong with it instead.
    std::string readField(const Schema::Column& column, std::size_t index, std::string_view field,
                          Row& row) const {
        if (index == 0) {
            return number(field, row);
        }
        if (column.type == "REAL") {
            return amount(field, row);
        }
        if (column.type == "DATE") {
            return date(field, row);
        }
        if (column.name == "GType" && field != "1" && field != "2") {
            return shown(field) + " is neither '1' nor '2'.";
        }
        row.values.emplace_back(std::string(field));
        return {};
    }

    static std::string number(std::string_view field, Row& row) {
        field = withoutBlanks(field);
        if (field.empty()) {
            return {};
        }
        row.number = BookRows::wholeNumber(field);
        return row.number ? std::string() : shown(field) + " is not a whole number in plain digits.";
    }

    std::string amount(std::string_view field, Row& row) const {
        const auto read = signedAmount(field, m_layout.decimalMark());
        // Without its sign, and never a negative zero.
        const double value = read ? std::fabs(*read) + 0.0 : 0.0;
        if (!read || (*read < 0 && m_sign == CsvImport::Sign::Any) || !ValueForms::isKeptAmount(value)) {
            return shown(field) +
                   " is not an amount the amount box holds (0 or more, at most 11 digits "
                   "before the decimal mark and 4 after it).";
        }
        row.values.emplace_back(value);
        return {};
    }

    std::string date(std::string_view field, Row& row) const {
        const auto day = m_layout.dates().read(withoutBlanks(field));
        if (!day) {
            return shown(field) + " is not a day written " + m_layout.dates().pattern() + ".";
        }
        if (*day < kFirstShownDate || *day > kLastShownDate) {
            return shown(field) + " is outside the days the date box shows (" + kFirstShownDate.isoText() +
                   " to " + kLastShownDate.isoText() + ").";
        }
        row.values.emplace_back(day->isoText());
        return {};
    }

    const ImportLayout& m_layout;
    std::vector<int> m_columns;
    std::size_t m_width;
    CsvImport::Sign m_sign;
};

// The rows' numbers against each other and the book's; gives the largest number among them.
long long checkNumbers(Connection& book, const Schema::Table& table, const std::vector<Row>& rows,
                       Problems& problems) {
    const SqliteStatement largest = book.prepare("SELECT max(SrNo) FROM " + std::string(table.name));
    const SqliteStatement find = book.prepare("SELECT 1 FROM " + std::string(table.name) + " WHERE SrNo=?");
    if (sqlite3_step(largest.get()) != SQLITE_ROW) {
        throw DbError(book.failureReason());
    }
    long long most = sqlite3_column_int64(largest.get(), 0);
    std::unordered_map<long long, long long> lines;
    for (const Row& row : rows) {
        if (!row.number) {
            continue;
        }
        const std::string number = "record number " + std::to_string(*row.number);
        const auto [earlier, first] = lines.emplace(*row.number, row.line);
        sqlite3_reset(find.get());
        sqlite3_bind_int64(find.get(), 1, *row.number);
        const int found = sqlite3_step(find.get());
        if (found != SQLITE_ROW && found != SQLITE_DONE) {
            throw DbError(book.failureReason());
        }
        if (!first) {
            problems.emplace_back(row.line,
                                  number + " is on line " + std::to_string(earlier->second) + " too.");
        } else if (found == SQLITE_ROW) {
            problems.emplace_back(row.line,
                                  number + " is in the book already; import never replaces a record.");
        }
        most = std::max(most, *row.number);
    }
    return most;
}

void write(Connection& book, const Schema::Table& table, std::vector<Row>& rows, long long largest) {
    const SqliteStatement insert = BookRows::prepareInsert(book.handle(), table);
    for (Row& row : rows) {
        if (!row.number && largest == std::numeric_limits<long long>::max()) {
            throw DbError(ValueForms::unheldRecordNumber("9223372036854775808"));
        }
        sqlite3_reset(insert.get());
        sqlite3_bind_int64(insert.get(), 1, row.number ? *row.number : ++largest);
        for (std::size_t index = 0; index < row.values.size(); ++index) {
            const int parameter = static_cast<int>(index) + 2;
            if (const auto* text = std::get_if<std::string>(&row.values[index])) {
                sqlite3_bind_text(insert.get(), parameter, text->data(), static_cast<int>(text->size()),
                                  SQLITE_STATIC);
            } else {
                sqlite3_bind_double(insert.get(), parameter, std::get<double>(row.values[index]));
            }
        }
        if (sqlite3_step(insert.get()) != SQLITE_DONE) {
            throw DbError("Cannot write line " + std::to_string(row.line) +
                          " into the book: " + book.failureReason() + "; nothing was imported.");
        }
    }
}

// The first problems in the file's order, each as "line N: ...", and how many more there are.
std::vector<std::string> firstOf(Problems& problems) {
    std::stable_sort(problems.begin(), problems.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> shown;
    for (std::size_t index = 0; index < problems.size() && index < kProblemsShown; ++index) {
        shown.push_back("line " + std::to_string(problems[index].first) + ": " + problems[index].second);
    }
    if (problems.size() > kProblemsShown) {
        shown.push_back("... and " + std::to_string(problems.size() - kProblemsShown) + " more.");
    }
    return shown;
}

}  // namespace

namespace CsvImport {

Outcome import(const std::string& bookPath, const ImportLayout& layout, const std::string& file, Sign sign) {
    const std::vector<CsvRecords::Record> records = CsvRecords::read(file, layout.separator());
    if (records.empty()) {
        throw DbError("'" + file + "' is empty: it has no header row.");
    }
    std::vector<int> columns;
    try {
        columns = layout.columnsIn(records.front().fields);
    } catch (const DbError& failure) {
        throw DbError("Cannot import '" + file + "': " + failure.what() + ".");
    }
    const RowReader reader(layout, std::move(columns), records.front().fields.size(), sign);
    Outcome outcome;
    Problems problems;
    std::vector<Row> rows;
    for (auto record = records.begin() + 1; record != records.end(); ++record) {
        if (auto row = reader.read(*record, problems, outcome.leftOut)) {
            rows.push_back(std::move(*row));
        }
    }
    BookLock lock;
    CommandLock::take(lock, bookPath, "import");
    Connection book;
    book.Open(std::string(ConnectionString::kProvider) + bookPath);
    book.Execute("BEGIN IMMEDIATE");
    const long long largest = checkNumbers(book, layout.table(), rows, problems);
    if (!problems.empty()) {
        outcome.problems = firstOf(problems);
        return outcome;
    }
    write(book, layout.table(), rows, largest);
    book.Execute("COMMIT");
    outcome.imported = static_cast<long long>(rows.size());
    return outcome;
}

}  // namespace CsvImport
