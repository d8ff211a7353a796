// The About window: white, fixed size, a tool window centred on the screen.
#include "app/FormAbout.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPalette>
#include <QScreen>

#include "ui/Fonts.h"
#include "ui/Twips.h"

using namespace Qt::StringLiterals;

FormAbout::FormAbout(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(u"FormAbout"_s);
    setWindowTitle(u"About Orvella 1.0"_s);
    setFixedSize(Twips::size(4905, 1335));
    setSizeGripEnabled(false);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
    setFont(Fonts::tahoma());

    Label1 = new QLabel(u"Orvella keeps the books of your income and expenses.\nVersion 1.0.1"_s, this);
    Label1->setObjectName(u"Label1"_s);
    QPalette text = Label1->palette();
    text.setColor(QPalette::WindowText, Qt::black);
    Label1->setPalette(text);
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label1->setWordWrap(true);
    Twips::place(Label1, 120, 240, 4695, 855);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = rect();
        frame.moveCenter(screen->geometry().center());
        move(frame.topLeft());
    }
}

FormAbout::~FormAbout() = default;
