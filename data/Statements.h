// Every statement the program sends, as its catalogue gives it. Values go between the pieces in the forms
// of ValueForms: record numbers and amounts bare, texts and dates as quoted literals.
#pragma once

#include <string_view>

namespace Statements {

// GMaster
inline constexpr std::string_view kIncomeSourcesByName =
    "Select SrNo,GName from GMaster where GType='2' order by GName";
inline constexpr std::string_view kExpenseCategoriesByName =
    "Select SrNo,GName from GMaster where GType='1' order by GName";
inline constexpr std::string_view kIncomeSources = "Select SrNo,GName from GMaster WHERE GType='2'";
inline constexpr std::string_view kExpenseCategories = "Select SrNo,GName from GMaster WHERE GType='1'";
inline constexpr std::string_view kMaxMaster = "Select Max(SrNO) From GMaster";
// + record number
inline constexpr std::string_view kSelectMaster = "SELECT * FROM GMaster WHERE SrNo=";
// + record number + ",'" + name + "','" + kind + "')"
inline constexpr std::string_view kInsertMaster = "Insert Into GMaster(SrNo,GName,GType) values(";
// + name + kUpdateMasterKind + kind + kUpdateMasterKey + record number
inline constexpr std::string_view kUpdateMaster = "UPDATE GMaster SET GName='";
inline constexpr std::string_view kUpdateMasterKind = "', GType='";
inline constexpr std::string_view kUpdateMasterKey = "' WHERE SrNo=";

// Income
inline constexpr std::string_view kMaxIncome = "Select Max(SrNO) From Income";
inline constexpr std::string_view kInsertIncome =
    "Insert Into Income(SrNo,IncDate,IncSource,IncAmount,IncDescription) values(";
inline constexpr std::string_view kUpdateIncome = "Update Income set IncDate='";
inline constexpr std::string_view kUpdateIncomeSource = "',IncSource='";
inline constexpr std::string_view kUpdateIncomeAmount = "',IncAmount=";
inline constexpr std::string_view kUpdateIncomeDescription = ",IncDescription='";
inline constexpr std::string_view kDeleteIncome = "Delete * from Income where SrNo=";
inline constexpr std::string_view kSelectIncome = "Select * from Income where SrNo=";
inline constexpr std::string_view kListIncome = "Select * from Income";
inline constexpr std::string_view kIncomeTotal = "Select Sum(IncAmount) as Tot from Income";
inline constexpr std::string_view kReportIncomeTotal = "Select Sum(IncAmount) as TotI from Income";

// Expenses
inline constexpr std::string_view kMaxExpenses = "Select Max(SrNO) From Expenses";
inline constexpr std::string_view kInsertExpenses =
    "Insert Into Expenses(SrNo,ExpDate,ExpCategory,ExpAmount,ExpDescription) values(";
inline constexpr std::string_view kUpdateExpenses = "Update Expenses set ExpDate='";
inline constexpr std::string_view kUpdateExpensesCategory = "',ExpCategory='";
inline constexpr std::string_view kUpdateExpensesAmount = "',ExpAmount=";
inline constexpr std::string_view kUpdateExpensesDescription = ",ExpDescription='";
inline constexpr std::string_view kDeleteExpenses = "Delete * from Expenses where SrNo=";
inline constexpr std::string_view kSelectExpenses = "Select * from Expenses where SrNo=";
inline constexpr std::string_view kListExpenses = "Select * from Expenses";
inline constexpr std::string_view kExpensesTotal = "Select Sum(ExpAmount) as Tot from Expenses";
inline constexpr std::string_view kReportExpensesTotal = "Select Sum(ExpAmount) as TotE from Expenses";

// The pieces that join the values of the transaction inserts and updates, the same for both tables.
// Insert: number, kAfterNumber, date, kBetweenTexts, name, kBeforeAmount, amount, kBeforeText,
// particulars, kCloseValues.
inline constexpr std::string_view kAfterNumber = ",'";
inline constexpr std::string_view kBetweenTexts = "','";
inline constexpr std::string_view kBeforeAmount = "',";
inline constexpr std::string_view kBeforeText = ",'";
inline constexpr std::string_view kCloseValues = "')";
// Update: ... particulars, kUpdateKey, number.
inline constexpr std::string_view kUpdateKey = "' where SrNo=";

}  // namespace Statements
