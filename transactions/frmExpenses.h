// The expense window: the transaction window over the Expenses table and the expense categories.
#pragma once

#include "transactions/TransactionWindow.h"

class frmExpenses final : public TransactionWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmExpenses)

public:
    // Added to the frame's area; load() then runs Form_Load and shows it.
    explicit frmExpenses(QMdiArea* area);

    SimpleCombo* const CboCategory;
};
