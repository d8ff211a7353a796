// The master data window driven through its controls: numbering, saving, renaming, modes and failures.
#include <QtTest>
#include <QtWidgets>

#include <memory>
#include <optional>
#include <utility>

#include "master/frmGMaster.h"
#include "tests/support/InjectedFault.h"
#include "tests/support/StoredRows.h"
#include "tests/support/WindowTestBed.h"
#include "ui/ListView.h"
#include "ui/Module2.h"

using namespace Qt::StringLiterals;

namespace {

const QString kIncome = u"2"_s;
const QString kExpense = u"1"_s;

// Income sources 1 to 3, expense categories 4 and 5.
const QString kSeedTable = u"1:Salary:2,2:Rent:2,3:Interest:2,4:Food:1,5:Fuel:1"_s;
// Number box | name box | name box enabled | New enabled | Save enabled | Save caption | Cancel caption.
const QString kOpened = u"||off|on|on|&Save|Exit"_s;
const QString kIdle = u"||off|on|off|&Save|Exit"_s;

void execute(const QString& statement) {
    Module2::Connection().Execute(statement.toStdString());
}

}  // namespace

class TestFrmGMaster : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowTestBed> m_bed;
    QPointer<frmGMaster> m_window;
    std::optional<InjectedFault> m_fault;
    QString m_beforeFault;  // what the window showed and the table held when the fault came

    // Opens the window (afresh once closed), or switches it, to one kind as the main window does.
    void open(const QString& kind) {
        if (m_window.isNull()) {
            m_window = new frmGMaster(m_bed->area());
            m_window->load();
        }
        kind == kIncome ? m_window->FillIncome() : m_window->FillExpense();
        Module2::MasterType() = kind;
    }

    // Runs the user's steps separated by ';'. Gives an empty text, or what went wrong.
    QString act(const QString& script) {
        for (const QString& step : script.split(u';', Qt::SkipEmptyParts)) {
            const QString verb = step.section(u':', 0, 0);
            const QString argument = step.section(u':', 1);
            if (verb == u"new"_s || verb == u"save"_s || verb == u"cancel"_s) {
                QTest::mouseClick(verb == u"new"_s    ? m_window->CmdNew
                                  : verb == u"save"_s ? m_window->CmdSave
                                                      : m_window->CmdCancel,
                                  Qt::LeftButton);
            } else if (verb == u"type"_s) {
                QTest::keyClicks(m_window->TxtGName, argument);
            } else if (verb == u"paste"_s) {
                QGuiApplication::clipboard()->setText(argument);
                QTest::keyClick(m_window->TxtGName, Qt::Key_V, Qt::ControlModifier);
            } else if (verb == u"clear"_s) {
                m_window->TxtGName->selectAll();
                QTest::keyClick(m_window->TxtGName, Qt::Key_Backspace);
            } else if (verb == u"dbl"_s) {
                // "none" stands for the blank space below the entries.
                ListView* list = m_window->ListView1;
                int row = 0;
                while (row < list->itemCount() && list->cellText(row, 0) != argument) {
                    ++row;
                }
                if (row == list->itemCount() && argument != u"none"_s) {
                    return u"no entry "_s + argument + u" in the list"_s;
                }
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                                   argument == u"none"_s
                                       ? QPoint(5, list->viewport()->height() - 3)
                                       : list->visualRect(list->model()->index(row, 0)).center());
            } else if (verb == u"exit"_s) {
                QTest::mouseClick(m_window->CmdCancel, Qt::LeftButton);
                if (!QTest::qWaitFor([this] { return m_window.isNull(); })) {
                    return u"the window stayed open"_s;
                }
            } else if (verb == u"focus"_s) {
                if (!QTest::qWaitFor([&] { return QApplication::focusWidget()->objectName() == argument; })) {
                    return u"the focus is not on "_s + argument;
                }
            } else if (verb == u"mode"_s) {
                open(argument);
            } else if (verb == u"gone"_s) {
                // Another program removes an entry from the file while the window lists it.
                execute(u"Delete from GMaster where SrNo="_s + argument);
            } else if (verb == u"renamed"_s) {
                execute(u"Update GMaster set GName='%1' where SrNo=%2"_s.arg(argument.section(u':', 1),
                                                                             argument.section(u':', 0, 0)));
            } else if (verb == u"taken"_s) {
                execute(u"Insert Into GMaster(SrNo,GName,GType) values(%1,'Taken','1')"_s.arg(argument));
            } else if (verb == u"fault"_s) {
                m_beforeFault = snapshot() + stored();
                m_fault.emplace(argument, m_bed->folder().path());
            } else if (verb == u"mend"_s) {
                m_fault.reset();
                if (snapshot() + stored() != std::exchange(m_beforeFault, {})) {
                    return u"the fault changed the window or the table"_s;
                }
            } else {
                return u"unknown step "_s + step;
            }
        }
        return {};
    }

    QString snapshot() const {
        const auto onOff = [](const QWidget* widget) { return widget->isEnabled() ? u"on"_s : u"off"_s; };
        return QStringList{m_window->TxtSrNo->text(),  m_window->TxtGName->text(), onOff(m_window->TxtGName),
                           onOff(m_window->CmdNew),    onOff(m_window->CmdSave),   m_window->CmdSave->text(),
                           m_window->CmdCancel->text()}
            .join(u'|');
    }

    // The entries as "number:name:kind", ',' between them; of one kind as "number:name".
    static QString stored(const QString& kind = {}) {
        return storedRows(kind.isEmpty()
                              ? u"Select SrNo,GName,GType from GMaster order by SrNo"_s
                              : u"Select SrNo,GName from GMaster where GType='%1' order by SrNo"_s.arg(kind))
            .replace(u'|', u':')
            .replace(u'\n', u',');
    }

    QString listed() const {
        QStringList rows;
        for (int row = 0; row < m_window->ListView1->itemCount(); ++row) {
            rows << m_window->ListView1->cellText(row, 0) + u':' + m_window->ListView1->cellText(row, 1);
        }
        return rows.join(u',');
    }

