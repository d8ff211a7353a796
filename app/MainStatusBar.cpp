// The status bar's panels at their widths in twips, the lock keys' state and a clock kept to the minute.
#include "app/MainStatusBar.h"

#include <QDateTime>
#include <QLabel>
#include <QLocale>
#include <QRegularExpression>

#include "app/LockKeys.h"
#include "ui/DateText.h"
#include "ui/Fonts.h"
#include "ui/Guard.h"
#include "ui/Twips.h"

using namespace Qt::StringLiterals;

MainStatusBar::MainStatusBar(QWidget* parent) : QStatusBar(parent) {
    setObjectName(u"StatusBar1"_s);
    setFont(Fonts::tahoma(true));
    setSizeGripEnabled(false);

    m_panels[0] = addPanel(1, 7050, 4200);
    m_panels[0]->setText(u"O r v e l l a  (Version 1.0.1)"_s);
    for (std::size_t index = 1; index < m_panels.size(); ++index) {
        m_panels[index] = addPanel(static_cast<int>(index) + 1, 1440, 1440);
        m_panels[index]->setAlignment(Qt::AlignCenter);
    }

    m_lockKeys = new LockKeys(this);
    connect(m_lockKeys, &LockKeys::changed, this, guard(this, &MainStatusBar::showLockKeys));
    showLockKeys();

    m_clock.setSingleShot(true);
    m_clock.setTimerType(Qt::PreciseTimer);
    connect(&m_clock, &QTimer::timeout, this, guard([this] {
        showDateAndTime();
        scheduleNextMinute();
    }));
    showDateAndTime();
    scheduleNextMinute();
}

MainStatusBar::~MainStatusBar() = default;

QLabel* MainStatusBar::panel(int index) const {
    return m_panels.at(static_cast<std::size_t>(index));
}

QLabel* MainStatusBar::addPanel(int number, int widthTwips, int minimumWidthTwips) {
    auto* label = new QLabel(this);
    label->setObjectName(u"Panel%1"_s.arg(number));
    // The panel takes its full width when there is room and gives way down to its minimum.
    label->setMinimumWidth(Twips::toPixels(minimumWidthTwips));
    label->setMaximumWidth(Twips::toPixels(widthTwips));
    label->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setIndent(3);
    addWidget(label, widthTwips > minimumWidthTwips ? 1 : 0);
    return label;
}

void MainStatusBar::showLockKeys() {
    if (!m_lockKeys->available()) {
        m_panels[1]->setText(u"CAPS n/a"_s);
        m_panels[2]->setText(u"NUM n/a"_s);
        return;
    }
    // As a keyboard's lights: the name in full when the key is locked, greyed out when not.
    m_panels[1]->setText(u"CAPS"_s);
    m_panels[1]->setEnabled(m_lockKeys->capsLock());
    m_panels[2]->setText(u"NUM"_s);
    m_panels[2]->setEnabled(m_lockKeys->numLock());
}

void MainStatusBar::showDateAndTime() {
    const QDateTime now = QDateTime::currentDateTime();
    m_panels[3]->setText(DateText::toText(now.date()));
    // The panel changes once a minute, so a locale whose short time shows seconds loses them here.
    QString timeFormat = QLocale().timeFormat(QLocale::ShortFormat);
    timeFormat.remove(QRegularExpression(u"[:.]s+"_s));
    m_panels[4]->setText(QLocale().toString(now.time(), timeFormat));
}

void MainStatusBar::scheduleNextMinute() {
    const QTime now = QTime::currentTime();
    const int intoMinute = now.second() * 1000 + now.msec();
    // A few milliseconds past the boundary, so the new minute has begun when the panels are written.
    constexpr int kPastBoundaryMs = 5;
    m_clock.start(60 * 1000 - intoMinute + kPastBoundaryMs);
}
