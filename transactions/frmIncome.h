// The income window: the transaction window over the Income table and the income sources.
#pragma once

#include "transactions/TransactionWindow.h"

class frmIncome final : public TransactionWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmIncome)

public:
    // Added to the frame's area; load() then runs Form_Load and shows it.
    explicit frmIncome(QMdiArea* area);

    SimpleCombo* const CboSource;

private:
    void CboSource_KeyPress(int KeyAscii);
};
