// The master data window driven through its controls: numbering, saving, renaming, modes and failures.
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

#include <memory>

#include "data/DbError.h"
#include "data/Recordset.h"
#include "master/frmGMaster.h"
#include "tests/support/MessageRecorder.h"
#include "tests/support/TopLevelWindows.h"
#include "tests/support/WindowTestBed.h"
#include "ui/ListView.h"
#include "ui/Module2.h"

using namespace Qt::StringLiterals;

namespace {

const QString kIncome = u"2"_s;
const QString kExpense = u"1"_s;

// Income sources 1 to 3, expense categories 4 and 5.
const QString kSeedTable = u"1:Salary:2,2:Rent:2,3:Interest:2,4:Food:1,5:Fuel:1"_s;
const QString kIncomeList = u"1:Salary,2:Rent,3:Interest"_s;
const QString kExpenseList = u"4:Food,5:Fuel"_s;
// Number box | name box | name box enabled | New enabled | Save enabled | Save caption | Cancel caption.
const QString kOpened = u"||off|on|on|&Save|Exit"_s;
const QString kIdle = u"||off|on|off|&Save|Exit"_s;

void execute(const QString& statement) {
    Module2::Connection().Execute(statement.toStdString());
}

void addCase(const char* name, bool seeded, const QString& script, const QString& state, const QString& shown,
             const QString& list, const QString& table) {
    QTest::newRow(name) << seeded << script << state << shown << list << table;
}

}  // namespace

class TestFrmGMaster : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void userActions_data();
    void userActions();
    void focusAfter_data();
    void focusAfter();
    void exitClosesAndNextOpeningStartsAfresh();
    void failingFillReachesTheOpener();
    void nameLabelFitsEitherKind();

private:
    // Opens the window for one kind as the main window does: caption, fill, show, label, MasterType.
    void open(const QString& kind);
    // Runs a script of user actions separated by ';'. Gives an empty text, or what went wrong.
    QString act(const QString& script);
    QString doubleClickEntry(const QString& number);
    QString snapshot() const;
    QString listed() const;
    QString stored() const;
    QString messages() const;

    std::unique_ptr<WindowTestBed> m_bed;
    QPointer<frmGMaster> m_window;
};

void TestFrmGMaster::init() {
    m_bed = std::make_unique<WindowTestBed>();
    Module2::MasterType().clear();
    QVERIFY(QTest::qWaitForWindowActive(&m_bed->frame()));
}

void TestFrmGMaster::cleanup() {
    m_bed.reset();
    QVERIFY(visibleTopLevelWindows().isEmpty());
}

void TestFrmGMaster::open(const QString& kind) {
    const bool income = kind == kIncome;
    if (m_window.isNull()) {
        m_window = new frmGMaster(m_bed->area());
        m_window->load();
    }
    m_window->setWindowTitle(income ? u"  Income Source Master"_s : u"  Exp. Category Master"_s);
    if (income) {
        m_window->FillIncome();
    } else {
        m_window->FillExpense();
    }
    m_window->show();
    m_window->Label2->setText(income ? u"Source : "_s : u"Exp. Category : "_s);
    Module2::MasterType() = kind;
}

QString TestFrmGMaster::act(const QString& script) {
    for (const QString& step : script.split(u';', Qt::SkipEmptyParts)) {
        const QString verb = step.section(u':', 0, 0);
        const QString argument = step.section(u':', 1);
        if (verb == u"new"_s) {
            QTest::mouseClick(m_window->CmdNew, Qt::LeftButton);
        } else if (verb == u"save"_s) {
            QTest::mouseClick(m_window->CmdSave, Qt::LeftButton);
        } else if (verb == u"cancel"_s) {
            QTest::mouseClick(m_window->CmdCancel, Qt::LeftButton);
        } else if (verb == u"type"_s) {
            QTest::keyClicks(m_window->TxtGName, argument);
        } else if (verb == u"paste"_s) {
            QGuiApplication::clipboard()->setText(argument);
            QTest::keyClick(m_window->TxtGName, Qt::Key_V, Qt::ControlModifier);
        } else if (verb == u"clear"_s) {
            m_window->TxtGName->selectAll();
            QTest::keyClick(m_window->TxtGName, Qt::Key_Backspace);
        } else if (verb == u"dbl"_s) {
            const QString failure = doubleClickEntry(argument);
            if (!failure.isEmpty()) {
                return failure;
            }
        } else if (verb == u"mode"_s) {
            open(argument);
        } else if (verb == u"gone"_s) {
            // Another program removes the entry from the file while the window lists it.
            execute(u"Delete from GMaster where SrNo="_s + argument);
        } else if (verb == u"renamed"_s) {
            execute(u"Update GMaster set GName='%1' where SrNo=%2"_s.arg(argument.section(u':', 1),
                                                                         argument.section(u':', 0, 0)));
        } else if (verb == u"taken"_s) {
            execute(u"Insert Into GMaster(SrNo,GName,GType) values(%1,'Taken','1')"_s.arg(argument));
        } else {
            return u"unknown step "_s + step;
        }
    }
    return {};
}

