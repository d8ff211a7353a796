// The transaction window's handlers and routines.
#include "transactions/TransactionWindow.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "data/DbError.h"
#include "data/RecordNumbering.h"
#include "data/Statements.h"
#include "data/ValueForms.h"
#include "transactions/DatePicker.h"
#include "transactions/KeyPreview.h"
#include "ui/BoxValues.h"
#include "ui/DateText.h"
#include "ui/Guard.h"
#include "ui/ListView.h"
#include "ui/MessageBox.h"
#include "ui/Module2.h"
#include "ui/SimpleCombo.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int kEnter = 13;

// A field read into a text box: a null cannot be shown, so the record counts as unreadable.
QString storedText(const Variant& field) {
    if (field.isNull()) {
        throw DbError("Invalid use of Null");
    }
    return QString::fromStdString(field.toText());
}

// An amount is shown only as a text the amount box keeps: the box would empty any other, and Update would
// then store a figure the user never entered.
QString storedAmount(const Variant& field) {
    const bool number = field.type() == Variant::Type::Decimal || field.type() == Variant::Type::Integer;
    if (!number || !ValueForms::isKeptAmount(field.toDouble())) {
        throw DbError("The record's amount " + field.toText() + " cannot be shown in the amount box.");
    }
    return BoxValues::amountText(field.toDouble());
}

QDate storedDate(const Variant& field, const DatePicker& picker) {
    const QDate date = DateText::toQDate(field.toDate());
    if (!date.isValid() || date < picker.minimumDate() || date > picker.maximumDate()) {
        throw DbError("The record's date cannot be shown.");
    }
    return date;
}

}  // namespace

TransactionWindow::TransactionWindow(QMdiArea* area, const TransactionTable& table)
    : TransactionForm(area, table) {
    new KeyPreview(this, [this](const QKeyEvent& key) {
        const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
        Form_KeyDown(enter ? kEnter : key.key());
    });
    connect(CmdNew, &QPushButton::clicked, this, guard(this, &TransactionWindow::CmdNew_Click));
    connect(CmdSave, &QPushButton::clicked, this, guard(this, &TransactionWindow::CmdSave_Click));
    connect(CmdCancel, &QPushButton::clicked, this, guard(this, &TransactionWindow::CmdCancel_Click));
    connect(CmdHideList, &QPushButton::clicked, this, guard(this, &TransactionWindow::CmdHideList_Click));
    connect(CmdModify, &QPushButton::clicked, this, guard(this, &TransactionWindow::CmdModify_Click));
    connect(CmdModSave, &QPushButton::clicked, this, guard(this, &TransactionWindow::CmdModSave_Click));
    connect(CmdDelete, &QPushButton::clicked, this, guard(this, &TransactionWindow::CmdDelete_Click));
    connect(ListView1, &ListView::DblClick, this, guard(this, &TransactionWindow::ListView1_DblClick));
    connect(TxtAmount, &QLineEdit::textChanged, this, guard(this, &TransactionWindow::TxtAmount_Change));
    // The focus is on its way between controls: a failure is told once it has arrived.
    connect(nameBox(), &SimpleCombo::GotFocus, this,
            [this] { runGuardedQueued([this] { NameBox_GotFocus(); }); });
    connect(nameBox(), &SimpleCombo::LostFocus, this,
            [this] { runGuardedQueued([this] { NameBox_LostFocus(); }); });
}

void TransactionWindow::Form_Load() {
    Frame1->setEnabled(false);
    Module2::CenterForm(*this);
    Frame1->setEnabled(false);
    setWidthTwips(kNarrowWidth);
    Module2::FillCombo(*nameBox(), table().namesQuery);
    GetExpTotal();
    FillList();
}

void TransactionWindow::BlankFields() {
    TxtSrNo->setText(QString());
    DTPicker1->setDate(QDate::currentDate());
    nameBox()->setText(QString());
    TxtAmount->setText(QString());
    TxtParticulars->setPlainText(QString());
}

void TransactionWindow::FillList() {
    if (m_list.State() == Recordset::adStateOpen) {
        m_list.Close();
    }
    // The list shows the old rows in place, so it holds them until it is emptied: emptied first, a large book
    // is never held twice while the new rows are read.
    ListView1->clearItems();
    m_list.Open(table().listQuery, Module2::Connection(), Recordset::adOpenStatic,
                Recordset::adLockBatchOptimistic);
    Module2::FillListView(*ListView1, m_list, 5, 1);
}

