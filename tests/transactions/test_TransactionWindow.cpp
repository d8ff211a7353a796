// The income and expense windows driven as a user drives them: keys, clicks, pastes and double-clicks on the
// real controls, checked against what the window shows and what the tables hold.
#include <QtTest>
#include <QtWidgets>

#include <memory>
#include <optional>
#include <utility>

#include "tests/support/InjectedFault.h"
#include "tests/support/StoredRows.h"
#include "tests/support/WindowTestBed.h"
#include "transactions/DatePicker.h"
#include "transactions/frmExpenses.h"
#include "transactions/frmIncome.h"
#include "ui/ListView.h"
#include "ui/Module2.h"
#include "ui/SimpleCombo.h"
#include "ui/Twips.h"

using namespace Qt::StringLiterals;

namespace {

// A window's kind is the table it keeps.
const QString kIncome = u"Income"_s;
const QString kExpenses = u"Expenses"_s;

void execute(const QString& statement) {
    Module2::Connection().Execute(statement.toStdString());
}

// A record of 2024-03-15 with the particulars "note".
void store(const QString& kind, qint64 number, const QString& name, const QString& amount) {
    execute(
        u"Insert Into %1 values(%2,'2024-03-15','%3',%4,'note')"_s.arg(kind).arg(number).arg(name, amount));
}

// The stored record as "date|name|amount|particulars"; empty when there is none.
QString storedRow(const QString& kind, qint64 number) {
    return storedRows(u"Select * from %1 where SrNo=%2"_s.arg(kind).arg(number)).section(u'|', 1);
}

void paste(QWidget* box, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
}

// A row of the list, or with row -1 the blank space below its rows.
void doubleClickRow(TransactionWindow* window, int row) {
    ListView* list = window->ListView1;
    QTRY_VERIFY(list->itemCount() > row);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                       row < 0 ? QPoint(5, list->viewport()->height() - 3)
                               : list->visualRect(list->model()->index(row, 1)).center());
}

bool nameBoxIs(const TransactionWindow* window, int heightTwips) {
    return window->nameBox()->height() == Twips::toPixels(heightTwips);
}

QString mode(const TransactionWindow* window) {
    const bool entering = window->Frame1->isEnabled();
    if (entering != window->Frame2->isHidden() || entering == window->Frame3->isHidden()) {
        return {};
    }
    return !entering                        ? u"browsing"_s
           : window->CmdModSave->isHidden() ? u"adding"_s
           : window->CmdSave->isHidden()    ? u"modifying"_s
                                            : QString();
}

// The entries as "number|date|name|amount|particulars".
QString entries(const TransactionWindow* window) {
    return QStringList{window->TxtSrNo->text(), window->DTPicker1->date().toString(Qt::ISODate),
                       window->nameBox()->text(), window->TxtAmount->text(),
                       window->TxtParticulars->toPlainText()}
        .join(u'|');
}

// What the window shows: its entries, mode, width and Hide List button, the rows of its list and the figure
// of its total; the date of today as "today".
QString windowShows(const TransactionWindow* window) {
    const int width = Twips::fromPixels(window->client()->width()) + ChildWindow::kBorderTwips;
    const QString widthShown = width == TransactionForm::kNarrowWidth ? u"narrow"_s
                               : width == TransactionForm::kWideWidth ? u"wide"_s
                                                                      : QString::number(width);
    return QStringList{entries(window), mode(window),
                       widthShown + (window->CmdHideList->isHidden() ? u", no Hide List"_s : QString()),
                       QString::number(window->ListView1->itemCount()),
                       window->LblTotal->text().remove(u"Total : Rs. "_s)}
        .join(u'|')
        .replace(QDate::currentDate().toString(Qt::ISODate), u"today"_s);
}

// The kind's records, ',' between them, the date of today as "today"; a record as it was first stored shows
// as its number alone.
QString tableHolds(const QString& kind) {
    QStringList records = storedRows(u"Select * from "_s + kind)
                              .replace(QDate::currentDate().toString(Qt::ISODate), u"today"_s)
                              .split(u'\n', Qt::SkipEmptyParts);
    for (QString& record : records) {
        if (record.endsWith(u"|2024-03-15|Salary|10|note"_s)) {
            record = record.section(u'|', 0, 0);
        }
    }
    return records.join(u',');
}

}  // namespace

class TransactionWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowTestBed> m_bed;

    std::optional<InjectedFault> m_fault;
    QString m_beforeFault;  // what the window showed and the table held when the fault came

    TransactionWindow* open(const QString& kind) {
        TransactionWindow* window = kind == kIncome
                                        ? static_cast<TransactionWindow*>(new frmIncome(m_bed->area()))
                                        : new frmExpenses(m_bed->area());
        // A failure while it loads is told before the window shows.
        messages().onMessage([window](const MessageRecorder::Message&) { QVERIFY(!window->isVisible()); });
        window->load();
        messages().onMessage({});
        return window;
    }

    MessageRecorder& messages() { return m_bed->messages(); }

    // Steps separated by ';': a button by its name without "Cmd"; pick:N, a double-click on row N of the
    // list; key:, type:, a key or keys where the focus is; name:, amount:, particulars:, a box's text afresh;
    // yes, no, the next answer; gone, sql:, another program emptying the table or running a statement;
    // fault:, a fault until mend, which checks the window and table are as the fault found them; lockat:, the
    // book locked as the message named is shown; reopen:, the window reopened under the fault named; focus:.
    void act(TransactionWindow*& window, const QString& kind, const QString& script) {
        for (const QString& step : script.split(u';')) {
            const QString verb = step.section(u':', 0, 0);
            const QString text = step.section(u':', 1);
            if (verb == u"pick"_s) {
                doubleClickRow(window, text.toInt());
            } else if (verb == u"key"_s) {
                QTest::keyClick(QApplication::focusWidget(), QKeySequence(text)[0].key());
            } else if (verb == u"fault"_s) {
                m_beforeFault = windowShows(window) + tableHolds(kind);
                m_fault.emplace(text, m_bed->folder().path());
            } else if (verb == u"lockat"_s) {
                messages().onMessage([this, text](const MessageRecorder::Message& told) {
                    if (told.prompt == text) {
                        m_fault.emplace(u"locked"_s, m_bed->folder().path());
                    }
                });
            } else if (verb == u"mend"_s) {
                messages().onMessage({});
                m_fault.reset();
                if (!m_beforeFault.isEmpty()) {
                    QCOMPARE(windowShows(window) + tableHolds(kind), std::exchange(m_beforeFault, {}));
                }
            } else if (verb == u"reopen"_s) {
                window->close();
                std::optional<InjectedFault> fault;
                if (!text.isEmpty()) {
                    fault.emplace(text, m_bed->folder().path());
                }
                window = open(kind);
            } else if (verb == u"name"_s || verb == u"amount"_s) {
                auto* box = verb == u"name"_s ? window->nameBox()->editField() : window->TxtAmount;
                box->clear();
                QTest::keyClicks(box, text);
            } else if (verb == u"particulars"_s) {
                window->TxtParticulars->setPlainText(text);
            } else if (verb == u"yes"_s || verb == u"no"_s) {
                messages().answer({verb == u"yes"_s ? Msg::AnswerYes : Msg::AnswerNo});
            } else if (verb == u"type"_s) {
                QTest::keyClicks(QApplication::focusWidget(), text);
            } else if (verb == u"focus"_s) {
                QTRY_VERIFY2(window->findChild<QWidget*>(text)->hasFocus(), qPrintable(text));
            } else if (verb == u"gone"_s || verb == u"sql"_s) {
                execute(verb == u"gone"_s ? u"Delete from "_s + kind : text);
            } else {
                auto* button = window->findChild<QPushButton*>(u"Cmd"_s + verb);
                QVERIFY2(button->isVisible(), qPrintable(button->objectName()));
                QTest::mouseClick(button, Qt::LeftButton);
            }
        }
    }

