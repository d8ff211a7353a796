// A program folder of the test's own, with a fresh empty database in it, in place for the test's duration.
#pragma once

#include <QString>

#include <string>

#include "tests/datasupport/TempDatabase.h"
#include "ui/ProgramFolder.h"

class TestProgramFolder final {
public:
    TestProgramFolder() : m_previous(ProgramFolder::setOverride(m_book.folder().string())) {}
    ~TestProgramFolder() { ProgramFolder::setOverride(m_previous); }
    TestProgramFolder(const TestProgramFolder&) = delete;
    TestProgramFolder& operator=(const TestProgramFolder&) = delete;

    QString path() const { return QString::fromStdString(m_book.folder().string()); }
    // <folder>/Database/Database.mdb, whether or not it exists.
    QString databasePath() const { return QString::fromStdString(m_book.path()); }

private:
    TempDatabase m_book{false};
    std::string m_previous;
};
