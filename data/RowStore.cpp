// Compact row storage: each field is a tag byte and a short payload, each row found by its start offset.
#include "data/RowStore.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "data/DbError.h"
#include "data/EngineReason.h"

namespace {

enum Tag : unsigned char {
    kNull = 0,
    kInteger = 1,       // zigzag varint
    kWholeDecimal = 2,  // a decimal number with no fraction, as a zigzag varint (1500.0 takes three bytes)
    kDecimal = 3,       // eight bytes
    kText = 4,          // varint length, then the bytes
    kDate = 5,          // varint of yyyymmdd
    kScaledDecimal =
        6,  // a decimal number held exactly as whole ten-thousandths, zigzag varint (12.5 takes 4 bytes)
};

std::uint64_t zigzag(std::int64_t value) {
    return (static_cast<std::uint64_t>(value) << 1) ^ static_cast<std::uint64_t>(value >> 63);
}

std::int64_t unzigzag(std::uint64_t value) {
    return static_cast<std::int64_t>(value >> 1) ^ -static_cast<std::int64_t>(value & 1);
}

std::uint64_t readVarint(const unsigned char*& p) {
    std::uint64_t value = 0;
    for (int shift = 0;; shift += 7) {
        const unsigned char byte = *p++;
        value |= static_cast<std::uint64_t>(byte & 0x7f) << shift;
        if ((byte & 0x80) == 0) {
            return value;
        }
    }
}

// Skips one encoded field.
const unsigned char* skipField(const unsigned char* p) {
    switch (*p++) {
        case kNull:
            return p;
        case kInteger:
        case kWholeDecimal:
        case kScaledDecimal:
        case kDate:
            readVarint(p);
            return p;
        case kDecimal:
            return p + sizeof(double);
        default: {
            const auto length = readVarint(p);
            return p + length;
        }
    }
}

bool isDateColumn(sqlite3_stmt* statement, int column) {
    const char* declared = sqlite3_column_decltype(statement, column);
    return declared != nullptr && sqlite3_stricmp(declared, "DATE") == 0;
}

// Whole decimals up to 2^53 are held exactly by a double and by the varint alike.
constexpr double kLargestWhole = 9007199254740992.0;
constexpr double kTenThousandths = 10000.0;

}  // namespace

// Appends encoded fields to the store's growing block.
class RowStore::Encoder {
public:
    explicit Encoder(RowStore& store) : m_store(store) {}

    void field(sqlite3_stmt* statement, int column, bool dateColumn) {
        switch (sqlite3_column_type(statement, column)) {
            case SQLITE_NULL:
                byte(kNull);
                break;
            case SQLITE_INTEGER:
                byte(kInteger);
                varint(zigzag(sqlite3_column_int64(statement, column)));
                break;
            case SQLITE_FLOAT:
                decimal(sqlite3_column_double(statement, column));
                break;
            default:
                text(statement, column, dateColumn);
                break;
        }
    }

    void finish() {
        m_store.m_bytes.shrinkToFit();
        m_store.m_rowStarts.shrinkToFit();
    }

private:
    void decimal(double value) {
        // The range comes first: a value beyond it (1e20, an infinity) has no 64-bit whole number to convert
        // to.
        const bool inRange = value >= -kLargestWhole && value <= kLargestWhole;
        if (inRange && value == std::trunc(value) && !(value == 0 && std::signbit(value))) {
            byte(kWholeDecimal);
            varint(zigzag(static_cast<std::int64_t>(value)));
            return;
        }
        // Amounts have at most four decimals: as whole ten-thousandths they take a few bytes, and the
        // division reading them back gives exactly this double again (checked here, else kept as is).
        const double scaled = std::round(value * kTenThousandths);
        if (value != 0 && std::fabs(scaled) <= kLargestWhole &&
            static_cast<double>(static_cast<std::int64_t>(scaled)) / kTenThousandths == value) {
            byte(kScaledDecimal);
            varint(zigzag(static_cast<std::int64_t>(scaled)));
            return;
        }
        byte(kDecimal);
        append(&value, sizeof value);
    }

    void text(sqlite3_stmt* statement, int column, bool dateColumn) {
        const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
        const auto length = static_cast<std::size_t>(sqlite3_column_bytes(statement, column));
        const std::string_view value(bytes ? bytes : "", length);
        if (dateColumn) {
            if (const auto date = CalendarDate::fromIsoText(value)) {
                byte(kDate);
                varint(static_cast<std::uint64_t>(date->year * 10000 + date->month * 100 + date->day));
                return;
            }
        }
        byte(kText);
        varint(length);
        append(value.data(), length);
    }

