// Locked file, full disk, failing disk, read-only file, injected while the windows work: nothing is lost.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include <sqlite3.h>

#include <atomic>
#include <cstddef>
#include <memory>

#include "app/Main.h"
#include "app/Program.h"
#include "data/Connection.h"
#include "data/ConnectionString.h"
#include "data/Recordset.h"
#include "master/frmGMaster.h"
#include "tests/support/MessageRecorder.h"
#include "tests/support/StoredRows.h"
#include "tests/support/TestProgramFolder.h"
#include "tests/support/TopLevelWindows.h"
#include "transactions/DatePicker.h"
#include "transactions/frmExpenses.h"
#include "transactions/frmIncome.h"
#include "ui/ListView.h"
#include "ui/Module2.h"
#include "ui/SimpleCombo.h"

using namespace Qt::StringLiterals;

namespace {

// A file system layer over the platform's own that fails on demand: every write gives an I/O error, or
// every file opens read-only. Registered as the default before any connection opens, so the program's
// connection goes through it.
enum class DiskFault { None, WriteError, ReadOnly };
std::atomic<DiskFault> g_diskFault{DiskFault::None};
sqlite3_vfs* g_platformVfs = nullptr;

struct FaultyFile {
    sqlite3_file base;
    sqlite3_file* real;
};

sqlite3_file* realOf(sqlite3_file* file) {
    return reinterpret_cast<FaultyFile*>(file)->real;
}

int faultyClose(sqlite3_file* f) {
    return realOf(f)->pMethods->xClose(realOf(f));
}
int faultyRead(sqlite3_file* f, void* buffer, int amount, sqlite3_int64 offset) {
    return realOf(f)->pMethods->xRead(realOf(f), buffer, amount, offset);
}
int faultyWrite(sqlite3_file* f, const void* buffer, int amount, sqlite3_int64 offset) {
    if (g_diskFault == DiskFault::WriteError) {
        return SQLITE_IOERR_WRITE;
    }
    return realOf(f)->pMethods->xWrite(realOf(f), buffer, amount, offset);
}
int faultyTruncate(sqlite3_file* f, sqlite3_int64 size) {
    return realOf(f)->pMethods->xTruncate(realOf(f), size);
}
int faultySync(sqlite3_file* f, int flags) {
    return realOf(f)->pMethods->xSync(realOf(f), flags);
}
int faultyFileSize(sqlite3_file* f, sqlite3_int64* size) {
    return realOf(f)->pMethods->xFileSize(realOf(f), size);
}
int faultyLock(sqlite3_file* f, int level) {
    return realOf(f)->pMethods->xLock(realOf(f), level);
}
int faultyUnlock(sqlite3_file* f, int level) {
    return realOf(f)->pMethods->xUnlock(realOf(f), level);
}
int faultyCheckReservedLock(sqlite3_file* f, int* out) {
    return realOf(f)->pMethods->xCheckReservedLock(realOf(f), out);
}
int faultyFileControl(sqlite3_file* f, int op, void* argument) {
    return realOf(f)->pMethods->xFileControl(realOf(f), op, argument);
}
int faultySectorSize(sqlite3_file* f) {
    return realOf(f)->pMethods->xSectorSize(realOf(f));
}
int faultyDeviceCharacteristics(sqlite3_file* f) {
    return realOf(f)->pMethods->xDeviceCharacteristics(realOf(f));
}

// Version 1: no shared memory and no memory mapping, neither of which a rollback journal needs.
const sqlite3_io_methods kFaultyMethods = {1,
                                           faultyClose,
                                           faultyRead,
                                           faultyWrite,
                                           faultyTruncate,
                                           faultySync,
                                           faultyFileSize,
                                           faultyLock,
                                           faultyUnlock,
                                           faultyCheckReservedLock,
                                           faultyFileControl,
                                           faultySectorSize,
                                           faultyDeviceCharacteristics,
                                           nullptr,
                                           nullptr,
                                           nullptr,
                                           nullptr,
                                           nullptr,
                                           nullptr};

int faultyOpen(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags) {
    auto* faulty = reinterpret_cast<FaultyFile*>(file);
    faulty->base.pMethods = nullptr;
    faulty->real = reinterpret_cast<sqlite3_file*>(faulty + 1);
    if (g_diskFault == DiskFault::ReadOnly && (flags & SQLITE_OPEN_MAIN_DB) != 0) {
        flags = (flags & ~(SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE)) | SQLITE_OPEN_READONLY;
    }
    const int status = g_platformVfs->xOpen(g_platformVfs, name, faulty->real, flags, outFlags);
    if (faulty->real->pMethods != nullptr) {
        faulty->base.pMethods = &kFaultyMethods;
    }
    return status;
}

void installFaultyVfs() {
    static sqlite3_vfs vfs;
    if (g_platformVfs != nullptr) {
        return;
    }
    g_platformVfs = sqlite3_vfs_find(nullptr);
    vfs = *g_platformVfs;
    vfs.iVersion = 1;
    vfs.szOsFile = static_cast<int>(sizeof(FaultyFile)) + g_platformVfs->szOsFile;
    vfs.zName = "orvella-faulty";
    vfs.pAppData = nullptr;
    vfs.xOpen = faultyOpen;
    vfs.xDelete = [](sqlite3_vfs*, const char* name, int sync) {
        return g_platformVfs->xDelete(g_platformVfs, name, sync);
    };
    vfs.xAccess = [](sqlite3_vfs*, const char* name, int flags, int* out) {
        return g_platformVfs->xAccess(g_platformVfs, name, flags, out);
    };
    vfs.xFullPathname = [](sqlite3_vfs*, const char* name, int size, char* out) {
        return g_platformVfs->xFullPathname(g_platformVfs, name, size, out);
    };
    vfs.xDlOpen = [](sqlite3_vfs*, const char* name) { return g_platformVfs->xDlOpen(g_platformVfs, name); };
    vfs.xDlError = [](sqlite3_vfs*, int size, char* out) {
        g_platformVfs->xDlError(g_platformVfs, size, out);
    };
    vfs.xDlSym = [](sqlite3_vfs*, void* handle, const char* symbol) {
        return g_platformVfs->xDlSym(g_platformVfs, handle, symbol);
    };
    vfs.xDlClose = [](sqlite3_vfs*, void* handle) { g_platformVfs->xDlClose(g_platformVfs, handle); };
    vfs.xRandomness = [](sqlite3_vfs*, int size, char* out) {
        return g_platformVfs->xRandomness(g_platformVfs, size, out);
    };
    vfs.xSleep = [](sqlite3_vfs*, int micro) { return g_platformVfs->xSleep(g_platformVfs, micro); };
    vfs.xCurrentTime = [](sqlite3_vfs*, double* out) {
        return g_platformVfs->xCurrentTime(g_platformVfs, out);
    };
    vfs.xGetLastError = [](sqlite3_vfs*, int size, char* out) {
        return g_platformVfs->xGetLastError(g_platformVfs, size, out);
    };
    sqlite3_vfs_register(&vfs, 1);
}

const QString kIncome = u"income"_s;
const QString kExpenses = u"expenses"_s;
// Large enough to need pages of its own: a full disk is met by any save or change carrying it.
const QString kLongParticulars = QString(u"long particulars "_s).repeated(1200);

void execute(const QString& statement) {
    Module2::Connection().Execute(statement.toStdString());
}

QString tableOf(const QString& kind) {
    return kind == kIncome ? u"Income"_s : u"Expenses"_s;
}

// Every stored row of the table (or of GMaster), one text per row.
QString storedTable(const QString& table) {
    return storedRows(u"Select * from %1 order by SrNo"_s.arg(table));
}

QString mode(const TransactionWindow* window) {
    if (!window->Frame1->isEnabled() && window->Frame3->isHidden()) {
        return u"browsing"_s;
    }
    return window->CmdModSave->isHidden() ? u"adding"_s : u"modifying"_s;
}

QString entries(const TransactionWindow* window) {
    return QStringList{window->TxtSrNo->text(), window->DTPicker1->date().toString(Qt::ISODate),
                       window->nameBox()->text(), window->TxtAmount->text(),
                       window->TxtParticulars->toPlainText()}
        .join(u'|');
}

void click(QWidget* button) {
    QTest::mouseClick(button, Qt::LeftButton);
}

// One fault, switched on and off; the locking program holds the file through its own connection.
class Fault final {
public:
    Fault(const QString& name, const QString& folder) : m_name(name), m_folder(folder) {}
    Fault(const Fault&) = delete;
    Fault& operator=(const Fault&) = delete;

