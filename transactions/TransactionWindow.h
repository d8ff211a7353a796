// A transaction window's behaviour: entry of new records, the list with its total, picking, modifying and
// deleting records, over the table its description names. The income and expense windows are this window.
#pragma once

#include <string>

#include "data/Recordset.h"
#include "transactions/TransactionForm.h"

class QKeyEvent;

class TransactionWindow : public TransactionForm {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TransactionWindow)

public:
    TransactionWindow(QMdiArea* area, const TransactionTable& table);

    void Form_Load() override;

    // Empties the entry fields and sets the date to today; the combo box keeps its list.
    void BlankFields();
    // Reloads the list from the table.
    void FillList();
    // Recomputes the total line.
    void GetExpTotal();
    // Loads the record numbered in TxtSrNo into the fields: every field or, when any cannot be read, none.
    void LoadData();

private:
    void Form_KeyDown(int KeyCode);
    void CmdNew_Click();
    void CmdSave_Click();
    void CmdCancel_Click();
    void CmdHideList_Click();
    void NameBox_GotFocus();
    void NameBox_LostFocus();
    void TxtAmount_Change();
    void ListView1_DblClick();
    void CmdModify_Click();
    void CmdModSave_Click();
    void CmdDelete_Click();

    void ShowList();
    void showBrowsing();
    void showEditing(QPushButton* saveButton);

    // The fields' values in the forms statements carry them.
    std::string recordNumberValue() const;
    std::string dateValue() const;
    std::string nameValue() const;
    std::string amountValue() const;
    std::string particularsValue() const;

    Recordset m_numbering;
    Recordset m_list;
};