    void byte(unsigned char value) { append(&value, 1); }

    void varint(std::uint64_t value) {
        unsigned char buffer[10];
        std::size_t n = 0;
        do {
            buffer[n] = static_cast<unsigned char>(value & 0x7f);
            value >>= 7;
            if (value != 0) {
                buffer[n] |= 0x80;
            }
            ++n;
        } while (value != 0);
        append(buffer, n);
    }

    void append(const void* bytes, std::size_t count) { m_store.m_bytes.append(bytes, count); }

    RowStore& m_store;
};

std::shared_ptr<const RowStore> RowStore::read(sqlite3_stmt* statement) {
    auto store = std::make_shared<RowStore>();
    const int columns = sqlite3_column_count(statement);
    std::vector<bool> dateColumns;
    for (int column = 0; column < columns; ++column) {
        const char* name = sqlite3_column_name(statement, column);
        store->m_columnNames.emplace_back(name ? name : "");
        dateColumns.push_back(isDateColumn(statement, column));
    }
    Encoder encoder(*store);
    int status = SQLITE_ROW;
    while ((status = sqlite3_step(statement)) == SQLITE_ROW) {
        store->addRowStart(store->m_bytes.size());
        for (int column = 0; column < columns; ++column) {
            encoder.field(statement, column, dateColumns[static_cast<std::size_t>(column)]);
        }
    }
    if (status != SQLITE_DONE) {
        throw DbError(engineReason(sqlite3_db_handle(statement)));
    }
    encoder.finish();
    return store;
}

const unsigned char* RowStore::field(std::size_t row, std::size_t column) const {
    const unsigned char* p = m_bytes.data() + rowStart(row);
    for (std::size_t i = 0; i < column; ++i) {
        p = skipField(p);
    }
    return p;
}

void RowStore::addRowStart(std::uint64_t offset) {
    const std::size_t wraps = m_rowsStartingHigher.size();
    if (offset >> 32 != wraps) {
        m_rowsStartingHigher.push_back(rowCount());
    }
    const auto low = static_cast<std::uint32_t>(offset);
    m_rowStarts.append(&low, sizeof low);
}

std::uint64_t RowStore::rowStart(std::size_t row) const {
    std::uint64_t high = 0;
    if (!m_rowsStartingHigher.empty()) {
        high = static_cast<std::uint64_t>(
            std::upper_bound(m_rowsStartingHigher.begin(), m_rowsStartingHigher.end(), row) -
            m_rowsStartingHigher.begin());
    }
    std::uint32_t low = 0;
    std::memcpy(&low, m_rowStarts.data() + row * sizeof low, sizeof low);
    return (high << 32) | low;
}

std::size_t RowStore::byteSize() const {
    return m_bytes.size() + m_rowStarts.size() + m_rowsStartingHigher.size() * sizeof(std::size_t);
}

Variant::Type RowStore::type(std::size_t row, std::size_t column) const {
    switch (*field(row, column)) {
        case kNull:
            return Variant::Type::Null;
        case kInteger:
            return Variant::Type::Integer;
        case kWholeDecimal:
        case kScaledDecimal:
        case kDecimal:
            return Variant::Type::Decimal;
        case kDate:
            return Variant::Type::Date;
        default:
            return Variant::Type::Text;
    }
}

Variant RowStore::value(std::size_t row, std::size_t column) const {
    const unsigned char* p = field(row, column);
    switch (*p++) {
        case kNull:
            return {};
        case kInteger:
            return Variant::integer(unzigzag(readVarint(p)));
        case kWholeDecimal:
            return Variant::decimal(static_cast<double>(unzigzag(readVarint(p))));
        case kScaledDecimal:
            return Variant::decimal(static_cast<double>(unzigzag(readVarint(p))) / kTenThousandths);
        case kDecimal: {
            double value = 0;
            std::memcpy(&value, p, sizeof value);
            return Variant::decimal(value);
        }
        case kDate: {
            const auto packed = static_cast<int>(readVarint(p));
            return Variant::date({packed / 10000, packed / 100 % 100, packed % 100});
        }
        default: {
            const auto length = readVarint(p);
            return Variant::text(std::string(reinterpret_cast<const char*>(p), length));
        }
    }
}

std::string RowStore::text(std::size_t row, std::size_t column) const {
    return value(row, column).toText();
}