    void on() {
        if (m_name == u"locked"_s) {
            m_other.Open(ConnectionString::forProgramFolder(m_folder.toStdString()));
            m_other.Execute("BEGIN EXCLUSIVE");
        } else if (m_name == u"disk full"_s) {
            // The file may not grow by a single page.
            Recordset pages;
            pages.Open("PRAGMA page_count", Module2::Connection(), Recordset::adOpenStatic,
                       Recordset::adLockBatchOptimistic);
            const std::string count = pages.Fields(0).toText();
            pages.Close();
            pages.Open("PRAGMA max_page_count=" + count, Module2::Connection(), Recordset::adOpenStatic,
                       Recordset::adLockBatchOptimistic);
        } else if (m_name == u"write error"_s) {
            g_diskFault = DiskFault::WriteError;
        }
    }

    void off() {
        if (m_name == u"locked"_s) {
            m_other.Execute("ROLLBACK");
            m_other.Close();
        } else if (m_name == u"disk full"_s) {
            Recordset pages;
            pages.Open("PRAGMA max_page_count=1073741823", Module2::Connection(), Recordset::adOpenStatic,
                       Recordset::adLockBatchOptimistic);
        } else {
            g_diskFault = DiskFault::None;
        }
    }

    // A word of the description the user is shown.
    QString reason() const {
        return m_name == u"locked"_s ? u"locked"_s : m_name == u"disk full"_s ? u"full"_s : u"disk"_s;
    }

private:
    QString m_name;
    QString m_folder;
    Connection m_other;
};

void addFaults(const QStringList& actions, const QStringList& faults) {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("fault");
    for (const QString& fault : faults) {
        for (const QString& action : actions) {
            // A delete frees pages and needs none: a full disk cannot stop it.
            if (action == u"delete"_s && fault == u"disk full"_s) {
                continue;
            }
            for (const QString& kind : {kIncome, kExpenses}) {
                const QString name = action + u", "_s + fault + u", "_s + kind;
                QTest::newRow(name.toUtf8().constData()) << kind << action << fault;
            }
        }
    }
}

}  // namespace

