// The simple combo box: picking, one focus for field and list, keys seen before the field, height.
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

#include "ui/SimpleCombo.h"
#include "ui/Twips.h"

using namespace Qt::StringLiterals;

class SimpleComboTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_window.reset(); }
    void pickingAndTyping_data();
    void pickingAndTyping();
    void fieldAndListShareOneFocus();
    void keyPressComesBeforeTheField_data();
    void keyPressComesBeforeTheField();
    void heightOpensTheListOverTheControlsBelow();

private:
    std::unique_ptr<QWidget> m_window;
    QLineEdit* m_before = nullptr;
    SimpleCombo* m_combo = nullptr;
    QLineEdit* m_below = nullptr;
};

void SimpleComboTest::init() {
    m_window = std::make_unique<QWidget>();
    m_before = new QLineEdit(m_window.get());
    Twips::place(m_before, 0, 0, 1500, 315);
    m_combo = new SimpleCombo(m_window.get());
    Twips::place(m_combo, 0, 600, 2895, 1500);
    m_below = new QLineEdit(m_window.get());
    Twips::place(m_below, 0, 1200, 1500, 315);
    for (const QString& name : {u"Bonus"_s, u"Rent"_s, u"Salary"_s, u"Sales"_s}) {
        m_combo->addItem(name);
    }
    m_window->resize(300, 200);
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void SimpleComboTest::pickingAndTyping_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<int>("clickedRow");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("index");
    QTest::newRow("arrow keys") << QString()
                                << QList<int>{Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up} << -1
                                << u"Rent"_s << 1;
    QTest::newRow("typing selects the first entry it begins")
        << u"sa"_s << QList<int>{} << -1 << u"sa"_s << 2;
    QTest::newRow("typing something else selects none") << u"Salt"_s << QList<int>{} << -1 << u"Salt"_s << -1;
    QTest::newRow("click on the entry typing selected") << u"sal"_s << QList<int>{} << 2 << u"Salary"_s << 2;
}

void SimpleComboTest::pickingAndTyping() {
    QFETCH(QString, typed);
    QFETCH(QList<int>, keys);
    QFETCH(int, clickedRow);
    QFETCH(QString, text);
    QFETCH(int, index);
    m_combo->setFocus();
    QTest::keyClicks(m_combo->editField(), typed);
    for (const int key : keys) {
        QTest::keyClick(m_combo->editField(), Qt::Key(key));
    }
    if (clickedRow >= 0) {
        const QRect rect = m_combo->list()->visualItemRect(m_combo->list()->item(clickedRow));
        QTest::mouseClick(m_combo->list()->viewport(), Qt::LeftButton, {}, rect.center());
    }
    QCOMPARE(m_combo->text(), text);
    QCOMPARE(m_combo->listIndex(), index);
}

void SimpleComboTest::fieldAndListShareOneFocus() {
    QSignalSpy got(m_combo, &SimpleCombo::GotFocus);
    QSignalSpy lost(m_combo, &SimpleCombo::LostFocus);
    m_before->setFocus();
    QTest::keyClick(m_before, Qt::Key_Tab);
    QVERIFY(m_combo->editField()->hasFocus());
    QCOMPARE(got.count(), 1);
    const QRect rect = m_combo->list()->visualItemRect(m_combo->list()->item(1));
    QTest::mouseClick(m_combo->list()->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::keyClick(m_combo->editField(), Qt::Key_Down);
    QVERIFY(m_combo->editField()->hasFocus());
    QCOMPARE(lost.count(), 0);
    QTest::keyClick(m_combo->editField(), Qt::Key_Tab);
    QVERIFY(m_below->hasFocus());
    QCOMPARE(got.count(), 1);
    QCOMPARE(lost.count(), 1);
}

void SimpleComboTest::keyPressComesBeforeTheField_data() {
    // The key pressed in the field holding "ab", the character KeyPress reports and the field's text at that
    // moment (nothing for a key that types none), and the text after the key.
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("keyText");
    QTest::addColumn<QString>("reported");
    QTest::addColumn<QString>("after");
    QTest::newRow("letter") << int(Qt::Key_X) << u"x"_s << u"120 ab"_s << u"abx"_s;
    QTest::newRow("Enter") << int(Qt::Key_Return) << u"\r"_s << u"13 ab"_s << u"ab"_s;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << QString() << u"13 ab"_s << u"ab"_s;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << u"\x1b"_s << u"27 ab"_s << u"ab"_s;
    QTest::newRow("Backspace") << int(Qt::Key_Backspace) << u"\b"_s << u"8 ab"_s << u"a"_s;
    QTest::newRow("arrow types nothing") << int(Qt::Key_Left) << QString() << QString() << u"ab"_s;
}

void SimpleComboTest::keyPressComesBeforeTheField() {
    QFETCH(int, key);
    QFETCH(QString, keyText);
    QFETCH(QString, reported);
    QFETCH(QString, after);
    m_combo->setFocus();
    m_combo->setText(u"ab"_s);
    QStringList seen;
    connect(m_combo, &SimpleCombo::KeyPress, this,
            [&](int ascii) { seen << QString::number(ascii) + u' ' + m_combo->text(); });
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, keyText);
    QApplication::sendEvent(m_combo->editField(), &press);
    QCOMPARE(seen.join(u", "_s), reported);
    QCOMPARE(m_combo->text(), after);
}

void SimpleComboTest::heightOpensTheListOverTheControlsBelow() {
    const QPoint overBelow = m_below->geometry().center();
    m_combo->setHeightTwips(315);
    QCOMPARE(m_combo->heightTwips(), 315);
    QVERIFY(!m_combo->list()->isVisible());
    m_combo->setHeightTwips(1500);
    m_combo->raise();
    QVERIFY(m_combo->list()->isVisible());
    QCOMPARE(m_combo->list()->geometry().bottom(), m_combo->height() - 1);
    QVERIFY(m_combo->isAncestorOf(m_window->childAt(overBelow)));
}

QTEST_MAIN(SimpleComboTest)
#include "test_SimpleCombo.moc"
