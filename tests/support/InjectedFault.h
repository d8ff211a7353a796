// A fault injected for real while it lives: another program holding the book, a full disk, a disk failing
// every write, or a book the engine may only read.
#pragma once

#include <QString>

#include "data/Connection.h"

class InjectedFault final {
public:
    // Registers the test's file-system layer as the engine's default, so that every connection opened after
    // it goes through it: call before any opens.
    static void installDiskLayer();

    // "locked": another program's connection holds BEGIN EXCLUSIVE on the book in the program folder;
    // "disk full": the program's connection may not grow the file by a single page; "write error": every
    // write gives an I/O error; "read-only": the book opens read-only.
    InjectedFault(const QString& name, const QString& programFolder);
    ~InjectedFault();
    InjectedFault(const InjectedFault&) = delete;
    InjectedFault& operator=(const InjectedFault&) = delete;

private:
    bool m_diskFull = false;
    Connection m_other;
};