private slots:
    void initTestCase() { InjectedFault::installDiskLayer(); }

    void init() {
        m_bed = std::make_unique<WindowTestBed>();
        QVERIFY(QTest::qWaitForWindowActive(&m_bed->frame()));
        execute(
            u"Insert Into GMaster values(1,'Salary','2'),(2,'Rent','1'),(3,'bonus','2'),(4,'Food','1')"_s);
    }

    void cleanup() {
        m_fault.reset();
        m_bed.reset();
        QTRY_VERIFY(visibleTopLevelWindows().isEmpty());
    }

    void userActions_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("records");  // the numbers of the records stored before the window opens
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("told");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("table");
        const auto row = [](const char* name, const QString& kind, const QString& records,
                            const QString& script, const QString& told, const QString& shown,
                            const QString& table) {
            QTest::newRow(name) << kind << records << script << told << shown << table;
        };
        const QString opened = u"|2008-05-04||||browsing|narrow|"_s;
        const QString blank = u"|today||||browsing|narrow|"_s;
        const QString ask = u"Are you sure you want to delete this record?\r\n\r\nRecord No. : "_s;
        const QString select = u"Select Record first\r\n\r\nDouble click on grid to select Record"_s;

        row("no number after the largest", kExpenses, u"9223372036854775807"_s, u"New"_s,
            u"failed: Record number 9223372036854775808 cannot be used"_s, opened + u"1|10"_s,
            u"9223372036854775807"_s);

        // Save names the first entry missing and focuses it (a letter empties the amount); Cancel drops all.
        // New offers the number after the largest stored, not after the count of records.
        row("Save with an entry missing", kIncome, u"2,3"_s,
            u"New;Save;focus:CboSource;name:Salary;amount:12a;Save;focus:TxtAmount;amount:12;Save;"
            u"focus:TxtParticulars"_s,
            u"Please select income source / Please enter income amount / Please enter income particulars"_s,
            u"4|today|Salary|12||adding|narrow|2|20"_s, u"2,3"_s);
        row("Save without a category, then amount, then particulars", kExpenses, {},
            u"New;Save;focus:CboCategory;name:Rent;amount:x;Save;focus:TxtAmount;amount:5;Save;"
            u"focus:TxtParticulars"_s,
            u"Please select expense category / Please enter expense amount / Please enter expense "
            u"particulars"_s,
            u"1|today|Rent|5||adding|narrow|0|0"_s, {});
        row("Cancel after New", kExpenses, {}, u"New;name:Rent;amount:9;particulars:x;Cancel"_s, {},
            blank + u"0|0"_s, {});

        // Modify and Delete with nothing picked show the list, which Hide List hides again.
        row("Modify, nothing picked", kIncome, u"1"_s, u"HideList;Modify;focus:ListView1;HideList"_s, select,
            u"|2008-05-04||||browsing|narrow, no Hide List|1|10"_s, u"1"_s);
        row("Delete, nothing picked", kExpenses, u"1"_s, u"HideList;Delete;focus:ListView1"_s,
            u"Nothing to delete\r\n\r\nSelect record first\r\n\r\nDouble click on grid to select record"_s,
            u"|2008-05-04||||browsing|wide|1|10"_s, u"1"_s);
        // Delete asks first, naming the record; New gives the number after the largest stored, the freed one.
        row("Delete asks", kExpenses, u"6,7"_s, u"pick:1;no;Delete;yes;Delete;New"_s,
            u"asked: "_s + ask + u"7 / asked: "_s + ask + u"7 / Record Deleted successfully"_s,
            u"7|today||||adding|narrow|1|10"_s, u"6"_s);

        // Update writes the fields as they stand, an emptied amount as 0.
        row("Update, amount emptied", kIncome, u"1,2"_s, u"pick:1;Modify;amount:;ModSave;focus:CmdNew"_s,
            u"Updated Successfully"_s, blank + u"2|10"_s, u"1,2|2024-03-15|Salary|0|note"_s);

        // A refused write keeps window and table; one whose record another program deleted says so.
        row("Save over a picked number", kIncome, u"1"_s, u"New;pick:0;particulars:changed;Save"_s,
            u"failed: UNIQUE constraint failed"_s, u"1|2024-03-15|Salary|10|changed|adding|narrow|1|10"_s,
            u"1"_s);
        row("Update, record gone", kIncome, u"1"_s, u"pick:0;Modify;particulars:changed;gone;ModSave"_s,
            u"No record was updated"_s, u"1|2024-03-15|Salary|10|changed|modifying|narrow|1|10"_s, {});
        row("Delete, record gone", kExpenses, u"1"_s, u"pick:0;gone;yes;Delete"_s,
            u"asked: "_s + ask + u"1 / No record was deleted"_s, blank + u"0|0"_s, {});

        // An unreadable record leaves number and fields alone: half loaded, it could be saved over another.
        const QString first = u"1|2024-03-15|Salary|10|note|browsing|narrow|2|20"_s;
        row("pick on an empty list", kIncome, {}, u"pick:-1"_s, u"No Data Available"_s, opened + u"0|0"_s,
            {});
        row("pick a null name", kIncome, u"1,2"_s,
            u"pick:0;sql:Update Income set IncDate='2024-07-01',IncSource=NULL where SrNo=2;pick:1"_s,
            u"No Data Available"_s, first, u"1,2|2024-07-01||10|note"_s);
        row("pick a null date", kExpenses, u"1,2"_s,
            u"pick:0;sql:Update Expenses set ExpDate=NULL where SrNo=2;pick:1"_s, u"No Data Available"_s,
            first, u"1,2||Salary|10|note"_s);
        row("pick a record gone", kExpenses, u"1,2"_s,
            u"pick:0;sql:Delete from Expenses where SrNo=2;pick:1"_s, u"No Data Available"_s, first, u"1"_s);
        // Written by another program: the amount box cannot hold it, so Update would store another figure.
        row("pick an amount of six decimals", kIncome, u"1,2"_s,
            u"pick:0;sql:Update Income set IncDate='2024-07-01',IncAmount=0.123456 where SrNo=2;pick:1"_s,
            u"No Data Available"_s, first, u"1,2|2024-07-01|Salary|0.123456|note"_s);
        row("pick an amount of twelve digits", kExpenses, u"1,2"_s,
            u"pick:0;sql:Update Expenses set ExpAmount=123456789012.5 where SrNo=2;pick:1"_s,
            u"No Data Available"_s, first, u"1,2|2024-03-15|Salary|123456789012.5|note"_s);

        // A refused write is told once, window and table kept; the fault gone, the same button writes (the
        // expense window runs the same code). The particulars need pages of their own, so a full disk stops
        // them; a delete needs none.
        const QString longText = QString(u"long particulars "_s).repeated(1200);
        for (const auto& [fault, reason] : {std::pair{u"locked"_s, u"database is locked"_s},
                                            {u"disk full"_s, u"database or disk is full"_s},
                                            {u"write error"_s, u"disk I/O error"_s}}) {
            const QString failed = u"failed: "_s + reason + u" / "_s;
            const QString name = u"Income, "_s + fault;
            row(qPrintable(u"Save, "_s + name), kIncome, u"1"_s,
                u"New;name:Rent;amount:12;particulars:%1;fault:%2;Save;mend;Save"_s.arg(longText, fault),
                failed + u"Saved successfully"_s, blank + u"2|22"_s, u"1,2|today|Rent|12|"_s + longText);
            row(qPrintable(u"Update, "_s + name), kIncome, u"1"_s,
                u"pick:0;Modify;amount:99;particulars:%1;fault:%2;ModSave;mend;ModSave"_s.arg(longText,
                                                                                              fault),
                failed + u"Updated Successfully"_s, blank + u"1|99"_s,
                u"1|2024-03-15|Salary|99|"_s + longText);
            if (fault != u"disk full"_s) {
                row(qPrintable(u"Delete, "_s + name), kIncome, u"1"_s,
                    u"pick:0;fault:%1;yes;Delete;mend;yes;Delete"_s.arg(fault),
                    u"asked: %1 / %2asked: %1 / Record Deleted successfully"_s.arg(ask + u'1', failed),
                    blank + u"0|0"_s, {});
            }
        }
        // Opened while the book is locked: each failing step told, the window empty; reopened, it fills.
        const QString lockedTwice =
            u"(0) database is locked (another program is using the database file; try "
            u"again when it has finished) / failed: database is locked"_s;
        row("opened while locked", kIncome, u"1"_s, u"reopen:locked"_s, lockedTwice, opened + u"0|Total"_s,
            u"1"_s);
        row("opened again after the lock", kExpenses, u"1"_s, u"reopen:locked;reopen:"_s, lockedTwice,
            opened + u"1|10"_s, u"1"_s);
        // Locked between Save and the list's refill: stored once, Save again refused, New gives the next.
        row("locked between Save and refill", kIncome, u"1"_s,
            u"New;name:Rent;amount:12;particulars:x;lockat:Saved successfully;Save;mend;Save;Cancel;New"_s,
            u"Saved successfully / failed: database is locked / failed: UNIQUE constraint failed"_s,
            u"3|today||||adding|narrow|0|10"_s, u"1,2|today|Rent|12|x"_s);
    }

    // The user's steps, and then what the user was told, what the window shows and what the table holds.
    void userActions() {
        QFETCH(QString, kind);
        QFETCH(QString, records);
        QFETCH(QString, script);
        QFETCH(QString, told);
        QFETCH(QString, shown);
        QFETCH(QString, table);
        for (const QString& number : records.split(u',', Qt::SkipEmptyParts)) {
            store(kind, number.toLongLong(), u"Salary"_s, u"10"_s);
        }
        TransactionWindow* window = open(kind);
        act(window, kind, script);
        QCOMPARE(messages().told(), told);
        QTRY_COMPARE(windowShows(window), shown);
        QCOMPARE(tableHolds(kind), table);
    }

    void keysWalkTheWindow_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("names");  // the kind's names as listed, the one picked last
        QTest::addColumn<int>("heightAfterEscape");
        QTest::addColumn<QStringList>("afterList");  // Tab from the list while browsing, then while modifying
        QTest::newRow("income") << kIncome << u",bonus,Salary,Wages"_s.split(u',')
                                << TransactionForm::kListClosedHeight
                                << u"CmdHideList,CmdModify,CmdDelete,CmdModSave,CmdCancel"_s.split(u',');
        QTest::newRow("expenses") << kExpenses << u"Food,Rent,Water"_s.split(u',')
                                  << TransactionForm::kListOpenHeight
                                  << u"CmdDelete,CmdModify,CmdHideList,CmdCancel,CmdModSave"_s.split(u',');
    }

    // Names numbered beyond a list entry are left out, told plainly; an unnamed one lists blank. Enter moves
    // on from each field (the particulars box takes its line break first). The name box's list opens over the
    // boxes below while it has the focus (Escape closes it in the income window only; typing opens it); the
    // arrows pick, typing selects the first name it begins, a click takes it. Tab from the list walks the
    // kind's buttons.
    void keysWalkTheWindow() {
        QFETCH(QString, kind);
        QFETCH(QStringList, names);
        QFETCH(int, heightAfterEscape);
        QFETCH(QStringList, afterList);
        execute(
            u"Insert Into GMaster values(0,NULL,'2'),(5000000000,'Wages','2'),(5000000001,'Water','1')"_s);
        TransactionWindow* window = open(kind);
        SimpleCombo* box = window->nameBox();
        QCOMPARE(messages().told(), u"(0) The number %1 is too large for a list entry."_s.arg(
                                        kind == kIncome ? u"5000000000"_s : u"5000000001"_s));
        act(window, kind, u"New;focus:DTPicker1;key:Return;focus:"_s + box->objectName());
        QTRY_VERIFY(nameBoxIs(window, TransactionForm::kListOpenHeight));
        const QPoint amountBox =
            window->TxtAmount->mapTo(window->client(), window->TxtAmount->rect().center());
        QVERIFY(box->isAncestorOf(window->client()->childAt(amountBox)));
        QStringList listed;
        for (int i = 0; i < box->count(); ++i) {
            listed << box->itemText(i);
        }
        QCOMPARE(listed, names);
        act(window, kind, u"key:Down;key:Down;key:Up;key:Down"_s);
        QCOMPARE(box->text(), names.at(1));
        act(window, kind, u"key:Escape;focus:"_s + box->objectName());
        QTRY_VERIFY(nameBoxIs(window, heightAfterEscape));
        const QString picked = names.last();
        act(window, kind, u"type:"_s + picked.left(3).toLower() + u'x');
        QVERIFY(nameBoxIs(window, TransactionForm::kListOpenHeight));
        QCOMPARE(box->listIndex(), -1);
        act(window, kind, u"key:Backspace"_s);
        QCOMPARE(box->listIndex(), names.size() - 1);
        QTest::mouseClick(box->list()->viewport(), Qt::LeftButton, {},
                          box->list()->visualItemRect(box->list()->currentItem()).center());
        QCOMPARE(box->text(), picked);
        QVERIFY(box->hasFocus() && nameBoxIs(window, TransactionForm::kListOpenHeight));
        act(window, kind, u"key:Enter;focus:TxtAmount"_s);
        QVERIFY(nameBoxIs(window, TransactionForm::kListClosedHeight));
        act(window, kind, u"type:100;key:Return;focus:TxtParticulars;type:first;key:Return;focus:CmdSave"_s);
        QCOMPARE(window->TxtParticulars->toPlainText(), u"first\n"_s);
        act(window, kind, u"Save"_s);
        QCOMPARE(storedRow(kind, 1).section(u'|', 1), picked + u"|100|first\n"_s);

        QStringList walked;
        for (const int buttons : {3, 2}) {
            if (buttons == 2) {
                act(window, kind, u"pick:0;Modify"_s);
            }
            window->ListView1->setFocus();
            QTRY_VERIFY(window->ListView1->hasFocus());
            for (int i = 0; i < buttons; ++i) {
                act(window, kind, u"key:Tab"_s);
                walked << QApplication::focusWidget()->objectName();
            }
        }
        QCOMPARE(walked, afterList);
    }

    void entriesAreStoredListedAndReadBackExactly_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<qint64>("earlier");  // the number of the record stored before, its amount 0.1
        QTest::addColumn<QString>("day");     // yyyy-MM-dd, or the picker's first or last day
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("particulars");
        QTest::addColumn<QString>("amount");  // as written under a decimal point
        QTest::addColumn<bool>("typed");      // key by key, else pasted whole
        QTest::addColumn<QString>("kept");  // what the amount box then holds; empty when it refused the text
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("total");
        const auto text = [](const char* row, const QString& name, const QString& particulars,
                             const QString& kind = kIncome, const QString& day = u"2024-02-29"_s,
                             qint64 earlier = 1) {
            QTest::newRow(row) << kind << earlier << day << name << particulars << u"5"_s << true << u"5"_s
                               << u"5"_s << u"5.1"_s;
        };
        const auto amount = [](const QString& entered, bool typed, const QString& kept, const QString& stored,
                               const QString& total) {
            QTest::newRow(qPrintable(entered + (typed ? u" typed"_s : QString())))
                << kIncome << qint64{1} << u"2024-02-29"_s << u"Salary"_s << u"x"_s << entered << typed
                << kept << stored << total;
        };
        // Its name is not in the list.
        text("record number beyond 10^15", u"Lottery"_s, u"March"_s, kExpenses, u"2024-02-29"_s,
             1000000000000456);
        text("first day of the picker", u"Salary"_s, u"edge of the calendar"_s, kIncome, u"first"_s);
        text("last day of the picker", u"Rent"_s, u"edge of the calendar"_s, kExpenses, u"last"_s);
        text("name of 40,000 characters, particulars of 1 MB", QString(u"Nm"_s).repeated(20000),
             QString(u"Paid in cash at the market, receipt kept in the blue file 0123\n"_s).repeated(16384));
        // No text column holds a NUL: the boxes drop it and keep the rest.
        text("NUL and control characters", u"Gift\0 Card\ta\x01\x1f\x7f"_s,
             u"\0in cash\0\0,\n\0kept\0\tcol1\x02\x1b[31m\x0b\x0c end"_s);
        text("emoji, right-to-left and other non-ASCII",
             u"Gift \U0001F381 \u0645\u0631\u062A\u0628 \u00ff\u00fe\uFEFF"_s,
             u"\U0001F468\u200D\U0001F469\u200D\U0001F467 \U0001F4B0 \u202E\u05E9\u05DC\u05D5\u05DD abc "
             u"\u0627\u0644\u0633\u0644\u0627\u0645 \uFFFD\uFFFF"_s);
        // A century is a leap year only when its number divides by 400, as 2000's does.
        text("statement break-out and quotes, on 2000-02-29", u"'); DROP TABLE Income; -- \\' ''''"_s,
             u"x'); Delete from GMaster; -- \\'\\\\' '"_s, kIncome, u"2000-02-29"_s);
        text("particulars of blanks only", u"Salary"_s, u"   "_s);

        // Typed key by key, the group mark or a second mark empties the amount box and typing goes on.
        amount(u"12.5"_s, true, u"12.5"_s, u"12.5"_s, u"12.6"_s);
        amount(u"12,5"_s, true, u"5"_s, u"5"_s, u"5.1"_s);
        amount(u"1.000"_s, true, u"1.000"_s, u"1"_s, u"1.1"_s);
        amount(u"1,000"_s, true, u"000"_s, u"0"_s, u"0.1"_s);
        // Pasted whole, a text that would store another value leaves the box empty; the rest are kept, then
        // stored and totalled beside the earlier 0.1 as given.
        for (const char* refused :
             {"1,000", "1e308", "1e400", "9007199254740993", "0.00001", "-5", ".", "-", "--1", "1e+",
              "1e-999", "1.2.3", "1 2", "0x10", "100000000000", "1,000.5"}) {
            amount(QString::fromLatin1(refused), false, {}, {}, {});
        }
        for (const char* kept : {"0.0001|0.0001|0.1001", "0.00010|0.0001|0.1001", "1.5E+2|150|150.1",
                                 "2.5e-1|0.25|0.35", "  12.5  |12.5|12.6", "-0|0|0.1", "+5|5|5.1",
                                 ".5|0.5|0.6", "5.|5|5.1", "99999999999.9|99999999999.9|100000000000",
                                 "99999999999.9999|99999999999.9999|100000000000.0999"}) {
            const QStringList entered = QString::fromLatin1(kept).split(u'|');
            amount(entered[0], false, entered[0], entered[1], entered[2]);
        }
    }

    // Also run under other locales, amounts written with their decimal mark. Saved, the table holds exactly
    // what was entered (the amount in plain form) and nothing else changes; list and total show it; picked,
    // the record shows as entered, so Modify and Update change nothing.
    void entriesAreStoredListedAndReadBackExactly() {
        QFETCH(QString, kind);
        QFETCH(qint64, earlier);
        QFETCH(QString, day);
        QFETCH(QString, name);
        QFETCH(QString, particulars);
        QFETCH(QString, amount);
        QFETCH(bool, typed);
        QFETCH(QString, kept);
        QFETCH(QString, stored);
        QFETCH(QString, total);
        const bool comma = QLocale().decimalPoint() == u","_s;
        // An amount as the user writes it, from its form under a decimal point.
        const auto usersForm = [comma](QString amount) {
            for (QChar& c : amount) {
                c = !comma ? c : c == u'.' ? u',' : c == u',' ? u'.' : c;
            }
            return amount;
        };
        store(kind, earlier, u"Earlier"_s, u"0.1"_s);
        const QString number = QString::number(earlier + 1);
        const auto everythingElse = [&] {
            return storedRows(u"Select * from GMaster"_s) + u"\n--\n"_s +
                   storedRows(u"Select * from Income where SrNo<>"_s + number) + u"\n--\n"_s +
                   storedRows(u"Select * from Expenses where SrNo<>"_s + number);
        };
        const QString others = everythingElse();
        TransactionWindow* window = open(kind);
        act(window, kind, u"New"_s);
        const QDate date = day == u"first"_s  ? window->DTPicker1->minimumDate()
                           : day == u"last"_s ? window->DTPicker1->maximumDate()
                                              : QDate::fromString(day, Qt::ISODate);
        window->DTPicker1->setDate(date);
        paste(window->nameBox()->editField(), name);
        paste(window->TxtParticulars, particulars);
        if (typed) {
            QTest::keyClicks(window->TxtAmount, usersForm(amount));
        } else {
            window->TxtAmount->setText(usersForm(amount));
        }
        QCOMPARE(window->TxtAmount->text(), usersForm(kept));
        if (kept.isEmpty()) {
            return;
        }
        act(window, kind, u"Save"_s);

        name.remove(QChar());
        particulars.remove(QChar());
        const QString saved = QStringList{date.toString(Qt::ISODate), name, stored, particulars}.join(u'|');
        QCOMPARE(storedRow(kind, earlier + 1), saved);
        QCOMPARE(everythingElse(), others);
        QTRY_COMPARE(windowShows(window), u"|today||||browsing|narrow|2|"_s + total);
        QCOMPARE(window->ListView1->cellText(1, 2), name);
        QCOMPARE(window->ListView1->cellText(1, 3), stored);

        doubleClickRow(window, 1);
        QCOMPARE(entries(window),
                 QStringList({number, date.toString(Qt::ISODate), name, usersForm(stored), particulars})
                     .join(u'|'));
        act(window, kind, u"Modify;ModSave"_s);
        QCOMPARE(messages().told(), u"Saved successfully / Updated Successfully"_s);
        QCOMPARE(storedRow(kind, earlier + 1), saved);
    }
};

QTEST_MAIN(TransactionWindowTest)
#include "test_TransactionWindow.moc"
