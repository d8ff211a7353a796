// A program folder of the test's own, with a fresh empty database in it, in place for the test's duration.
#pragma once

#include <QString>
#include <QTemporaryDir>

#include <string>

class TestProgramFolder final {
public:
    TestProgramFolder();
    ~TestProgramFolder();
    TestProgramFolder(const TestProgramFolder&) = delete;
    TestProgramFolder& operator=(const TestProgramFolder&) = delete;

    QString path() const { return m_folder.path(); }
    // <folder>/Database/Database.mdb, whether or not it exists.
    QString databasePath() const;

private:
    QTemporaryDir m_folder;
    std::string m_previous;
};
