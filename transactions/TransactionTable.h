// What sets the income window and the expense window apart: their table's statements, their texts and the
// few places and orders where their designs differ. The window itself is written once, over this.
#pragma once

#include <QString>

#include <array>
#include <string_view>

struct TransactionTable {
    // The buttons that follow the list in the tab order, whose order differs between the two windows.
    enum class Button { HideList, Modify, Delete, ModSave, Cancel };

    QString caption;

    // The combo box of names: its control name, and the prompt beside it with its place in twips.
    QString comboName;
    QString comboPrompt;
    int promptLeft;
    int promptWidth;

    // Height of the list in twips.
    int listHeight;
    std::array<Button, 5> buttonsAfterList;

    // The three Save checks, in the order they run.
    QString emptyNameMessage;
    QString emptyAmountMessage;
    QString emptyParticularsMessage;

    std::string_view namesQuery;
    std::string_view maxQuery;
    std::string_view insertStart;
    // The update: start, date, beforeName, name, beforeAmount, amount, beforeParticulars, particulars, key.
    std::string_view updateStart;
    std::string_view updateBeforeName;
    std::string_view updateBeforeAmount;
    std::string_view updateBeforeParticulars;
    std::string_view deleteStart;
    std::string_view selectOneStart;
    std::string_view listQuery;
    // Gives the sum under the alias Tot; null on an empty table.
    std::string_view totalQuery;

    static const TransactionTable& income();
    static const TransactionTable& expenses();
};
