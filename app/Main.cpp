// Start-up: every failure is shown with its own description and ends the program, leaving the book as it was.
#include "app/Main.h"

#include <QCoreApplication>
#include <QString>

#include <exception>
#include <string>

#include "app/Program.h"
#include "data/BookLock.h"
#include "data/ConnectionString.h"
#include "ui/MessageBox.h"
#include "ui/Module2.h"
#include "ui/ProgramFolder.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int kFailedStatus = 1;

int failStartUp(Program& program, const QString& description) {
    // The splash stays on top of everything: the message would sit beneath it.
    program.hideSplash();
    MsgBox(description, Msg::OkExclamation, u"Orvella"_s);
    program.closeWindows();
    // A start that came to nothing leaves no file beside the book.
    program.bookLock().release();
    return kFailedStatus;
}

}  // namespace

std::optional<int> Main(Program& program) {
    try {
        // The single-copy rule is one program per book, so the book's path comes first. Without a
        // Database folder there is nothing to lock, and the open below says what is missing.
        const std::string connectionString = ConnectionString::forProgramFolder(ProgramFolder::path());
        if (program.bookLock().take(ConnectionString::dataSourcePath(connectionString)) ==
            BookLock::Outcome::HeldByRunningProgram) {
            MsgBox(u"Application is already running"_s, Msg::OkInformation, u"Orvella"_s);
            return 0;
        }

        program.showSplash();
        // Once, so that the splash is painted before the connection blocks.
        QCoreApplication::processEvents();

        Module2::ConnString() = connectionString;
        Module2::Connection().Open(Module2::ConnString(), "", "");

        program.showMainWindow();
        return std::nullopt;
    } catch (const std::exception& failure) {
        return failStartUp(program, QString::fromUtf8(failure.what()));
    } catch (...) {
        return failStartUp(program, u"An unexpected error occurred."_s);
    }
}
