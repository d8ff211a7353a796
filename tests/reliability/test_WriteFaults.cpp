// Locked file, full disk, failing disk, read-only file, injected while the windows work: nothing is lost.
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include <sqlite3.h>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

#include "app/Main.h"
#include "app/Program.h"
#include "data/Connection.h"
#include "data/ConnectionString.h"
#include "master/frmGMaster.h"
#include "tests/support/StoredRows.h"
#include "tests/support/TopLevelWindows.h"
#include "tests/support/WindowTestBed.h"
#include "transactions/DatePicker.h"
#include "transactions/frmExpenses.h"
#include "transactions/frmIncome.h"
#include "ui/ListView.h"
#include "ui/Module2.h"
#include "ui/SimpleCombo.h"

using namespace Qt::StringLiterals;

namespace {

// A file system layer registered as the default before any connection opens, so the program's connection
// goes through it. Its files are the platform's own with the write swapped: on demand every write gives an
// I/O error, or the database opens read-only.
enum class DiskFault { None, WriteError, ReadOnly };
std::atomic<DiskFault> g_diskFault{DiskFault::None};
sqlite3_vfs* g_platformVfs = nullptr;
const sqlite3_io_methods* g_platformMethods = nullptr;
sqlite3_io_methods g_faultyMethods{};

int faultyWrite(sqlite3_file* file, const void* buffer, int amount, sqlite3_int64 offset) {
    return g_diskFault == DiskFault::WriteError ? SQLITE_IOERR_WRITE
                                                : g_platformMethods->xWrite(file, buffer, amount, offset);
}

int faultyOpen(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags) {
    if (g_diskFault == DiskFault::ReadOnly && (flags & SQLITE_OPEN_MAIN_DB) != 0) {
        flags = (flags & ~(SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE)) | SQLITE_OPEN_READONLY;
    }
    const int status = g_platformVfs->xOpen(g_platformVfs, name, file, flags, outFlags);
    if (g_platformMethods == nullptr && file->pMethods != nullptr) {
        g_platformMethods = file->pMethods;
        g_faultyMethods = *g_platformMethods;
        // Version 1: no shared memory and no memory mapping, neither of which a rollback journal needs.
        g_faultyMethods.iVersion = 1;
        g_faultyMethods.xWrite = faultyWrite;
    }
    if (file->pMethods != nullptr && file->pMethods == g_platformMethods) {
        file->pMethods = &g_faultyMethods;
    }
    return status;
}

void installFaultyVfs() {
    static sqlite3_vfs vfs;
    g_platformVfs = sqlite3_vfs_find(nullptr);
    vfs = *g_platformVfs;
    vfs.zName = "orvella-faulty";
    vfs.xOpen = faultyOpen;
    sqlite3_vfs_register(&vfs, 1);
}

const QString kIncome = u"income"_s;
const QString kMaster = u"GMaster"_s;
// Large enough to need pages of its own: a full disk is met by any save or change carrying it.
const QString kLongText = QString(u"long particulars "_s).repeated(1200);

// Every stored row of the kind's table (income, expenses or GMaster), one text per row.
QString stored(const QString& kind) {
    const QString table = kind == kIncome ? u"Income"_s : kind == u"expenses"_s ? u"Expenses"_s : kind;
    return storedRows(u"Select * from %1 order by SrNo"_s.arg(table));
}

QString mode(const TransactionWindow* window) {
    if (!window->Frame1->isEnabled() && window->Frame3->isHidden()) {
        return u"browsing"_s;
    }
    return window->CmdModSave->isHidden() ? u"adding"_s : u"modifying"_s;
}

// The entries as the table stores them: number, date, name, amount, particulars.
QString entries(const TransactionWindow* window) {
    return QStringList{window->TxtSrNo->text(), window->DTPicker1->date().toString(Qt::ISODate),
                       window->nameBox()->text(), window->TxtAmount->text(),
                       window->TxtParticulars->toPlainText()}
        .join(u'|');
}

void click(QWidget* button) {
    QTest::mouseClick(button, Qt::LeftButton);
}

void doubleClickFirstRow(ListView* list) {
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                       list->visualRect(list->model()->index(0, 1)).center());
}

// One fault, on while the object lives: another program holding the file through its own connection, a
// file that may not grow by a single page, or a disk failing every write.
struct Fault {
    Fault(const QString& name, const QString& folder) : diskFull(name == u"disk full"_s) {
        if (name == u"locked"_s) {
            other.Open(ConnectionString::forProgramFolder(folder.toStdString()));
            other.Execute("BEGIN EXCLUSIVE");
            reason = u"locked"_s;
        } else if (diskFull) {
            storedRows(u"PRAGMA max_page_count="_s + storedRows(u"PRAGMA page_count"_s));
            reason = u"full"_s;
        } else {
            g_diskFault = DiskFault::WriteError;
            reason = u"disk"_s;
        }
    }
    // Closing the other connection ends its lock.
    ~Fault() {
        g_diskFault = DiskFault::None;
        if (diskFull) {
            storedRows(u"PRAGMA max_page_count=1073741823"_s);
        }
    }