QString TestFrmGMaster::doubleClickEntry(const QString& number) {
    ListView* list = m_window->ListView1;
    // "none" stands for the blank space below the entries.
    QPoint where(5, list->viewport()->height() - 3);
    if (number != u"none"_s) {
        int row = 0;
        while (row < list->itemCount() && list->cellText(row, 0) != number) {
            ++row;
        }
        if (row == list->itemCount()) {
            return u"no entry "_s + number + u" in the list"_s;
        }
        where = list->visualRect(list->model()->index(row, 1)).center();
    }
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, where);
    return {};
}

QString TestFrmGMaster::snapshot() const {
    const auto onOff = [](const QWidget* widget) { return widget->isEnabled() ? u"on"_s : u"off"_s; };
    return QStringList{m_window->TxtSrNo->text(),  m_window->TxtGName->text(), onOff(m_window->TxtGName),
                       onOff(m_window->CmdNew),    onOff(m_window->CmdSave),   m_window->CmdSave->text(),
                       m_window->CmdCancel->text()}
        .join(u'|');
}

QString TestFrmGMaster::listed() const {
    QStringList rows;
    const ListView* list = m_window->ListView1;
    for (int row = 0; row < list->itemCount(); ++row) {
        rows << list->cellText(row, 0) + u':' + list->cellText(row, 1);
    }
    return rows.join(u',');
}

QString TestFrmGMaster::stored() const {
    Recordset table;
    table.Open("Select SrNo,GName,GType from GMaster order by SrNo", Module2::Connection(),
               Recordset::adOpenStatic, Recordset::adLockBatchOptimistic);
    QStringList rows;
    for (; !table.Eof(); table.MoveNext()) {
        rows << QString::fromStdString(table.Fields(0).toText() + ':' + table.Fields(1).toText() + ':' +
                                       table.Fields(2).toText());
    }
    return rows.join(u',');
}

// The messages shown, in order; a failure's own description is engine text, so it stands as "failure".
QString TestFrmGMaster::messages() const {
    QStringList shown;
    for (const MessageRecorder::Message& message : m_bed->messages().messages()) {
        if (message.buttons == Msg::OkInformation && message.title == u"Orvella"_s) {
            shown << message.prompt;
        } else if (message.buttons == Msg::OkExclamation && !message.prompt.isEmpty()) {
            shown << u"failure"_s;
        } else {
            shown << u"unexpected: %1 (%2) %3"_s.arg(message.prompt).arg(message.buttons).arg(message.title);
        }
    }
    return shown.join(u'|');
}

