// A program folder of the test's own, with a fresh empty database in it, in place for the test's duration.
#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <stdexcept>
#include <string>

#include "data/Schema.h"
#include "ui/ProgramFolder.h"

class TestProgramFolder final {
public:
    TestProgramFolder() {
        if (!m_folder.isValid()) {
            throw std::runtime_error("cannot make a temporary program folder");
        }
        QDir(m_folder.path()).mkpath(QStringLiteral("Database"));
        Schema::createDatabase(databasePath().toStdString());
        m_previous = ProgramFolder::setOverride(QFile::encodeName(m_folder.path()).toStdString());
    }
    ~TestProgramFolder() { ProgramFolder::setOverride(m_previous); }
    TestProgramFolder(const TestProgramFolder&) = delete;
    TestProgramFolder& operator=(const TestProgramFolder&) = delete;

    QString path() const { return m_folder.path(); }
    // <folder>/Database/Database.mdb, whether or not it exists.
    QString databasePath() const { return m_folder.path() + QStringLiteral("/Database/Database.mdb"); }

private:
    QTemporaryDir m_folder;
    std::string m_previous;
};