    const bool diskFull;
    Connection other;
    QString reason;  // a word of the description the user is shown
};

void addFaults(const QStringList& kinds, const QStringList& actions, const QStringList& faults) {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("fault");
    for (const QString& fault : faults) {
        for (const QString& action : actions) {
            for (const QString& kind : kinds) {
                // The master window deletes nothing; a delete frees pages and needs none, so a full disk
                // cannot stop it.
                if (action == u"delete"_s && (kind == kMaster || fault == u"disk full"_s)) {
                    continue;
                }
                QTest::newRow(qPrintable(action + u", "_s + fault + u", "_s + kind))
                    << kind << action << fault;
            }
        }
    }
}

// An entry made in a window, ready to be written.
struct Entry {
    QPushButton* button;              // the button that writes it
    std::function<QString()> shown;   // what the window shows: number, name, mode, captions, total
    QString record;                   // the row the table is to hold
    QString done;                     // the message telling it is written
    TransactionWindow* transactions;  // the income or expenses window, if it is one
};

}  // namespace

// For each fault the user is told, the window keeps its mode and entries, the file keeps what it held, and
// the same action succeeds once the fault is gone.
class WriteFaultsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowTestBed> m_bed;

    MessageRecorder& messages() { return m_bed->messages(); }
    QString folder() const { return m_bed->folder().path(); }

    TransactionWindow* openTransactions(const QString& kind) {
        auto* window = kind == kIncome ? static_cast<TransactionWindow*>(new frmIncome(m_bed->area()))
                                       : new frmExpenses(m_bed->area());
        window->load();
        return window;
    }

    // Opens the kind's window and makes the entry the action writes: a new record or source, a changed
    // record or a renamed source (both carrying a text long enough to need pages of its own), or a record
    // picked for deletion.
    Entry enter(const QString& kind, const QString& action) {
        if (kind == kMaster) {
            auto* window = new frmGMaster(m_bed->area());
            window->load();
            window->FillIncome();
            Module2::MasterType() = u"2"_s;
            action == u"update"_s ? doubleClickFirstRow(window->ListView1) : click(window->CmdNew);
            window->TxtGName->setText(kLongText);
            const auto shown = [window] {
                return QStringList{window->TxtSrNo->text(), window->TxtGName->text(),
                                   window->TxtGName->isEnabled() ? u"enabled"_s : u"disabled"_s,
                                   window->CmdSave->text(), window->CmdCancel->text()}
                    .join(u'|');
            };
            return {window->CmdSave, shown, shown().section(u'|', 0, 1) + u"|2"_s,
                    action == u"update"_s ? u"Updated successfully"_s : u"Saved successfully"_s, nullptr};
        }
        TransactionWindow* window = openTransactions(kind);
        Entry entry{window->CmdSave, {}, {}, u"Saved successfully"_s, window};
        if (action == u"save"_s) {
            click(window->CmdNew);
            QTest::keyClicks(window->nameBox()->editField(), u"Rent"_s);
            QTest::keyClicks(window->TxtAmount, u"12.5"_s);
            window->TxtParticulars->setPlainText(kLongText);
        } else if (action == u"update"_s) {
            doubleClickFirstRow(window->ListView1);
            click(window->CmdModify);
            window->TxtAmount->setText(u"99"_s);
            window->TxtParticulars->setPlainText(kLongText);
            entry.button = window->CmdModSave;
            entry.done = u"Updated Successfully"_s;
        } else {
            doubleClickFirstRow(window->ListView1);
            entry.button = window->CmdDelete;
            entry.done = u"Record Deleted successfully"_s;
        }
        entry.shown = [window] {
            return entries(window) + u'|' + mode(window) + u'|' + window->LblTotal->text();
        };
        entry.record = entries(window);
        return entry;
    }

    // The failure told once, after the delete question if there was one, and no success claimed.
    void checkToldOnce(const QString& reason, int questions = 0) {
        QCOMPARE(messages().count(), questions + 1);
        QVERIFY2(messages().last().prompt.contains(reason), qPrintable(messages().last().prompt));
        QVERIFY(!messages().last().prompt.contains(u"success"_s, Qt::CaseInsensitive));
        messages().clear();
    }

