// The descriptions of the income and expense tables.
#include "transactions/TransactionTable.h"

#include "data/Statements.h"

using namespace Qt::StringLiterals;

const TransactionTable& TransactionTable::income() {
    static const TransactionTable table{
        .caption = u"I n c o m e"_s,
        .comboName = u"CboSource"_s,
        .comboPrompt = u"Source : "_s,
        .promptLeft = 705,
        .promptWidth = 720,
        .listHeight = 3555,
        .buttonsAfterList = {Button::HideList, Button::Modify, Button::Delete, Button::ModSave,
                             Button::Cancel},
        .emptyNameMessage = u"Please select income source"_s,
        .emptyAmountMessage = u"Please enter income amount"_s,
        .emptyParticularsMessage = u"Please enter income particulars"_s,
        .namesQuery = Statements::kIncomeSourcesByName,
        .maxQuery = Statements::kMaxIncome,
        .insertStart = Statements::kInsertIncome,
        .updateStart = Statements::kUpdateIncome,
        .updateBeforeName = Statements::kUpdateIncomeSource,
        .updateBeforeAmount = Statements::kUpdateIncomeAmount,
        .updateBeforeParticulars = Statements::kUpdateIncomeDescription,
        .deleteStart = Statements::kDeleteIncome,
        .selectOneStart = Statements::kSelectIncome,
        .listQuery = Statements::kListIncome,
        .totalQuery = Statements::kIncomeTotal,
    };
    return table;
}

const TransactionTable& TransactionTable::expenses() {
    static const TransactionTable table{
        .caption = u"E x p e n s e s"_s,
        .comboName = u"CboCategory"_s,
        .comboPrompt = u"Category :"_s,
        .promptLeft = 555,
        .promptWidth = 870,
        .listHeight = 3560,
        .buttonsAfterList = {Button::Delete, Button::Modify, Button::HideList, Button::Cancel,
                             Button::ModSave},
        .emptyNameMessage = u"Please select expense category"_s,
        .emptyAmountMessage = u"Please enter expense amount"_s,
        .emptyParticularsMessage = u"Please enter expense particulars"_s,
        .namesQuery = Statements::kExpenseCategoriesByName,
        .maxQuery = Statements::kMaxExpenses,
        .insertStart = Statements::kInsertExpenses,
        .updateStart = Statements::kUpdateExpenses,
        .updateBeforeName = Statements::kUpdateExpensesCategory,
        .updateBeforeAmount = Statements::kUpdateExpensesAmount,
        .updateBeforeParticulars = Statements::kUpdateExpensesDescription,
        .deleteStart = Statements::kDeleteExpenses,
        .selectOneStart = Statements::kSelectExpenses,
        .listQuery = Statements::kListExpenses,
        .totalQuery = Statements::kExpensesTotal,
    };
    return table;
}