void TestFrmGMaster::userActions_data() {
    QTest::addColumn<bool>("seeded");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("table");

    const QString seedPlusGift = kSeedTable + u",6:Gift:2"_s;
    const QString newSix = u"6||on|off|on|&Save|Cancel"_s;

    // Opening and numbering.
    addCase("opened", true, u""_s, kOpened, u""_s, kIncomeList, kSeedTable);
    addCase("New on an empty table proposes 1", false, u"new"_s, u"1||on|off|on|&Save|Cancel"_s, u""_s, u""_s,
            u""_s);
    addCase("New counts both kinds (income)", true, u"new"_s, newSix, u""_s, kIncomeList, kSeedTable);
    addCase("New counts both kinds (expense)", true, u"mode:1;new"_s, newSix, u""_s, kExpenseList,
            kSeedTable);
    addCase("Cancel during a new entry", true, u"new;type:Gift;cancel"_s, u"6|Gift|off|on|off|&Save|Exit"_s,
            u""_s, kIncomeList, kSeedTable);

    // Saving new entries.
    addCase("income source", true, u"new;type:Gift;save"_s, kIdle, u"Saved successfully"_s,
            kIncomeList + u",6:Gift"_s, seedPlusGift);
    addCase("expense category", true, u"mode:1;new;type:Rent;save"_s, kIdle, u"Saved successfully"_s,
            kExpenseList + u",6:Rent"_s, kSeedTable + u",6:Rent:1"_s);
    addCase("apostrophe", true, u"new;type:Children's school;save"_s, kIdle, u"Saved successfully"_s,
            kIncomeList + u",6:Children's school"_s, kSeedTable + u",6:Children's school:2"_s);
    const QString longName = QString(u"Nm"_s).repeated(20000);
    addCase("name of 40,000 characters", true, u"new;paste:"_s + longName + u";save"_s, kIdle,
            u"Saved successfully"_s, kIncomeList + u",6:"_s + longName,
            kSeedTable + u",6:"_s + longName + u":2"_s);
    // No text column holds a NUL: the box drops it and keeps the rest.
    addCase("NUL in a name", true, u"new;paste:\0Gift\0 Card\0;save"_s, kIdle, u"Saved successfully"_s,
            kIncomeList + u",6:Gift Card"_s, kSeedTable + u",6:Gift Card:2"_s);
    addCase("name of blanks", true, u"new;type:   ;save"_s, kIdle, u"Saved successfully"_s,
            kIncomeList + u",6:   "_s, kSeedTable + u",6:   :2"_s);
    addCase("Save right after opening", true, u"save"_s, kOpened, u"Please enter data"_s, kIncomeList,
            kSeedTable);
    addCase("empty name keeps the proposed number", true, u"new;save"_s, newSix, u"Please enter data"_s,
            kIncomeList, kSeedTable);
    addCase("name typed after the refusal", true, u"new;save;type:Gift;save"_s, kIdle,
            u"Please enter data|Saved successfully"_s, kIncomeList + u",6:Gift"_s, seedPlusGift);
    addCase("number already taken", true, u"new;taken:6;type:Gift;save"_s, u"6|Gift|on|off|on|&Save|Cancel"_s,
            u"failure"_s, kIncomeList, kSeedTable + u",6:Taken:1"_s);

    // Loading and renaming.
    addCase("double-click loads", true, u"dbl:2"_s, u"2|Rent|on|on|on|&Update|Exit"_s, u""_s, kIncomeList,
            kSeedTable);
    addCase("the name comes from the file", true, u"renamed:2:Lease;dbl:2"_s,
            u"2|Lease|on|on|on|&Update|Exit"_s, u""_s, kIncomeList,
            u"1:Salary:2,2:Lease:2,3:Interest:2,4:Food:1,5:Fuel:1"_s);
    addCase("double-click beside the entries", true, u"new;dbl:none"_s, newSix, u""_s, kIncomeList,
            kSeedTable);
    addCase("double-click on an empty list", false, u"dbl:none"_s, kOpened, u""_s, u""_s, u""_s);
    addCase("rename", true, u"dbl:2;clear;type:Rent Income;save"_s, u"||on|on|on|&Save|Exit"_s,
            u"Updated successfully"_s, u"1:Salary,2:Rent Income,3:Interest"_s,
            u"1:Salary:2,2:Rent Income:2,3:Interest:2,4:Food:1,5:Fuel:1"_s);
    addCase("rename to nothing", true, u"dbl:2;clear;save"_s, u"2||on|on|on|&Update|Exit"_s,
            u"PLease enter data"_s, kIncomeList, kSeedTable);
    addCase("renames one after another", true,
            u"dbl:1;clear;type:Wages;save;dbl:3;clear;type:Bank Interest;save"_s, u"||on|on|on|&Save|Exit"_s,
            u"Updated successfully|Updated successfully"_s, u"1:Wages,2:Rent,3:Bank Interest"_s,
            u"1:Wages:2,2:Rent:2,3:Bank Interest:2,4:Food:1,5:Fuel:1"_s);

    // Switching modes while open: boxes and buttons stay, the list and the saved kind follow.
    addCase("switch keeps the loaded entry", true, u"dbl:2;mode:1"_s, u"2|Rent|on|on|on|&Update|Exit"_s,
            u""_s, kExpenseList, kSeedTable);
    addCase("entry saved after a switch changes kind", true, u"dbl:2;mode:1;save"_s,
            u"||on|on|on|&Save|Exit"_s, u"Updated successfully"_s, u"2:Rent,4:Food,5:Fuel"_s,
            u"1:Salary:2,2:Rent:1,3:Interest:2,4:Food:1,5:Fuel:1"_s);

    // New starts a new entry, also after a double-click: Save adds it, and adds the next one too.
    addCase("double-click, then New", true,
            u"new;cancel;dbl:1;new;clear;type:Wages;save;new;type:Gift;save"_s, kIdle,
            u"Saved successfully|Saved successfully"_s, kIncomeList + u",6:Wages,7:Gift"_s,
            kSeedTable + u",6:Wages:2,7:Gift:2"_s);
    // The entry being renamed vanishes: the typed name stays, and the next Save adds it as a new entry.
    addCase("rename of a vanished entry", true, u"dbl:2;gone:2;clear;type:Lease;save;save"_s, kIdle,
            u"No entry was updated|Saved successfully"_s, u"1:Salary,3:Interest,6:Lease"_s,
            u"1:Salary:2,3:Interest:2,4:Food:1,5:Fuel:1,6:Lease:2"_s);
    // Record numbers are carried exactly at any size, and one beyond the largest is refused.
    addCase("record numbers beyond 10^15", true,
            u"taken:1000000000000456;mode:1;dbl:1000000000000456;clear;type:Lease;save;new;type:Gift;save"_s,
            kIdle, u"Updated successfully|Saved successfully"_s,
            kExpenseList + u",1000000000000456:Lease,1000000000000457:Gift"_s,
            kSeedTable + u",1000000000000456:Lease:1,1000000000000457:Gift:1"_s);
    addCase("no number after the largest", true, u"taken:9223372036854775807;new"_s, kOpened, u"failure"_s,
            kIncomeList, kSeedTable + u",9223372036854775807:Taken:1"_s);
    // After a rename the name box stays open with the number box empty.
    addCase("new entry right after a rename", true, u"dbl:1;clear;type:Wages;save;type:Gift;save"_s, kIdle,
            u"Updated successfully|Saved successfully"_s, u"1:Wages,2:Rent,3:Interest,6:Gift"_s,
            u"1:Wages:2,2:Rent:2,3:Interest:2,4:Food:1,5:Fuel:1,6:Gift:2"_s);
    // Entries removed from the file behind the program's back.
    addCase("vanished entry during a new entry", true, u"new;type:Gift;gone:2;dbl:2"_s,
            u"6|Gift|on|off|on|&Save|Cancel"_s, u"No Data Available"_s, kIncomeList,
            u"1:Salary:2,3:Interest:2,4:Food:1,5:Fuel:1"_s);
}

