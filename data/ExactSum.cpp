// Sum() in whole ten-thousandths: a million rows of 999.95 total exactly 999950000, given as exact decimal
// text.
#include "data/ExactSum.h"

#include <cstring>
#include <new>
#include <optional>
#include <string>

#include "data/DbError.h"
#include "data/ExactDecimal.h"

namespace {

// Lives in memory the engine hands out, aligned for 8 bytes only: the 128-bit total is kept as bytes.
struct SumState {
    unsigned char total[sizeof(ExactDecimal)];
    bool any;
    const char* error;

    ExactDecimal load() const {
        ExactDecimal value;
        std::memcpy(&value, total, sizeof value);
        return value;
    }
    void store(const ExactDecimal& value) { std::memcpy(total, &value, sizeof value); }
};

void fail(SumState& state, const char* message) {
    if (state.error == nullptr) {
        state.error = message;
    }
}

void addValue(SumState& state, sqlite3_value* value) {
    const std::optional<ExactDecimal> amount = sqlite3_value_type(value) == SQLITE_INTEGER
                                                   ? ExactDecimal::fromWhole(sqlite3_value_int64(value))
                                                   : ExactDecimal::fromDouble(sqlite3_value_double(value));
    if (!amount) {
        fail(state, "Sum: an amount is too large to be added exactly");
        return;
    }
    const std::optional<ExactDecimal> total = state.load().plus(*amount);
    if (!total) {
        fail(state, "Sum: the total is too large");
        return;
    }
    state.store(*total);
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
    // As text: a double would round a total of more than 15 significant digits. Nothing may be thrown through
    // the engine.
    try {
        const std::string text = state->load().plainText();
        sqlite3_result_text(context, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    } catch (const std::bad_alloc&) {
        sqlite3_result_error_nomem(context);
    }
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
