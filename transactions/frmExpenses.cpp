// The expense window. Its category box has no handler of typed keys: its list stays open while it has the
// focus.
#include "transactions/frmExpenses.h"

frmExpenses::frmExpenses(QMdiArea* area)
    : TransactionWindow(area, TransactionTable::expenses()), CboCategory(nameBox()) {}