void TestFrmGMaster::userActions() {
    QFETCH(bool, seeded);
    QFETCH(QString, script);
    QFETCH(QString, state);
    QFETCH(QString, shown);
    QFETCH(QString, list);
    QFETCH(QString, table);

    if (seeded) {
        for (const QString& entry : kSeedTable.split(u',')) {
            const QStringList parts = entry.split(u':');
            execute(u"Insert Into GMaster(SrNo,GName,GType) values(%1,'%2','%3')"_s.arg(parts[0], parts[1],
                                                                                        parts[2]));
        }
    }
    open(kIncome);

    const QString failure = act(script);
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QVERIFY(!m_window.isNull());
    QCOMPARE(snapshot(), state);
    QCOMPARE(messages(), shown);
    QCOMPARE(listed(), list);
    QCOMPARE(stored(), table);
}

void TestFrmGMaster::focusAfter_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("focus");

    QTest::newRow("New") << "new"
                         << "TxtGName";
    QTest::newRow("empty name during a new entry") << "new;save"
                                                   << "TxtGName";
    QTest::newRow("empty name during a rename") << "dbl:1;clear;save"
                                                << "TxtGName";
    // The name box is disabled then, so the focus stays on the button just pressed.
    QTest::newRow("Save right after opening") << "save"
                                              << "CmdSave";
}

void TestFrmGMaster::focusAfter() {
    QFETCH(QString, script);
    QFETCH(QString, focus);

    execute(u"Insert Into GMaster(SrNo,GName,GType) values(1,'Salary','2')"_s);
    open(kIncome);
    const QString failure = act(script);
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QTRY_VERIFY(QApplication::focusWidget() != nullptr);
    QCOMPARE(QApplication::focusWidget()->objectName(), focus);
}

void TestFrmGMaster::exitClosesAndNextOpeningStartsAfresh() {
    open(kIncome);
    QVERIFY(act(u"new;type:Gift;cancel"_s).isEmpty());
    QCOMPARE(snapshot(), u"1|Gift|off|on|off|&Save|Exit"_s);

    QTest::mouseClick(m_window->CmdCancel, Qt::LeftButton);
    QTRY_VERIFY(m_window.isNull());
    QVERIFY(m_bed->area()->subWindowList().isEmpty());

    open(kExpense);
    QCOMPARE(snapshot(), kOpened);
    QCOMPARE(m_bed->messages().count(), 0);
}

void TestFrmGMaster::failingFillReachesTheOpener() {
    open(kIncome);
    execute(u"Alter Table GMaster Rename To Elsewhere"_s);
    QVERIFY_THROWS_EXCEPTION(DbError, m_window->FillIncome());
    QVERIFY_THROWS_EXCEPTION(DbError, m_window->FillExpense());
    // Showing the failure is the opener's part: the window itself says nothing.
    QCOMPARE(m_bed->messages().count(), 0);
}

void TestFrmGMaster::nameLabelFitsEitherKind() {
    open(kExpense);
    for (const QString& text : {u"Source : "_s, u"Exp. Category : "_s}) {
        m_window->Label2->setText(text);
        const int needed = QFontMetrics(m_window->Label2->font()).horizontalAdvance(text);
        QVERIFY2(needed <= m_window->Label2->width(), qPrintable(text));
    }
}

QTEST_MAIN(TestFrmGMaster)
#include "test_frmGMaster.moc"
