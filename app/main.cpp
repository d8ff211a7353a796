// The executable: the application object, start-up, and the event loop once the main window is up.
#include <QApplication>

#include "app/Main.h"
#include "app/Program.h"
#include "ui/Fonts.h"
#include "ui/StartupProbe.h"

using namespace Qt::StringLiterals;

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(u"Orvella"_s);
    Fonts::useTahomaForApplication();

    StartupProbe::printMessages();
    Program program;
    if (const std::optional<int> status = Main(program)) {
        return *status;
    }
    return QApplication::exec();
}
