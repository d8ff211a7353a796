// The summary report: total income, total expenses and the balance between them, worked out on opening.
#pragma once

#include "ui/ChildWindow.h"

class QFrame;
class QLabel;
class QMdiArea;

class frmReport final : public ChildWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmReport)

public:
    explicit frmReport(QMdiArea* area);
    ~frmReport() override;

    void Form_Load() override;

    QFrame* Shape1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* LblIncome = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* LblExpenses = nullptr;
    QFrame* Line1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* LblBalance = nullptr;

private:
    void GetExpTotal();
    void GetIncTotal();
    void GetTotal();
};