// For each fault the user is told, the window keeps its mode and entries, the file keeps what it held, and
// the same action succeeds once the fault is gone.
class WriteFaultsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestProgramFolder> m_folder;
    std::unique_ptr<MessageRecorder> m_messages;
    std::unique_ptr<QMainWindow> m_main;
    QMdiArea* m_area = nullptr;

    TransactionWindow* openTransactions(const QString& kind) {
        TransactionWindow* window = nullptr;
        if (kind == kIncome) {
            window = new frmIncome(m_area);
        } else {
            window = new frmExpenses(m_area);
        }
        window->load();
        window->show();
        return window;
    }

    // The failure told once, after the delete question if there was one, and no success claimed.
    void checkToldOnce(const QString& reason, int questions = 0) {
        QCOMPARE(m_messages->count(), questions + 1);
        QVERIFY2(m_messages->last().prompt.contains(reason), qPrintable(m_messages->last().prompt));
        QVERIFY(!m_messages->last().prompt.contains(u"success"_s, Qt::CaseInsensitive));
        m_messages->clear();
    }

private slots:
    void initTestCase() { installFaultyVfs(); }

    void init() {
        m_folder = std::make_unique<TestProgramFolder>();
        Module2::Connection().Open(ConnectionString::forProgramFolder(m_folder->path().toStdString()));
        Module2::MasterType().clear();
        execute(u"Insert Into GMaster values(1,'Salary','2'),(2,'Rent','1')"_s);
        execute(u"Insert Into Income values(1,'2024-03-15','Salary',1500,'March')"_s);
        execute(u"Insert Into Expenses values(1,'2024-03-16','Rent',700,'March')"_s);
        m_messages = std::make_unique<MessageRecorder>();
        m_main = std::make_unique<QMainWindow>();
        m_area = new QMdiArea(m_main.get());
        m_main->setCentralWidget(m_area);
        m_main->resize(1024, 768);
        m_main->show();
    }

    void cleanup() {
        g_diskFault = DiskFault::None;
        m_main.reset();
        m_messages.reset();
        Module2::Connection().Close();
        m_folder.reset();
        QTRY_VERIFY(visibleTopLevelWindows().isEmpty());
    }

    void failedTransactionWriteKeepsEverything_data() {
        // Locked Save, Update and Delete are also tried without the retry in the windows' own tests.
        addFaults({u"save"_s, u"update"_s, u"delete"_s}, {u"locked"_s, u"disk full"_s, u"write error"_s});
    }

    void failedTransactionWriteKeepsEverything() {
        QFETCH(QString, kind);
        QFETCH(QString, action);
        QFETCH(QString, fault);
        TransactionWindow* window = openTransactions(kind);
        QCOMPARE(m_messages->count(), 0);
        QPushButton* button = window->CmdSave;
        if (action == u"save"_s) {
            click(window->CmdNew);
            QTest::keyClicks(window->nameBox()->editField(), u"Rent"_s);
            QTest::keyClicks(window->TxtAmount, u"12.5"_s);
            window->TxtParticulars->setPlainText(kLongParticulars);
        } else {
            window->TxtSrNo->setText(u"1"_s);
            window->LoadData();
            if (action == u"update"_s) {
                click(window->CmdModify);
                window->TxtAmount->setText(u"99"_s);
                window->TxtParticulars->setPlainText(kLongParticulars);
                button = window->CmdModSave;
            } else {
                button = window->CmdDelete;
            }
        }
        const QString entered = entries(window);
        const QString modeBefore = mode(window);
        const QString storedBefore = storedTable(tableOf(kind));
        const QString totalBefore = window->LblTotal->text();

        Fault injected(fault, m_folder->path());
        injected.on();
        m_messages->answer({Msg::AnswerYes});
        click(button);
        injected.off();

        checkToldOnce(injected.reason(), action == u"delete"_s ? 1 : 0);
        QCOMPARE(storedTable(tableOf(kind)), storedBefore);
        QCOMPARE(entries(window), entered);
        QCOMPARE(mode(window), modeBefore);
        QCOMPARE(window->LblTotal->text(), totalBefore);

        m_messages->answer({Msg::AnswerYes});
        click(button);
        const QString done = action == u"save"_s     ? u"Saved successfully"_s
                             : action == u"update"_s ? u"Updated Successfully"_s
                                                     : u"Record Deleted successfully"_s;
        QCOMPARE(m_messages->last().prompt, done);
        const QString after = storedTable(tableOf(kind));
        if (action == u"save"_s) {
            QCOMPARE(after, storedBefore + u"\n2|"_s + entered.section(u'|', 1));
            QCOMPARE(window->ListView1->itemCount(), 2);
        } else if (action == u"update"_s) {
            QCOMPARE(after, entered);
            QCOMPARE(window->LblTotal->text(), u"Total : Rs. 99"_s);
        } else {
            QCOMPARE(after, QString());
            QCOMPARE(window->LblTotal->text(), u"Total : Rs. 0"_s);
        }
        QCOMPARE(mode(window), u"browsing"_s);
    }

    // The window opens while another program holds the file: the failure is told, the window stays open
    // with what it could set, and opened again after the lock it shows its names, list and total.
    void lockedWhileOpening_data() { addFaults({u"open"_s}, {u"locked"_s}); }

    void lockedWhileOpening() {
        QFETCH(QString, kind);
        Fault injected(u"locked"_s, m_folder->path());
        injected.on();
        TransactionWindow* window = openTransactions(kind);
        injected.off();
        QVERIFY(m_messages->count() >= 1);
        for (const MessageRecorder::Message& message : m_messages->messages()) {
            QVERIFY2(message.prompt.contains(u"locked"_s), qPrintable(message.prompt));
        }
        m_messages->clear();
        QVERIFY(window->isVisible());
        QCOMPARE(window->ListView1->itemCount(), 0);
        QCOMPARE(mode(window), u"browsing"_s);

        // Once the other program lets go, the same opening fills names, list and total.
        window->close();
        window = openTransactions(kind);
        QCOMPARE(m_messages->count(), 0);
        QCOMPARE(window->nameBox()->count(), 1);
        QCOMPARE(window->ListView1->itemCount(), 1);
        QCOMPARE(window->LblTotal->text(), kind == kIncome ? u"Total : Rs. 1500"_s : u"Total : Rs. 700"_s);
    }

    void failedMasterSaveKeepsEverything_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("rename");
        for (const QString& fault : {u"locked"_s, u"disk full"_s, u"write error"_s}) {
            QTest::newRow(qPrintable(u"new entry, "_s + fault)) << fault << false;
            QTest::newRow(qPrintable(u"rename, "_s + fault)) << fault << true;
        }
    }

    void failedMasterSaveKeepsEverything() {
        QFETCH(QString, fault);
        QFETCH(bool, rename);
        auto* window = new frmGMaster(m_area);
        window->load();
        window->FillIncome();
        window->show();
        Module2::MasterType() = u"2"_s;
        // A name long enough to need a page of its own.
        const QString name = QString(u"Consulting "_s).repeated(900);
        if (rename) {
            QTest::mouseDClick(
                window->ListView1->viewport(), Qt::LeftButton, {},
                window->ListView1->visualRect(window->ListView1->model()->index(0, 1)).center());
            QCOMPARE(window->TxtSrNo->text(), u"1"_s);
            window->TxtGName->setText(name);
        } else {
            click(window->CmdNew);
            window->TxtGName->setText(name);
        }
        const QString shown = window->TxtSrNo->text() + u'|' + window->TxtGName->text() + u'|' +
                              window->CmdSave->text() + u'|' + window->CmdCancel->text();
        const QString storedBefore = storedTable(u"GMaster"_s);

        Fault injected(fault, m_folder->path());
        injected.on();
        click(window->CmdSave);
        injected.off();

        checkToldOnce(injected.reason());
        QCOMPARE(storedTable(u"GMaster"_s), storedBefore);
        QCOMPARE(window->TxtSrNo->text() + u'|' + window->TxtGName->text() + u'|' + window->CmdSave->text() +
                     u'|' + window->CmdCancel->text(),
                 shown);
        QVERIFY(window->TxtGName->isEnabled());

        click(window->CmdSave);
        QCOMPARE(m_messages->last().prompt, rename ? u"Updated successfully"_s : u"Saved successfully"_s);
        QCOMPARE(storedTable(u"GMaster"_s),
                 rename ? u"1|%1|2\n2|Rent|1"_s.arg(name) : storedBefore + u"\n3|%1|2"_s.arg(name));
    }

    // The other program takes the file between the save and the refill of the list: the record is stored
    // once, the user is told of both, and pressing Save again cannot store it a second time.
    void lockedBetweenSaveAndRefill_data() { addFaults({u"save"_s}, {u"locked"_s}); }

    void lockedBetweenSaveAndRefill() {
        QFETCH(QString, kind);
        TransactionWindow* window = openTransactions(kind);
        click(window->CmdNew);
        QTest::keyClicks(window->nameBox()->editField(), u"Rent"_s);
        QTest::keyClicks(window->TxtAmount, u"12.5"_s);
        window->TxtParticulars->setPlainText(u"second"_s);
        const QString entered = entries(window);
        const QString storedBefore = storedTable(tableOf(kind));
        Fault injected(u"locked"_s, m_folder->path());
        m_messages->onMessage([&](const MessageRecorder::Message& message) {
            if (message.prompt == u"Saved successfully"_s) {
                injected.on();
            }
        });
        click(window->CmdSave);
        m_messages->onMessage({});
        injected.off();

        QCOMPARE(m_messages->count(), 2);
        QCOMPARE(m_messages->messages().at(0).prompt, u"Saved successfully"_s);
        QVERIFY2(m_messages->last().prompt.contains(u"locked"_s), qPrintable(m_messages->last().prompt));
        const QString storedAfter = storedBefore + u"\n2|"_s + entered.section(u'|', 1);
        QCOMPARE(storedTable(tableOf(kind)), storedAfter);

        m_messages->clear();
        click(window->CmdSave);
        QCOMPARE(m_messages->count(), 1);
        QVERIFY2(m_messages->last().prompt.contains(u"UNIQUE"_s), qPrintable(m_messages->last().prompt));
        QCOMPARE(storedTable(tableOf(kind)), storedAfter);

        click(window->CmdCancel);
        click(window->CmdNew);
        QCOMPARE(window->TxtSrNo->text(), u"3"_s);
    }

    // A file that cannot be written is refused at start-up, before any window; writable again, it opens.
    void readOnlyFileIsRefusedAtStartUp() {
        Module2::Connection().Close();
        const QByteArray before = [&] {
            QFile file(m_folder->databasePath());
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        }();
        g_diskFault = DiskFault::ReadOnly;
        {
            Program program;
            const std::optional<int> status = Main(program);
            QVERIFY(status.has_value() && *status != 0);
            QVERIFY(program.mainWindow() == nullptr);
        }
        g_diskFault = DiskFault::None;
        checkToldOnce(u"read-only"_s);
        QFile file(m_folder->databasePath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);

        Program program;
        QCOMPARE(Main(program), std::nullopt);
        QCOMPARE(m_messages->count(), 0);
        program.closeWindows();
        m_main.reset();
    }
};

QTEST_MAIN(WriteFaultsTest)
#include "test_WriteFaults.moc"