private slots:
    void initTestCase() { InjectedFault::installDiskLayer(); }

    void init() {
        m_bed = std::make_unique<WindowTestBed>();
        QVERIFY(QTest::qWaitForWindowActive(&m_bed->frame()));
        execute(
            u"Insert Into GMaster values(1,'Salary','2'),(2,'Rent','2'),(3,'Interest','2'),(4,'Food','1'),"
            "(5,'Fuel','1')"_s);
    }

    void cleanup() {
        m_fault.reset();
        m_bed.reset();
        QVERIFY(visibleTopLevelWindows().isEmpty());
    }

    void userActions_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("list");  // where not given, the entries stored of the kind shown
        QTest::addColumn<QString>("table");
        const auto row = [](const char* name, const QString& script, const QString& state,
                            const QString& shown, const QString& list, const QString& table) {
            QTest::newRow(name) << script << state << shown << list << table;
        };
        const QString newSix = u"6||on|off|on|&Save|Cancel"_s;
        const QString longName = QString(u"Nm"_s).repeated(20000);

        // Saving new entries.
        row("expense category", u"mode:1;new;type:Rent;save"_s, kIdle, u"Saved successfully"_s, {},
            kSeedTable + u",6:Rent:1"_s);
        row("apostrophe", u"new;type:Children's school;save"_s, kIdle, u"Saved successfully"_s, {},
            kSeedTable + u",6:Children's school:2"_s);
        row("name of 40,000 characters", u"new;paste:"_s + longName + u";save"_s, kIdle,
            u"Saved successfully"_s, {}, kSeedTable + u",6:"_s + longName + u":2"_s);
        // No text column holds a NUL: the box drops it and keeps the rest.
        row("NUL in a name", u"new;paste:\0Gift\0 Card\0;save"_s, kIdle, u"Saved successfully"_s, {},
            kSeedTable + u",6:Gift Card:2"_s);
        row("name of blanks", u"new;type:   ;save"_s, kIdle, u"Saved successfully"_s, {},
            kSeedTable + u",6:   :2"_s);
        // Cancel keeps what the boxes show; Exit closes the window, and the next opening starts afresh.
        row("Cancel after New", u"new;type:Gift;cancel"_s, u"6|Gift|off|on|off|&Save|Exit"_s, {}, {},
            kSeedTable);
        row("Exit, then open again", u"new;type:Gift;cancel;exit;mode:1"_s, kOpened, {}, {}, kSeedTable);
        // With the name box disabled the focus stays on the button just pressed.
        row("Save right after opening", u"save;focus:CmdSave"_s, kOpened, u"Please enter data"_s, {},
            kSeedTable);
        // New numbers after the entries of both kinds.
        row("empty name keeps the proposed number", u"new;save;focus:TxtGName"_s, newSix,
            u"Please enter data"_s, {}, kSeedTable);
        row("number already taken", u"new;taken:6;type:Gift;save"_s, u"6|Gift|on|off|on|&Save|Cancel"_s,
            u"failed: UNIQUE constraint failed"_s, {}, kSeedTable + u",6:Taken:1"_s);

        // Loading and renaming: the name comes from the file.
        row("double-click loads the name from the file", u"renamed:2:Lease;dbl:2"_s,
            u"2|Lease|on|on|on|&Update|Exit"_s, {}, u"1:Salary,2:Rent,3:Interest"_s,
            u"1:Salary:2,2:Lease:2,3:Interest:2,4:Food:1,5:Fuel:1"_s);
        row("double-click beside the entries", u"new;dbl:none"_s, newSix, {}, {}, kSeedTable);
        row("rename to nothing", u"dbl:2;clear;save;focus:TxtGName"_s, u"2||on|on|on|&Update|Exit"_s,
            u"PLease enter data"_s, {}, kSeedTable);
        // Switching modes keeps the boxes and buttons: the entry saved then takes the kind switched to.
        row("entry saved after a switch changes kind", u"dbl:2;mode:1;save"_s, u"||on|on|on|&Save|Exit"_s,
            u"Updated successfully"_s, {}, u"1:Salary:2,2:Rent:1,3:Interest:2,4:Food:1,5:Fuel:1"_s);
        // New starts a new entry, also after a double-click: Save adds it, and adds the next one too.
        row("double-click, then New", u"new;cancel;dbl:1;new;clear;type:Wages;save;new;type:Gift;save"_s,
            kIdle, u"Saved successfully / Saved successfully"_s, {}, kSeedTable + u",6:Wages:2,7:Gift:2"_s);
        // After a rename the name box stays open with the number box empty.
        row("new entry right after a rename", u"dbl:1;clear;type:Wages;save;type:Gift;save"_s, kIdle,
            u"Updated successfully / Saved successfully"_s, {},
            u"1:Wages:2,2:Rent:2,3:Interest:2,4:Food:1,5:Fuel:1,6:Gift:2"_s);
        // Record numbers are carried exactly at any size, and one beyond the largest is refused.
        row("record numbers beyond 10^15",
            u"taken:1000000000000456;mode:1;dbl:1000000000000456;clear;type:Lease;save;new;type:Gift;save"_s,
            kIdle, u"Updated successfully / Saved successfully"_s, {},
            kSeedTable + u",1000000000000456:Lease:1,1000000000000457:Gift:1"_s);
        row("no number after the largest", u"taken:9223372036854775807;new"_s, kOpened,
            u"failed: Record number 9223372036854775808 cannot be used"_s, {},
            kSeedTable + u",9223372036854775807:Taken:1"_s);
        // Entries removed behind the program's back: a renamed one's typed name stays, and Save adds it anew.
        row("rename of a vanished entry", u"dbl:2;gone:2;clear;type:Lease;save;save"_s, kIdle,
            u"No entry was updated / Saved successfully"_s, {},
            u"1:Salary:2,3:Interest:2,4:Food:1,5:Fuel:1,6:Lease:2"_s);
        row("vanished entry during a new entry", u"new;type:Gift;gone:2;dbl:2"_s,
            u"6|Gift|on|off|on|&Save|Cancel"_s, u"No Data Available"_s, u"1:Salary,2:Rent,3:Interest"_s,
            u"1:Salary:2,3:Interest:2,4:Food:1,5:Fuel:1"_s);
        // A refused save or rename is told once, window and table kept; the fault gone, Save writes. The name
        // needs pages of its own, so a full disk stops it.
        const QString longText = QString(u"long name "_s).repeated(2000);
        for (const auto& [fault, reason] : {std::pair{u"locked"_s, u"database is locked"_s},
                                            {u"disk full"_s, u"database or disk is full"_s},
                                            {u"write error"_s, u"disk I/O error"_s}}) {
            const QString failed = u"failed: "_s + reason + u" / "_s;
            row(qPrintable(u"save, "_s + fault),
                u"new;paste:"_s + longText + u";fault:"_s + fault + u";save;mend;save"_s, kIdle,
                failed + u"Saved successfully"_s, {}, kSeedTable + u",6:"_s + longText + u":2"_s);
            row(qPrintable(u"rename, "_s + fault),
                u"dbl:2;clear;paste:"_s + longText + u";fault:"_s + fault + u";save;mend;save"_s,
                u"||on|on|on|&Save|Exit"_s, failed + u"Updated successfully"_s, {},
                u"1:Salary:2,2:"_s + longText + u":2,3:Interest:2,4:Food:1,5:Fuel:1"_s);
        }
    }

    // The user's steps on the income sources, then the boxes and buttons, messages, list and table.
    void userActions() {
        QFETCH(QString, script);
        QFETCH(QString, state);
        QFETCH(QString, shown);
        QFETCH(QString, list);
        QFETCH(QString, table);
        open(kIncome);
        const QString failure = act(script);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QVERIFY(!m_window.isNull());
        QCOMPARE(snapshot(), state);
        QCOMPARE(m_bed->messages().told(), shown);
        QCOMPARE(listed(), list.isEmpty() ? stored(Module2::MasterType()) : list);
        QCOMPARE(stored(), table);
    }
};

QTEST_MAIN(TestFrmGMaster)
#include "test_frmGMaster.moc"
