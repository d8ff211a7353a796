// The income and expense windows driven as a user drives them: keys, clicks and double-clicks on the real
// controls, checked against what the window shows and what the tables hold.
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

#include "data/Connection.h"
#include "data/ConnectionString.h"
#include "data/Recordset.h"
#include "tests/support/MessageRecorder.h"
#include "tests/support/TestProgramFolder.h"
#include "transactions/DatePicker.h"
#include "transactions/frmExpenses.h"
#include "transactions/frmIncome.h"
#include "ui/ListView.h"
#include "ui/Module2.h"
#include "ui/SimpleCombo.h"
#include "ui/Twips.h"

using namespace Qt::StringLiterals;

namespace {

const QString kIncome = u"income"_s;
const QString kExpenses = u"expenses"_s;

void execute(const QString& statement) {
    Module2::Connection().Execute(statement.toStdString());
}

QString tableOf(const QString& kind) {
    return kind == kIncome ? u"Income"_s : u"Expenses"_s;
}

void store(const QString& kind, qint64 number, const QString& name, const QString& amount,
           const QString& particulars = u"note"_s, const QString& date = u"2024-03-15"_s) {
    execute(u"Insert Into %1 values(%2,'%3','%4',%5,'%6')"_s.arg(tableOf(kind))
                .arg(number)
                .arg(date, name, amount, particulars));
}

// The stored row as "date|name|amount|particulars"; empty when there is none.
QString storedRow(const QString& kind, qint64 number) {
    Recordset row;
    row.Open(u"Select * from %1 where SrNo=%2"_s.arg(tableOf(kind)).arg(number).toStdString(),
             Module2::Connection(), Recordset::adOpenStatic, Recordset::adLockBatchOptimistic);
    QStringList fields;
    for (std::size_t i = 1; !row.Eof() && i < 5; ++i) {
        fields << QString::fromStdString(row.Fields(i).toText());
    }
    return fields.join(u'|');
}

int storedCount(const QString& kind) {
    Recordset count;
    count.Open(u"Select Count(*) from %1"_s.arg(tableOf(kind)).toStdString(), Module2::Connection(),
               Recordset::adOpenStatic, Recordset::adLockBatchOptimistic);
    return static_cast<int>(count.Fields(0).toInt64());
}

void click(QWidget* button) {
    QVERIFY2(button->isVisible(), qPrintable(button->objectName()));
    QTest::mouseClick(button, Qt::LeftButton);
}

// Keys go where the user's keys go: to the control that has the focus.
void press(Qt::Key key) {
    QTest::keyClick(QApplication::focusWidget(), key);
}

void type(const QString& text) {
    QTest::keyClicks(QApplication::focusWidget(), text);
}

void doubleClickRow(TransactionWindow* window, int row) {
    ListView* list = window->ListView1;
    QTRY_VERIFY(list->itemCount() > row);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                       list->visualRect(list->model()->index(row, 1)).center());
}

void fillEntries(TransactionWindow* window, const QString& name, const QString& amount,
                 const QString& particulars) {
    QTest::keyClicks(window->nameBox()->editField(), name);
    QTest::keyClicks(window->TxtAmount, amount);
    window->TxtParticulars->setPlainText(particulars);
}

// The window's outer width as last set: its client area and the border that width includes.
int outerWidth(const TransactionWindow* window) {
    return Twips::fromPixels(window->client()->width()) + ChildWindow::kBorderTwips;
}

bool nameBoxIs(const TransactionWindow* window, int heightTwips) {
    return window->nameBox()->height() == Twips::toPixels(heightTwips);
}

QString mode(const TransactionWindow* window) {
    if (!window->Frame1->isEnabled() && !window->Frame2->isHidden() && window->Frame3->isHidden()) {
        return u"browsing"_s;
    }
    if (window->Frame1->isEnabled() && window->Frame2->isHidden() && !window->Frame3->isHidden()) {
        return window->CmdModSave->isHidden() ? u"adding"_s
               : window->CmdSave->isHidden()  ? u"modifying"_s
                                              : QString();
    }
    return {};
}

// The entries as "number|date|name|amount|particulars".
QString entries(const TransactionWindow* window) {
    return QStringList{window->TxtSrNo->text(), window->DTPicker1->date().toString(Qt::ISODate),
                       window->nameBox()->text(), window->TxtAmount->text(),
                       window->TxtParticulars->toPlainText()}
        .join(u'|');
}

