// The master data window: lists, adds and renames the income sources or the expense categories.
#pragma once

#include <string>
#include <string_view>

#include "data/Recordset.h"
#include "ui/ChildWindow.h"

class ListView;
class QFrame;
class QLabel;
class QLineEdit;
class QMdiArea;
class QPushButton;

class frmGMaster final : public ChildWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmGMaster)

public:
    explicit frmGMaster(QMdiArea* area);
    ~frmGMaster() override;

    void Form_Load() override;

    // Fill the list with the entries of one kind. A failing query is not shown here: it reaches the
    // caller as a DbError, so that the opener can report it and still finish labelling the window.
    void FillIncome();
    void FillExpense();

    // The window's state lives in these controls; the opener sets the caption of Label2.
    QLabel* Label1 = nullptr;
    QLineEdit* TxtSrNo = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* TxtGName = nullptr;
    QFrame* Line1 = nullptr;
    QPushButton* CmdNew = nullptr;
    QPushButton* CmdSave = nullptr;
    QPushButton* CmdCancel = nullptr;
    ListView* ListView1 = nullptr;

private:
    void createControls();
    void orderTabs();

    void CmdNew_Click();
    void CmdSave_Click();
    void CmdCancel_Click();
    void ListView1_DblClick();
    void AddRecord();
    void EditRecord();

    void fillList(std::string_view query);
    // Refills the list of the kind being saved, as MasterType names it.
    void refillCurrentKind();
    // Puts the focus in the name box, which can take it only while enabled.
    void focusName();
    // The number box's value in a statement's form.
    std::string recordNumber() const;

    // The one result set of the window, reused by the fills, the next number and the double-click.
    Recordset m_records;
};
