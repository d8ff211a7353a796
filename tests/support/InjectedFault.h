// A fault injected for real while it lives: another program holding the book, a full disk, a disk failing
// every write, or a book the engine may only read.
#pragma once

#include <QString>

#include <sqlite3.h>

#include <atomic>

#include "data/Connection.h"
#include "data/ConnectionString.h"
#include "tests/support/StoredRows.h"

class InjectedFault final {
public:
    // Makes the test's file-system layer the engine's default, for every connection opened later: the
    // platform's files, whose writes fail or which open read-only on demand. While another connection of
    // the test holds the book, the busy wait ends at once: in one thread the lock cannot go while it waits.
    static void installDiskLayer() {
        static sqlite3_vfs vfs;
        s_platformVfs = sqlite3_vfs_find(nullptr);
        vfs = *s_platformVfs;
        vfs.zName = "orvella-faulty";
        vfs.xOpen = faultyOpen;
        vfs.xSleep = [](sqlite3_vfs*, int microseconds) {
            return s_locked ? microseconds : s_platformVfs->xSleep(s_platformVfs, microseconds);
        };
        sqlite3_vfs_register(&vfs, 1);
    }

    // "locked": another connection holds BEGIN EXCLUSIVE; "disk full": the program's connection may not grow
    // the file; "write error": every write fails; "read-only": the book opens read-only.
    InjectedFault(const QString& name, const QString& programFolder) : m_diskFull(name == u"disk full") {
        if (name == u"locked") {
            s_locked = true;
            m_other.Open(ConnectionString::forProgramFolder(programFolder.toStdString()));
            m_other.Execute("BEGIN EXCLUSIVE");
        } else if (m_diskFull) {
            storedRows(QStringLiteral("PRAGMA max_page_count=") +
                       storedRows(QStringLiteral("PRAGMA page_count")));
        } else {
            s_diskFault = name == u"read-only" ? DiskFault::ReadOnly : DiskFault::WriteError;
        }
    }
    // Closing the other connection ends its lock.
    ~InjectedFault() {
        s_diskFault = DiskFault::None;
        s_locked = false;
        if (m_diskFull) {
            storedRows(QStringLiteral("PRAGMA max_page_count=1073741823"));
        }
    }
    InjectedFault(const InjectedFault&) = delete;
    InjectedFault& operator=(const InjectedFault&) = delete;

private:
    enum class DiskFault { None, WriteError, ReadOnly };
    static inline std::atomic<DiskFault> s_diskFault{DiskFault::None};
    static inline std::atomic<bool> s_locked{false};
    static inline sqlite3_vfs* s_platformVfs = nullptr;
    static inline const sqlite3_io_methods* s_platformMethods = nullptr;
    static inline sqlite3_io_methods s_faultyMethods{};

    static int faultyWrite(sqlite3_file* file, const void* buffer, int amount, sqlite3_int64 offset) {
        return s_diskFault == DiskFault::WriteError ? SQLITE_IOERR_WRITE
                                                    : s_platformMethods->xWrite(file, buffer, amount, offset);
    }

    static int faultyOpen(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags) {
        if (s_diskFault == DiskFault::ReadOnly && (flags & SQLITE_OPEN_MAIN_DB) != 0) {
            flags = (flags & ~(SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE)) | SQLITE_OPEN_READONLY;
        }
        const int status = s_platformVfs->xOpen(s_platformVfs, name, file, flags, outFlags);
        if (s_platformMethods == nullptr && file->pMethods != nullptr) {
            s_platformMethods = file->pMethods;
            s_faultyMethods = *s_platformMethods;
            // Version 1: no shared memory and no memory mapping, neither of which a rollback journal needs.
            s_faultyMethods.iVersion = 1;
            s_faultyMethods.xWrite = faultyWrite;
        }
        if (file->pMethods != nullptr && file->pMethods == s_platformMethods) {
            file->pMethods = &s_faultyMethods;
        }
        return status;
    }

    bool m_diskFull = false;
    Connection m_other;
};