private slots:
    void initTestCase() { installFaultyVfs(); }

    void init() {
        m_bed = std::make_unique<WindowTestBed>();
        Module2::MasterType().clear();
        Module2::Connection().Execute("Insert Into GMaster values(1,'Salary','2'),(2,'Rent','1')");
        Module2::Connection().Execute("Insert Into Income values(1,'2024-03-15','Salary',1500,'March')");
        Module2::Connection().Execute("Insert Into Expenses values(1,'2024-03-16','Rent',700,'March')");
    }

    void cleanup() {
        g_diskFault = DiskFault::None;
        m_bed.reset();
        QTRY_VERIFY(visibleTopLevelWindows().isEmpty());
    }

    // Save, Update and Delete in the income and expense windows, Save and rename in the master window.
    void failedWriteKeepsEverything_data() {
        // Locked Save, Update and Delete are also tried without the retry in the windows' own tests.
        addFaults({kIncome, u"expenses"_s, kMaster}, {u"save"_s, u"update"_s, u"delete"_s},
                  {u"locked"_s, u"disk full"_s, u"write error"_s});
    }

    void failedWriteKeepsEverything() {
        QFETCH(QString, kind);
        QFETCH(QString, action);
        QFETCH(QString, fault);
        const Entry entry = enter(kind, action);
        const QString shownBefore = entry.shown();
        const QString storedBefore = stored(kind);
        {
            const Fault injected(fault, folder());
            messages().answer({Msg::AnswerYes});
            click(entry.button);
            checkToldOnce(injected.reason, action == u"delete"_s ? 1 : 0);
        }
        QCOMPARE(stored(kind), storedBefore);
        QCOMPARE(entry.shown(), shownBefore);

        messages().answer({Msg::AnswerYes});
        click(entry.button);
        QCOMPARE(messages().last().prompt, entry.done);
        QStringList rows = storedBefore.split(u'\n');
        if (action == u"save"_s) {
            rows.append(entry.record);
        } else if (action == u"update"_s) {
            rows.first() = entry.record;
        } else {
            rows.removeFirst();
        }
        QCOMPARE(stored(kind), rows.join(u'\n'));
        if (entry.transactions != nullptr) {
            QCOMPARE(mode(entry.transactions), u"browsing"_s);
            QCOMPARE(entry.transactions->ListView1->itemCount(), rows.size());
        }
    }

    // The window opens while another program holds the file: the failure is told, the window stays open
    // with what it could set, and opened again after the lock it shows its names, list and total.
    void lockedWhileOpening_data() { addFaults({kIncome, u"expenses"_s}, {u"open"_s}, {u"locked"_s}); }

    void lockedWhileOpening() {
        QFETCH(QString, kind);
        TransactionWindow* window = nullptr;
        {
            const Fault injected(u"locked"_s, folder());
            window = openTransactions(kind);
        }
        QVERIFY(messages().count() >= 1);
        for (const MessageRecorder::Message& message : messages().messages()) {
            QVERIFY2(message.prompt.contains(u"locked"_s), qPrintable(message.prompt));
        }
        messages().clear();
        QVERIFY(window->isVisible());
        QCOMPARE(window->ListView1->itemCount(), 0);
        QCOMPARE(mode(window), u"browsing"_s);

        window->close();
        window = openTransactions(kind);
        QCOMPARE(messages().count(), 0);
        QCOMPARE(window->nameBox()->count(), 1);
        QCOMPARE(window->ListView1->itemCount(), 1);
        QCOMPARE(window->LblTotal->text(), kind == kIncome ? u"Total : Rs. 1500"_s : u"Total : Rs. 700"_s);
    }

    // The other program takes the file between the save and the refill of the list: the record is stored
    // once, the user is told of both, and pressing Save again cannot store it a second time.
    void lockedBetweenSaveAndRefill_data() {
        addFaults({kIncome, u"expenses"_s}, {u"save"_s}, {u"locked"_s});
    }

    void lockedBetweenSaveAndRefill() {
        QFETCH(QString, kind);
        const Entry entry = enter(kind, u"save"_s);
        const QString storedAfter = stored(kind) + u'\n' + entry.record;
        {
            std::optional<Fault> injected;
            messages().onMessage([&](const MessageRecorder::Message& message) {
                if (message.prompt == u"Saved successfully"_s) {
                    injected.emplace(u"locked"_s, folder());
                }
            });
            click(entry.button);
            messages().onMessage({});
        }
        QCOMPARE(messages().count(), 2);
        QCOMPARE(messages().messages().at(0).prompt, u"Saved successfully"_s);
        QVERIFY2(messages().last().prompt.contains(u"locked"_s), qPrintable(messages().last().prompt));
        QCOMPARE(stored(kind), storedAfter);

        messages().clear();
        click(entry.button);
        checkToldOnce(u"UNIQUE"_s);
        QCOMPARE(stored(kind), storedAfter);

        click(entry.transactions->CmdCancel);
        click(entry.transactions->CmdNew);
        QCOMPARE(entry.transactions->TxtSrNo->text(), u"3"_s);
    }

    // A file that cannot be written is refused at start-up, before any window; writable again, it opens.
    void readOnlyFileIsRefusedAtStartUp() {
        Module2::Connection().Close();
        const auto fileBytes = [this] {
            QFile file(m_bed->folder().databasePath());
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        const QByteArray before = fileBytes();
        g_diskFault = DiskFault::ReadOnly;
        {
            Program program;
            const std::optional<int> status = Main(program);
            QVERIFY(status.has_value() && *status != 0);
            QVERIFY(program.mainWindow() == nullptr);
        }
        g_diskFault = DiskFault::None;
        checkToldOnce(u"read-only"_s);
        QCOMPARE(fileBytes(), before);

        Program program;
        QCOMPARE(Main(program), std::nullopt);
        QCOMPARE(messages().count(), 0);
        program.closeWindows();
    }
};

QTEST_MAIN(WriteFaultsTest)
#include "test_WriteFaults.moc"
