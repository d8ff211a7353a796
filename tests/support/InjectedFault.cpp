// Faults through a second connection, the page limit of the program's own, and a file-system layer.
#include "tests/support/InjectedFault.h"

#include <sqlite3.h>

#include <atomic>

#include "data/ConnectionString.h"
#include "tests/support/StoredRows.h"

using namespace Qt::StringLiterals;

namespace {

// The layer's files are the platform's own with the write swapped: on demand every write fails, or the
// database opens read-only.
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

}  // namespace

void InjectedFault::installDiskLayer() {
    static sqlite3_vfs vfs;
    g_platformVfs = sqlite3_vfs_find(nullptr);
    vfs = *g_platformVfs;
    vfs.zName = "orvella-faulty";
    vfs.xOpen = faultyOpen;
    sqlite3_vfs_register(&vfs, 1);
}

InjectedFault::InjectedFault(const QString& name, const QString& programFolder)
    : m_diskFull(name == u"disk full"_s) {
    if (name == u"locked"_s) {
        m_other.Open(ConnectionString::forProgramFolder(programFolder.toStdString()));
        m_other.Execute("BEGIN EXCLUSIVE");
    } else if (m_diskFull) {
        storedRows(u"PRAGMA max_page_count="_s + storedRows(u"PRAGMA page_count"_s));
    } else {
        g_diskFault = name == u"read-only"_s ? DiskFault::ReadOnly : DiskFault::WriteError;
    }
}

// Closing the other connection ends its lock.
InjectedFault::~InjectedFault() {
    g_diskFault = DiskFault::None;
    if (m_diskFull) {
        storedRows(u"PRAGMA max_page_count=1073741823"_s);
    }
}
