// Next record number: one past the largest stored, 1 for an empty table.
#include "data/RecordNumbering.h"

#include "data/Connection.h"
#include "data/Recordset.h"

namespace RecordNumbering {

long long NextRecordNumber(Connection& connection, Recordset& numbering, std::string_view maxQuery) {
    if (numbering.State() == Recordset::adStateOpen) {
        numbering.Close();
    }
    numbering.Open(maxQuery, connection, Recordset::adOpenKeyset, Recordset::adLockReadOnly);
    const Variant largest = numbering.Fields(0);
    return largest.isNull() ? 1 : largest.toInt64() + 1;
}

}  // namespace RecordNumbering
