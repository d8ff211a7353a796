// A temporary program folder holding Database/Database.mdb.
#include "tests/support/TestProgramFolder.h"

#include <QDir>
#include <QFile>

#include <stdexcept>

#include "data/Schema.h"
#include "ui/ProgramFolder.h"

using namespace Qt::StringLiterals;

TestProgramFolder::TestProgramFolder() {
    if (!m_folder.isValid()) {
        throw std::runtime_error("cannot make a temporary program folder");
    }
    QDir(m_folder.path()).mkpath(u"Database"_s);
    Schema::createDatabase(databasePath().toStdString());
    m_previous = ProgramFolder::setOverride(QFile::encodeName(m_folder.path()).toStdString());
}

TestProgramFolder::~TestProgramFolder() {
    ProgramFolder::setOverride(m_previous);
}

QString TestProgramFolder::databasePath() const {
    return m_folder.path() + u"/Database/Database.mdb"_s;
}
