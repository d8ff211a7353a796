// Start-up: every failure after the single-copy test is shown with its own description and ends the program.
#include "app/Main.h"

#include <QCoreApplication>
#include <QString>

#include <exception>

#include "app/Program.h"
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
    return kFailedStatus;
}

}  // namespace

std::optional<int> Main(Program& program) {
    try {
        if (!program.singleInstance().tryAcquire()) {
            MsgBox(u"Application is already running"_s, Msg::OkInformation, u"Orvella"_s);
            return 0;
        }

        program.showSplash();
        // Once, so that the splash is painted before the connection blocks.
        QCoreApplication::processEvents();

        Module2::ConnString() = ConnectionString::forProgramFolder(ProgramFolder::path().toStdString());
        Module2::Connection().Open(Module2::ConnString(), "", "");

        program.showMainWindow();
        return std::nullopt;
    } catch (const std::exception& failure) {
        return failStartUp(program, QString::fromUtf8(failure.what()));
    } catch (...) {
        return failStartUp(program, u"An unexpected error occurred."_s);
    }
}
