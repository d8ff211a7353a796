// Next record number: one past the largest stored, 1 for an empty table.
#include "data/RecordNumbering.h"

#include <cstdint>
#include <limits>
#include <string>

#include "data/Connection.h"
#include "data/DbError.h"
#include "data/Recordset.h"
#include "data/ValueForms.h"

namespace RecordNumbering {

long long NextRecordNumber(Connection& connection, Recordset& numbering, std::string_view maxQuery) {
    if (numbering.State() == Recordset::adStateOpen) {
        numbering.Close();
    }
    numbering.Open(maxQuery, connection, Recordset::adOpenKeyset, Recordset::adLockReadOnly);
    const Variant largest = numbering.Fields(0);
    if (largest.isNull()) {
        return 1;
    }
    const long long stored = largest.toInt64();
    if (stored == std::numeric_limits<long long>::max()) {
        throw DbError(ValueForms::unheldRecordNumber(std::to_string(static_cast<std::uint64_t>(stored) + 1)));
    }
    return stored + 1;
}

}  // namespace RecordNumbering
