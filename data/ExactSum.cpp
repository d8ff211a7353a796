// Sum() in whole ten-thousandths: a million rows of 999.95 total exactly 999950000.
#include "data/ExactSum.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <string>

#include "data/DbError.h"

namespace {

__extension__ typedef __int128 Int128;

constexpr double kScale = 10000.0;
// Beyond this a single value cannot be held in ten-thousandths with room to add more.
constexpr double kLargestScaled = 1e36;

// Lives in memory the engine hands out, aligned for 8 bytes only: the 128-bit total is kept as bytes.
struct SumState {
    unsigned char total[sizeof(Int128)];
    bool any;
    const char* error;

    Int128 load() const {
        Int128 value;
        std::memcpy(&value, total, sizeof value);
        return value;
    }
    void store(Int128 value) { std::memcpy(total, &value, sizeof value); }
};

void fail(SumState& state, const char* message) {
    if (state.error == nullptr) {
        state.error = message;
    }
}

void addValue(SumState& state, sqlite3_value* value) {
    Int128 scaled = 0;
    if (sqlite3_value_type(value) == SQLITE_INTEGER) {
        scaled = static_cast<Int128>(sqlite3_value_int64(value)) * 10000;
    } else {
        const double amount = std::round(sqlite3_value_double(value) * kScale);
        if (!std::isfinite(amount) || std::fabs(amount) > kLargestScaled) {
            fail(state, "Sum: an amount is too large to be added exactly");
            return;
        }
        scaled = static_cast<Int128>(amount);
    }
    Int128 total = 0;
    if (__builtin_add_overflow(state.load(), scaled, &total)) {
        fail(state, "Sum: the total is too large");
        return;
    }
    state.store(total);
}

void step(sqlite3_context* context, int, sqlite3_value** arguments) {
    auto* state = static_cast<SumState*>(sqlite3_aggregate_context(context, sizeof(SumState)));
    if (state == nullptr) {
        sqlite3_result_error_nomem(context);
        return;
    }
    if (sqlite3_value_type(arguments[0]) == SQLITE_NULL) {
        return;
    }
    state->any = true;
    addValue(*state, arguments[0]);
}

// The exact decimal text of a total of ten-thousandths, read back as the nearest double.
double toDouble(Int128 total) {
    const bool negative = total < 0;
    std::string digits;
    for (Int128 rest = negative ? -total : total; rest > 0 || digits.size() < 5; rest /= 10) {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(rest % 10)));
    }
    digits.insert(digits.size() - 4, 1, '.');
    double value = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return negative ? -value : value;
}

void finish(sqlite3_context* context) {
    auto* state = static_cast<SumState*>(sqlite3_aggregate_context(context, 0));
    if (state == nullptr || !state->any) {
        sqlite3_result_null(context);
        return;
    }
    if (state->error != nullptr) {
        sqlite3_result_error(context, state->error, -1);
        return;
    }
    sqlite3_result_double(context, toDouble(state->load()));
}

}  // namespace

namespace ExactSum {

void install(sqlite3* db) {
    const int status = sqlite3_create_function_v2(db, "sum", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                                  nullptr, step, finish, nullptr);
    if (status != SQLITE_OK) {
        throw DbError(std::string("Cannot install the exact sum: ") + sqlite3_errmsg(db));
    }
}

}  // namespace ExactSum
