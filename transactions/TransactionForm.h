// The controls of a transaction window, placed as designed: entry fields, button panels, list and total line.
#pragma once

#include "transactions/TransactionTable.h"
#include "ui/ChildWindow.h"

class DatePicker;
class ListView;
class QFrame;
class QLabel;
class QLineEdit;
class QMdiArea;
class QPlainTextEdit;
class QPushButton;
class SimpleCombo;

class TransactionForm : public ChildWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TransactionForm)

public:
    TransactionForm(QMdiArea* area, const TransactionTable& table);

    // Outer widths of the two list states: the list out of view, and in view beside the fields.
    static constexpr int kNarrowWidth = 5040;
    static constexpr int kWideWidth = 10365;
    // Heights of the combo box of names with its list open, and closed to a strip.
    static constexpr int kListOpenHeight = 1500;
    static constexpr int kListClosedHeight = 500;

    QFrame* Frame1 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* TxtSrNo = nullptr;
    QLabel* Label2 = nullptr;
    DatePicker* DTPicker1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* TxtAmount = nullptr;
    QLabel* Label21 = nullptr;
    QPlainTextEdit* TxtParticulars = nullptr;
    QFrame* Frame2 = nullptr;
    QPushButton* CmdNew = nullptr;
    QPushButton* CmdModify = nullptr;
    QPushButton* CmdDelete = nullptr;
    QPushButton* CmdHideList = nullptr;
    QFrame* Frame3 = nullptr;
    QPushButton* CmdSave = nullptr;
    QPushButton* CmdModSave = nullptr;
    QPushButton* CmdCancel = nullptr;
    ListView* ListView1 = nullptr;
    QLabel* LblTotal = nullptr;

    // The combo box of source or category names; each window gives it its own control name.
    SimpleCombo* nameBox() const { return m_nameBox; }
    const TransactionTable& table() const { return m_table; }

private:
    void placePanelsAndPrompts();
    void placeControlsInTabOrder();
    // Gives every input control its prompt's text as its accessible name.
    void nameFieldsForScreenReaders();
    void placeButtonAfterList(TransactionTable::Button button);
    void placeTotal();

    const TransactionTable& m_table;
    SimpleCombo* m_nameBox = nullptr;
};