void TransactionWindow::GetExpTotal() {
    Recordset total;
    total.Open(table().totalQuery, Module2::Connection(), Recordset::adOpenStatic,
               Recordset::adLockBatchOptimistic);
    // The sum comes as exact decimal text: shown as it is, never rounded through a double.
    const Variant sum = total.Fields("Tot");
    LblTotal->setText(sum.isNull() ? u"Total : Rs. 0"_s
                                   : u"Total : Rs. "_s + QString::fromStdString(sum.toText()));
}

void TransactionWindow::LoadData() {
    Recordset record;
    record.Open(std::string(table().selectOneStart) + recordNumberValue(), Module2::Connection(),
                Recordset::adOpenStatic, Recordset::adLockBatchOptimistic);
    // Everything is read before anything is shown, so a record that cannot be read leaves the fields alone.
    const QDate date = storedDate(record.Fields(1), *DTPicker1);
    const QString name = storedText(record.Fields(2));
    const QString amount = storedAmount(record.Fields(3));
    const QString particulars = storedText(record.Fields(4));
    DTPicker1->setDate(date);
    nameBox()->setText(name);
    TxtAmount->setText(amount);
    TxtParticulars->setPlainText(particulars);
}

void TransactionWindow::Form_KeyDown(int KeyCode) {
    if (KeyCode != kEnter) {
        return;
    }
    // The Tab is sent behind the Enter key, so the control that has the focus handles Enter first (the
    // particulars box takes its line break, the combo box closes its list); it then moves the focus on
    // from wherever the focus is by the time it arrives.
    QMetaObject::invokeMethod(
        this,
        [] {
            QWidget* focused = QApplication::focusWidget();
            if (focused == nullptr) {
                return;
            }
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, u"\t"_s);
            QCoreApplication::sendEvent(focused, &press);
            if (QWidget* now = QApplication::focusWidget()) {
                QKeyEvent release(QEvent::KeyRelease, Qt::Key_Tab, Qt::NoModifier, u"\t"_s);
                QCoreApplication::sendEvent(now, &release);
            }
        },
        Qt::QueuedConnection);
}

void TransactionWindow::CmdNew_Click() {
    // Numbered first: a table that has no next number leaves the window as it was.
    const long long next =
        RecordNumbering::NextRecordNumber(Module2::Connection(), m_numbering, table().maxQuery);
    Frame1->setEnabled(true);
    BlankFields();
    DTPicker1->setFocus();
    TxtSrNo->setText(BoxValues::plain(next));
    showEditing(CmdSave);
}

void TransactionWindow::CmdSave_Click() {
    if (nameBox()->text().isEmpty()) {
        MsgBox(table().emptyNameMessage, Msg::OkInformation);
        nameBox()->setFocus();
        return;
    }
    if (TxtAmount->text().isEmpty()) {
        MsgBox(table().emptyAmountMessage, Msg::OkInformation);
        TxtAmount->setFocus();
        return;
    }
    if (TxtParticulars->toPlainText().isEmpty()) {
        MsgBox(table().emptyParticularsMessage, Msg::OkInformation);
        TxtParticulars->setFocus();
        return;
    }
    std::string insert(table().insertStart);
    insert += recordNumberValue();
    insert += Statements::kAfterNumber;
    insert += dateValue();
    insert += Statements::kBetweenTexts;
    insert += nameValue();
    insert += Statements::kBeforeAmount;
    insert += amountValue();
    insert += Statements::kBeforeText;
    insert += particularsValue();
    insert += Statements::kCloseValues;
    // A refused insert (a record number already stored, say) throws here: the window stays in adding mode
    // with its entries, and no success is reported.
    Module2::Connection().Execute(insert);
    MsgBox(u"Saved successfully"_s, Msg::OkInformation);
    FillList();
    GetExpTotal();
    BlankFields();
    showBrowsing();
}

void TransactionWindow::CmdCancel_Click() {
    showBrowsing();
    BlankFields();
}

void TransactionWindow::CmdHideList_Click() {
    setWidthTwips(kNarrowWidth);
    CmdHideList->hide();
}