QString blankEntries() {
    return u"|"_s + QDate::currentDate().toString(Qt::ISODate) + u"|||"_s;
}

}  // namespace

class TransactionWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestProgramFolder> m_folder;
    std::unique_ptr<QMdiArea> m_area;
    std::unique_ptr<MessageRecorder> m_messages;

    TransactionWindow* open(const QString& kind) {
        TransactionWindow* window = nullptr;
        if (kind == kIncome) {
            window = new frmIncome(m_area.get());
        } else {
            window = new frmExpenses(m_area.get());
        }
        window->load();
        if (!m_area->isActiveWindow()) {
            m_area->show();
            m_area->activateWindow();
            [&] { QVERIFY(QTest::qWaitForWindowActive(m_area.get())); }();
        }
        return window;
    }

    QString lastMessage() const { return m_messages->last().prompt; }

private slots:
    void init() {
        m_folder = std::make_unique<TestProgramFolder>();
        Module2::Connection().Open(ConnectionString::forProgramFolder(m_folder->path().toStdString()));
        m_messages = std::make_unique<MessageRecorder>();
        m_area = std::make_unique<QMdiArea>();
        m_area->resize(1000, 600);
        execute(
            u"Insert Into GMaster values(1,'Salary','2'),(2,'Rent','1'),(3,'bonus','2'),(4,'Food','1')"_s);
    }

    void cleanup() {
        m_area.reset();
        QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
        m_messages.reset();
        Module2::Connection().Close();
        m_folder.reset();
    }

    void opensNarrowWithItsOwnNamesListAndTotal_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("total");
        QTest::newRow("income") << kIncome << QStringList{u"bonus"_s, u"Salary"_s} << u"Total : Rs. 1512.5"_s;
        QTest::newRow("expenses") << kExpenses << QStringList{u"Food"_s, u"Rent"_s} << u"Total : Rs. 0"_s;
    }

    void opensNarrowWithItsOwnNamesListAndTotal() {
        QFETCH(QString, kind);
        QFETCH(QStringList, names);
        QFETCH(QString, total);
        store(kIncome, 1, u"Salary"_s, u"1500"_s);
        store(kIncome, 2, u"bonus"_s, u"12.5"_s);
        TransactionWindow* window = open(kind);
        QCOMPARE(outerWidth(window), TransactionForm::kNarrowWidth);
        QCOMPARE(mode(window), u"browsing"_s);
        QCOMPARE(window->DTPicker1->date(), QDate(2008, 5, 4));
        QStringList shown;
        for (int i = 0; i < window->nameBox()->count(); ++i) {
            shown << window->nameBox()->itemText(i);
        }
        QCOMPARE(shown, names);
        QCOMPARE(window->LblTotal->text(), total);
        QCOMPARE(window->ListView1->itemCount(), storedCount(kind));
        QCOMPARE(m_messages->count(), 0);
        // The list is out of view already: Hide List only hides itself.
        click(window->CmdHideList);
        QCOMPARE(outerWidth(window), TransactionForm::kNarrowWidth);
        QVERIFY(window->CmdHideList->isHidden());
    }

    void newOffersTheNextRecordNumber_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QList<qint64>>("stored");
        QTest::addColumn<QString>("offered");
        QTest::newRow("empty table") << kIncome << QList<qint64>{} << u"1"_s;
        QTest::newRow("after 1 to 5") << kExpenses << QList<qint64>{1, 2, 3, 4, 5} << u"6"_s;
        QTest::newRow("lower gap kept") << kIncome << QList<qint64>{2, 3} << u"4"_s;
        QTest::newRow("none after the largest")
            << kExpenses << QList<qint64>{9223372036854775807} << QString();
    }

    void newOffersTheNextRecordNumber() {
        QFETCH(QString, kind);
        QFETCH(QList<qint64>, stored);
        QFETCH(QString, offered);
        for (const qint64 number : stored) {
            store(kind, number, u"Salary"_s, u"10"_s);
        }
        TransactionWindow* window = open(kind);
        click(window->CmdNew);
        QCOMPARE(window->TxtSrNo->text(), offered);
        if (offered.isEmpty()) {
            QVERIFY(lastMessage().startsWith(u"Record number 9223372036854775808 cannot be used"_s));
            QCOMPARE(mode(window), u"browsing"_s);
            return;
        }
        QCOMPARE(mode(window), u"adding"_s);
        QTRY_VERIFY(window->DTPicker1->hasFocus());
    }

    void saveChecksItsEntriesInOrder_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("all empty") << kIncome << QString() << QString() << u"Please select income source"_s
                                   << u"CboSource"_s;
        QTest::newRow("no category") << kExpenses << QString() << u"5"_s
                                     << u"Please select expense category"_s << u"CboCategory"_s;
        // The amount box empties itself of a text that is not a number.
        QTest::newRow("letter in the amount")
            << kIncome << u"Salary"_s << u"12a"_s << u"Please enter income amount"_s << u"TxtAmount"_s;
        QTest::newRow("no particulars") << kExpenses << u"Rent"_s << u"5"_s
                                        << u"Please enter expense particulars"_s << u"TxtParticulars"_s;
    }

    void saveChecksItsEntriesInOrder() {
        QFETCH(QString, kind);
        QFETCH(QString, name);
        QFETCH(QString, amount);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        TransactionWindow* window = open(kind);
        click(window->CmdNew);
        fillEntries(window, name, amount, QString());
        click(window->CmdSave);
        QCOMPARE(m_messages->count(), 1);
        QCOMPARE(lastMessage(), message);
        QCOMPARE(m_messages->last().buttons, Msg::OkInformation);
        QTRY_VERIFY(window->findChild<QWidget*>(focus)->hasFocus());
        QCOMPARE(mode(window), u"adding"_s);
        QCOMPARE(storedCount(kind), 0);
    }

    void savedRecordIsListedTotalledAndReadBackExactly_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("particulars");
        QTest::addColumn<QString>("total");
        QTest::addColumn<qint64>("earlier");
        QTest::newRow("decimal amount")
            << kIncome << u"Salary"_s << u"12.5"_s << u"part"_s << u"Total : Rs. 1512.5"_s << qint64{1};
        QTest::newRow("name not in the list")
            << kExpenses << u"Lottery"_s << u"7"_s << u"ticket"_s << u"Total : Rs. 1507"_s << qint64{1};
        QTest::newRow("quotes and lines")
            << kIncome << u"O'Brien"_s << u"1"_s << u"it's \"done\"\nsecond line\n''"_s
            << u"Total : Rs. 1501"_s << qint64{1};
        QTest::newRow("record number beyond 10^15") << kExpenses << u"Rent"_s << u"2"_s << u"March"_s
                                                    << u"Total : Rs. 1502"_s << qint64{1000000000000456};
    }

    void savedRecordIsListedTotalledAndReadBackExactly() {
        QFETCH(QString, kind);
        QFETCH(QString, name);
        QFETCH(QString, amount);
        QFETCH(QString, particulars);
        QFETCH(QString, total);
        QFETCH(qint64, earlier);
        store(kind, earlier, u"Earlier"_s, u"1500"_s);
        TransactionWindow* window = open(kind);
        click(window->CmdNew);
        window->DTPicker1->setDate(QDate(2024, 2, 29));
        fillEntries(window, name, amount, particulars);
        click(window->CmdSave);

        QCOMPARE(lastMessage(), u"Saved successfully"_s);
        const QString saved = QStringList{u"2024-02-29"_s, name, amount, particulars}.join(u'|');
        const QString number = QString::number(earlier + 1);
        QCOMPARE(storedRow(kind, earlier + 1), saved);
        QCOMPARE(window->LblTotal->text(), total);
        QTRY_COMPARE(window->ListView1->itemCount(), 2);
        QCOMPARE(window->ListView1->cellText(1, 0), number);
        QCOMPARE(window->ListView1->cellText(1, 2), name);
        QCOMPARE(window->ListView1->cellText(1, 3), amount);
        QCOMPARE(mode(window), u"browsing"_s);
        QCOMPARE(entries(window), blankEntries());

        doubleClickRow(window, 1);
        QCOMPARE(entries(window), number + u'|' + saved);
    }

    void enterWalksTheEntryFields_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("income") << kIncome;
        QTest::newRow("expenses") << kExpenses;
    }

    void enterWalksTheEntryFields() {
        QFETCH(QString, kind);
        TransactionWindow* window = open(kind);
        click(window->CmdNew);
        QTRY_VERIFY(window->DTPicker1->hasFocus());
        press(Qt::Key_Return);
        QTRY_VERIFY(window->nameBox()->hasFocus());
        QVERIFY(nameBoxIs(window, TransactionForm::kListOpenHeight));
        type(u"Salary"_s);
        press(Qt::Key_Enter);
        QTRY_VERIFY(window->TxtAmount->hasFocus());
        QVERIFY(nameBoxIs(window, TransactionForm::kListClosedHeight));
        type(u"100"_s);
        press(Qt::Key_Return);
        QTRY_VERIFY(window->TxtParticulars->hasFocus());
        type(u"first"_s);
        press(Qt::Key_Return);
        QTRY_VERIFY(window->CmdSave->hasFocus());
        QCOMPARE(window->TxtParticulars->toPlainText(), u"first\n"_s);
        click(window->CmdSave);
        QCOMPARE(storedRow(kind, 1).section(u'|', 1), u"Salary|100|first\n"_s);
    }

    void escapeInTheNameBox_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("heightAfterEscape");
        QTest::newRow("income closes its list") << kIncome << TransactionForm::kListClosedHeight;
        QTest::newRow("expenses leaves it open") << kExpenses << TransactionForm::kListOpenHeight;
    }

    void escapeInTheNameBox() {
        QFETCH(QString, kind);
        QFETCH(int, heightAfterEscape);
        TransactionWindow* window = open(kind);
        click(window->CmdNew);
        window->nameBox()->setFocus();
        QTRY_VERIFY(nameBoxIs(window, TransactionForm::kListOpenHeight));
        press(Qt::Key_Escape);
        QTest::qWait(0);
        QVERIFY(nameBoxIs(window, heightAfterEscape));
        QVERIFY(window->nameBox()->hasFocus());
        type(u"R"_s);
        QVERIFY(nameBoxIs(window, TransactionForm::kListOpenHeight));
    }

    void tabOrderAfterTheList_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("modifying");
        QTest::addColumn<QStringList>("walk");
        QTest::newRow("income browsing")
            << kIncome << false << QStringList{u"CmdHideList"_s, u"CmdModify"_s, u"CmdDelete"_s};
        QTest::newRow("expenses browsing")
            << kExpenses << false << QStringList{u"CmdDelete"_s, u"CmdModify"_s, u"CmdHideList"_s};
        QTest::newRow("income modifying") << kIncome << true << QStringList{u"CmdModSave"_s, u"CmdCancel"_s};
        QTest::newRow("expenses modifying")
            << kExpenses << true << QStringList{u"CmdCancel"_s, u"CmdModSave"_s};
    }

    void tabOrderAfterTheList() {
        QFETCH(QString, kind);
        QFETCH(bool, modifying);
        QFETCH(QStringList, walk);
        store(kind, 1, u"Salary"_s, u"10"_s);
        TransactionWindow* window = open(kind);
        if (modifying) {
            doubleClickRow(window, 0);
            click(window->CmdModify);
        }
        window->ListView1->setFocus();
        QTRY_VERIFY(window->ListView1->hasFocus());
        QStringList walked;
        for (qsizetype i = 0; i < walk.size(); ++i) {
            press(Qt::Key_Tab);
            walked << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(walked, walk);
    }

    void cancelAfterNewStoresNothing() {
        TransactionWindow* window = open(kExpenses);
        click(window->CmdNew);
        fillEntries(window, u"Rent"_s, u"9"_s, u"x"_s);
        click(window->CmdCancel);
        QCOMPARE(mode(window), u"browsing"_s);
        QCOMPARE(entries(window), blankEntries());
        QCOMPARE(storedCount(kExpenses), 0);
        click(window->CmdNew);
        QCOMPARE(window->TxtSrNo->text(), u"1"_s);
    }

    void modifyAndDeleteWithNothingPickedShowTheList_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("message");
        QTest::newRow("modify") << kIncome << u"CmdModify"_s
                                << u"Select Record first\r\n\r\nDouble click on grid to select Record"_s;
        QTest::newRow("delete")
            << kExpenses << u"CmdDelete"_s
            << u"Nothing to delete\r\n\r\nSelect record first\r\n\r\nDouble click on grid to select record"_s;
    }

    void modifyAndDeleteWithNothingPickedShowTheList() {
        QFETCH(QString, kind);
        QFETCH(QString, button);
        QFETCH(QString, message);
        store(kind, 1, u"Salary"_s, u"10"_s);
        TransactionWindow* window = open(kind);
        click(window->CmdHideList);
        click(window->findChild<QPushButton*>(button));
        QCOMPARE(lastMessage(), message);
        QCOMPARE(m_messages->last().buttons, Msg::OkInformation);
        QCOMPARE(outerWidth(window), TransactionForm::kWideWidth);
        QVERIFY(!window->CmdHideList->isHidden());
        QTRY_VERIFY(window->ListView1->hasFocus());
        QCOMPARE(mode(window), u"browsing"_s);
        QCOMPARE(storedCount(kind), 1);
        click(window->CmdHideList);
        QCOMPARE(outerWidth(window), TransactionForm::kNarrowWidth);
    }

    void deleteAsksWithTheRecordNumber_data() { enterWalksTheEntryFields_data(); }

    void deleteAsksWithTheRecordNumber() {
        QFETCH(QString, kind);
        store(kind, 6, u"Salary"_s, u"10"_s);
        store(kind, 7, u"Salary"_s, u"20"_s);
        TransactionWindow* window = open(kind);
        doubleClickRow(window, 1);
        const QString picked = entries(window);
        QVERIFY(picked.startsWith(u"7|"_s));

        m_messages->answer({Msg::AnswerNo, Msg::AnswerYes});
        click(window->CmdDelete);
        QCOMPARE(lastMessage(), u"Are you sure you want to delete this record?\r\n\r\nRecord No. : 7"_s);
        QCOMPARE(m_messages->last().buttons, Msg::YesNoExclamation);
        QCOMPARE(storedCount(kind), 2);
        QCOMPARE(entries(window), picked);

        click(window->CmdDelete);
        QCOMPARE(lastMessage(), u"Record Deleted successfully"_s);
        QCOMPARE(storedRow(kind, 7), QString());
        QCOMPARE(storedCount(kind), 1);
        QTRY_COMPARE(window->ListView1->itemCount(), 1);
        QCOMPARE(window->LblTotal->text(), u"Total : Rs. 10"_s);
        QCOMPARE(entries(window), blankEntries());
        QCOMPARE(mode(window), u"browsing"_s);
        // The freed highest number is given again.
        click(window->CmdNew);
        QCOMPARE(window->TxtSrNo->text(), u"7"_s);
    }

    void updateWritesTheFieldsAsTheyAre_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("particulars");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("total");
        QTest::newRow("amount emptied")
            << kIncome << QString() << u"note"_s << u"2024-03-15|Salary|0|note"_s << u"Total : Rs. 5"_s;
        QTest::newRow("particulars only") << kExpenses << u"20"_s << u"new words"_s
                                          << u"2024-03-15|Salary|20|new words"_s << u"Total : Rs. 25"_s;
    }

    void updateWritesTheFieldsAsTheyAre() {
        QFETCH(QString, kind);
        QFETCH(QString, amount);
        QFETCH(QString, particulars);
        QFETCH(QString, stored);
        QFETCH(QString, total);
        store(kind, 1, u"Salary"_s, u"5"_s);
        store(kind, 2, u"Salary"_s, u"20"_s);
        TransactionWindow* window = open(kind);
        doubleClickRow(window, 1);
        click(window->CmdModify);
        QCOMPARE(mode(window), u"modifying"_s);
        window->TxtAmount->setText(amount);
        window->TxtParticulars->setPlainText(particulars);
        click(window->CmdModSave);
        QCOMPARE(lastMessage(), u"Updated Successfully"_s);
        QCOMPARE(storedRow(kind, 2), stored);
        QCOMPARE(storedCount(kind), 2);
        QCOMPARE(window->LblTotal->text(), total);
        QCOMPARE(entries(window), blankEntries());
        QCOMPARE(mode(window), u"browsing"_s);
        QTRY_VERIFY(window->CmdNew->hasFocus());
    }

    void incomeAndExpensesNumberIndependently() {
        TransactionWindow* income = open(kIncome);
        TransactionWindow* expenses = open(kExpenses);
        click(income->CmdNew);
        click(expenses->CmdNew);
        QCOMPARE(income->TxtSrNo->text(), u"1"_s);
        QCOMPARE(expenses->TxtSrNo->text(), u"1"_s);
        fillEntries(income, u"Salary"_s, u"50"_s, u"March"_s);
        click(income->CmdSave);
        click(income->CmdNew);
        QCOMPARE(income->TxtSrNo->text(), u"2"_s);
        click(expenses->CmdCancel);
        click(expenses->CmdNew);
        QCOMPARE(expenses->TxtSrNo->text(), u"1"_s);
        QCOMPARE(expenses->LblTotal->text(), u"Total : Rs. 0"_s);
    }

    void unreadableRecordLeavesTheFieldsAsTheyWere_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("breakRecord");
        QTest::newRow("empty list") << kIncome << u"Delete from Income"_s;
        QTest::newRow("null name") << kIncome << u"Update Income set IncSource=NULL where SrNo=2"_s;
        QTest::newRow("null date") << kExpenses << u"Update Expenses set ExpDate=NULL where SrNo=2"_s;
        QTest::newRow("record gone") << kExpenses << u"Delete from Expenses where SrNo=2"_s;
        // Written by another program: the amount box cannot hold it, so Update would store another figure.
        QTest::newRow("amount of six decimals")
            << kIncome << u"Update Income set IncAmount=0.123456 where SrNo=2"_s;
    }

    // A half-loaded record under another record's number could be saved over that record: a record that
    // cannot be read leaves the number and every field as they were before the double-click.
    void unreadableRecordLeavesTheFieldsAsTheyWere() {
        QFETCH(QString, kind);
        QFETCH(QString, breakRecord);
        store(kind, 1, u"Salary"_s, u"5"_s, u"first"_s);
        store(kind, 2, u"Rent"_s, u"7"_s, u"second"_s, u"2024-07-01"_s);
        TransactionWindow* window = open(kind);
        doubleClickRow(window, 0);
        const QString before = entries(window);
        QCOMPARE(before, u"1|2024-03-15|Salary|5|first"_s);

        execute(breakRecord);
        if (storedCount(kind) == 0) {
            window->FillList();
            QTest::mouseDClick(window->ListView1->viewport(), Qt::LeftButton, {}, QPoint(50, 10));
        } else {
            doubleClickRow(window, 1);
        }
        QCOMPARE(lastMessage(), u"No Data Available"_s);
        QCOMPARE(entries(window), before);
    }

    void amountsInTheUsersDecimalMark_data() {
        QTest::addColumn<QString>("entered");
        QTest::addColumn<bool>("typed");  // key by key, else pasted whole
        // What the box then shows | the amount stored, under a point and under a comma as decimal mark.
        QTest::addColumn<QString>("underPoint");
        QTest::addColumn<QString>("underComma");
        QTest::newRow("12,5 typed") << u"12,5"_s << true << u"5|5"_s << u"12,5|12.5"_s;
        QTest::newRow("12.5 typed") << u"12.5"_s << true << u"12.5|12.5"_s << u"5|5"_s;
        QTest::newRow("1.000 typed") << u"1.000"_s << true << u"1.000|1"_s << u"000|0"_s;
        QTest::newRow("1.000 pasted") << u"1.000"_s << false << u"1.000|1"_s << u"|"_s;
    }

    // Run under the locale CTest gives the process: the box takes that locale's decimal mark, never its group
    // mark; the list and total show the plain form; a picked record shows its amount with the user's mark
    // again, so Modify and Update change nothing.
    void amountsInTheUsersDecimalMark() {
        QFETCH(QString, entered);
        QFETCH(bool, typed);
        QFETCH(QString, underPoint);
        QFETCH(QString, underComma);
        const QString locale = qEnvironmentVariable("LC_ALL").section(u'.', 0, 0);
        const bool comma = locale == u"de_DE"_s || locale == u"tr_TR"_s;
        const QStringList expected = (comma ? underComma : underPoint).split(u'|');
        TransactionWindow* window = open(kIncome);
        click(window->CmdNew);
        if (typed) {
            QTest::keyClicks(window->TxtAmount, entered);
        } else {
            window->TxtAmount->setText(entered);
        }
        QCOMPARE(window->TxtAmount->text(), expected[0]);
        if (expected[0].isEmpty()) {
            return;
        }
        fillEntries(window, u"Salary"_s, QString(), u"x"_s);
        click(window->CmdSave);
        const QString saved = storedRow(kIncome, 1);
        QCOMPARE(saved.section(u'|', 2, 2), expected[1]);
        QTRY_COMPARE(window->ListView1->cellText(0, 3), expected[1]);
        QCOMPARE(window->LblTotal->text(), u"Total : Rs. "_s + expected[1]);
        doubleClickRow(window, 0);
        QCOMPARE(window->TxtAmount->text(), QString(expected[1]).replace(u'.', comma ? u',' : u'.'));
        click(window->CmdModify);
        click(window->CmdModSave);
        QCOMPARE(lastMessage(), u"Updated Successfully"_s);
        QCOMPARE(storedRow(kIncome, 1), saved);
    }

    void refusedWriteChangesNothing_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("reason");
        // After a double-click while adding, the fields hold a stored record's number.
        QTest::newRow("save over a stored number") << kIncome << u"save picked"_s << u"UNIQUE"_s;
        // Another program holding the database makes every write fail.
        QTest::newRow("save, locked") << kExpenses << u"save"_s << u"locked"_s;
        QTest::newRow("update, locked") << kIncome << u"update"_s << u"locked"_s;
        QTest::newRow("delete, locked") << kExpenses << u"delete"_s << u"locked"_s;
        // Another program deletes the picked record before the button is pressed.
        QTest::newRow("update, record gone") << kIncome << u"update"_s << u"No record was updated"_s;
        QTest::newRow("delete, record gone") << kExpenses << u"delete"_s << u"No record was deleted"_s;
    }

    // A refused write reports the engine's reason and no success; the table is as it was and the window keeps
    // its mode and the user's entries for another try. A write that finds its record gone says so, and a
    // delete then shows what is stored.
    void refusedWriteChangesNothing() {
        QFETCH(QString, kind);
        QFETCH(QString, action);
        QFETCH(QString, reason);
        store(kind, 1, u"Salary"_s, u"5"_s, u"first"_s);
        TransactionWindow* window = open(kind);
        if (action == u"save"_s) {
            click(window->CmdNew);
            fillEntries(window, u"Rent"_s, u"3"_s, u"second"_s);
        } else if (action == u"save picked"_s) {
            click(window->CmdNew);
            doubleClickRow(window, 0);
            window->TxtParticulars->setPlainText(u"changed"_s);
        } else {
            doubleClickRow(window, 0);
            if (action == u"update"_s) {
                click(window->CmdModify);
                window->TxtParticulars->setPlainText(u"changed"_s);
            }
        }
        const QString entered = entries(window);
        const QString modeBefore = mode(window);
        const bool gone = reason.startsWith(u"No record"_s);
        const bool emptied = reason == u"No record was deleted"_s;
        if (gone) {
            execute(u"Delete from "_s + tableOf(kind));
        }

        Connection other;
        if (reason == u"locked"_s) {
            other.Open(ConnectionString::forProgramFolder(m_folder->path().toStdString()));
            other.Execute("BEGIN EXCLUSIVE");
        }
        m_messages->answer({Msg::AnswerYes});
        click(action.startsWith(u"save"_s) ? window->CmdSave
              : action == u"update"_s      ? window->CmdModSave
                                           : window->CmdDelete);
        if (reason == u"locked"_s) {
            other.Execute("ROLLBACK");
        }
        QVERIFY2(lastMessage().contains(reason), qPrintable(lastMessage()));
        for (const auto& message : m_messages->messages()) {
            QVERIFY(!message.prompt.contains(u"success"_s, Qt::CaseInsensitive));
        }
        QCOMPARE(storedCount(kind), gone ? 0 : 1);
        QCOMPARE(storedRow(kind, 1), gone ? QString() : u"2024-03-15|Salary|5|first"_s);
        QCOMPARE(entries(window), emptied ? blankEntries() : entered);
        QCOMPARE(mode(window), modeBefore);
        QTRY_COMPARE(window->ListView1->itemCount(), emptied ? 0 : 1);
        QCOMPARE(window->LblTotal->text(), emptied ? u"Total : Rs. 0"_s : u"Total : Rs. 5"_s);
    }
};

QTEST_MAIN(TransactionWindowTest)
#include "test_TransactionWindow.moc"
