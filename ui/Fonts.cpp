// Loads the free Tahoma by hand: fontconfig does not index the folder it is installed in.
#include "ui/Fonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace Fonts {

namespace {

constexpr double kTahomaPoints = 8.25;
constexpr double kSplashTitlePoints = 26.25;

QString loadTahoma() {
    const int regular = QFontDatabase::addApplicationFont(u"/usr/share/wine/fonts/tahoma.ttf"_s);
    QFontDatabase::addApplicationFont(u"/usr/share/wine/fonts/tahomabd.ttf"_s);
    if (regular >= 0) {
        const QStringList families = QFontDatabase::applicationFontFamilies(regular);
        if (!families.isEmpty()) {
            return families.first();
        }
    }
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

const QString& tahomaFamily() {
    static const QString family = loadTahoma();
    return family;
}

}  // namespace

QFont tahoma(bool bold) {
    QFont font(tahomaFamily());
    font.setPointSizeF(kTahomaPoints);
    font.setBold(bold);
    return font;
}

QFont splashTitle() {
    QFont font;
    font.setFamilies({u"Verdana"_s, u"DejaVu Sans"_s});
    font.setPointSizeF(kSplashTitlePoints);
    font.setBold(true);
    return font;
}

void useTahomaForApplication() {
    QApplication::setFont(tahoma());
}

}  // namespace Fonts
