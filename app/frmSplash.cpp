// The splash window: the product name and version on dark grey, centred on the screen, busy pointer.
#include "app/frmSplash.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QScreen>

#include "ui/Fonts.h"
#include "ui/Guard.h"
#include "ui/Twips.h"

using namespace Qt::StringLiterals;

namespace {

QLabel* whiteLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    return label;
}

}  // namespace

frmSplash::frmSplash(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(u"frmSplash"_s);
    setFixedSize(Twips::size(5430, 1845));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(64, 64, 64));
    setPalette(palette);
    setFont(Fonts::tahoma());

    Label1 = whiteLabel(u"Orvella"_s, this);
    Label1->setObjectName(u"Label1"_s);
    Label1->setFont(Fonts::splashTitle());
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Twips::place(Label1, 120, 120, 5175, 735);

    Label2 = whiteLabel(u"Version 1.0.1"_s, this);
    Label2->setObjectName(u"Label2"_s);
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Twips::place(Label2, 4320, 840, 960, 195);

    CmdClose = new QPushButton(u"&Close"_s, this);
    CmdClose->setObjectName(u"CmdClose"_s);
    Twips::place(CmdClose, 4200, 1320, 1095, 375);
    CmdClose->setVisible(false);
    connect(CmdClose, &QPushButton::clicked, this, guard(this, &frmSplash::CmdClose_Click));

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = rect();
        frame.moveCenter(screen->geometry().center());
        move(frame.topLeft());
    }
    runGuarded([this] { Form_Load(); });
}

frmSplash::~frmSplash() = default;

void frmSplash::Form_Load() {
    setCursor(Qt::WaitCursor);
}

void frmSplash::CmdClose_Click() {
    close();
}