void TransactionWindow::ShowList() {
    setWidthTwips(kWideWidth);
    CmdHideList->show();
}

void TransactionWindow::NameBox_GotFocus() {
    nameBox()->raise();
    nameBox()->setHeightTwips(kListOpenHeight);
}

void TransactionWindow::NameBox_LostFocus() {
    nameBox()->raise();
    nameBox()->setHeightTwips(kListClosedHeight);
}

void TransactionWindow::TxtAmount_Change() {
    Module2::CheckNumeric(*TxtAmount);
}

void TransactionWindow::ListView1_DblClick() {
    if (ListView1->hasSelection()) {
        const QString before = TxtSrNo->text();
        TxtSrNo->setText(ListView1->selectedItemText());
        try {
            LoadData();
            return;
        } catch (const std::exception&) {
            // The number box goes back too: a number over another record's fields could be saved over it.
            TxtSrNo->setText(before);
        }
    }
    MsgBox(u"No Data Available"_s, Msg::OkInformation);
}

void TransactionWindow::CmdModify_Click() {
    if (!TxtSrNo->text().isEmpty()) {
        Frame1->setEnabled(true);
        showEditing(CmdModSave);
        return;
    }
    MsgBox(u"Select Record first\r\n\r\nDouble click on grid to select Record"_s, Msg::OkInformation);
    ShowList();
    ListView1->setFocus();
}

void TransactionWindow::CmdModSave_Click() {
    std::string update(table().updateStart);
    update += dateValue();
    update += table().updateBeforeName;
    update += nameValue();
    update += table().updateBeforeAmount;
    update += amountValue();
    update += table().updateBeforeParticulars;
    update += particularsValue();
    update += Statements::kUpdateKey;
    update += recordNumberValue();
    // Another program can have deleted the record meanwhile: nothing is written then, and the window keeps
    // the user's changes in modifying mode (Cancel drops them).
    if (Module2::Connection().Execute(update) == 0) {
        MsgBox(u"No record was updated"_s, Msg::OkInformation);
        return;
    }
    MsgBox(u"Updated Successfully"_s, Msg::OkInformation);
    FillList();
    GetExpTotal();
    BlankFields();
    showBrowsing();
    CmdNew->setFocus();
}

void TransactionWindow::CmdDelete_Click() {
    if (TxtSrNo->text().isEmpty()) {
        MsgBox(u"Nothing to delete\r\n\r\nSelect record first\r\n\r\nDouble click on grid to select record"_s,
               Msg::OkInformation);
        ShowList();
        ListView1->setFocus();
        return;
    }
    const QString question =
        u"Are you sure you want to delete this record?\r\n\r\nRecord No. : "_s + TxtSrNo->text();
    if (MsgBox(question, Msg::YesNoExclamation) != Msg::AnswerYes) {
        return;
    }
    const long long deleted =
        Module2::Connection().Execute(std::string(table().deleteStart) + recordNumberValue());
    // A record another program deleted meanwhile is gone all the same: the list then shows what is stored.
    MsgBox(deleted == 0 ? u"No record was deleted"_s : u"Record Deleted successfully"_s, Msg::OkInformation);
    FillList();
    GetExpTotal();
    BlankFields();
}

void TransactionWindow::showBrowsing() {
    Frame1->setEnabled(false);
    Frame3->hide();
    Frame2->show();
}

void TransactionWindow::showEditing(QPushButton* saveButton) {
    Frame2->hide();
    Frame3->show();
    CmdSave->setVisible(saveButton == CmdSave);
    CmdModSave->setVisible(saveButton == CmdModSave);
}

std::string TransactionWindow::recordNumberValue() const {
    return BoxValues::recordNumber(TxtSrNo->text());
}

std::string TransactionWindow::dateValue() const {
    return ValueForms::literalDate(DateText::fromQDate(DTPicker1->date()));
}

std::string TransactionWindow::nameValue() const {
    return BoxValues::quoted(nameBox()->text());
}

std::string TransactionWindow::amountValue() const {
    return BoxValues::bareAmount(TxtAmount->text());
}

std::string TransactionWindow::particularsValue() const {
    return BoxValues::quoted(TxtParticulars->toPlainText());
}
