// The program's folder, overridable so tests can run the program over a database of their own.
#include "ui/ProgramFolder.h"

#include <QCoreApplication>

#include <utility>

namespace ProgramFolder {

namespace {
QString& overridden() {
    static QString folder;
    return folder;
}
}  // namespace

QString path() {
    if (!overridden().isEmpty()) {
        return overridden();
    }
    return QCoreApplication::applicationDirPath();
}

QString setOverride(const QString& folder) {
    return std::exchange(overridden(), folder);
}

}  // namespace ProgramFolder
