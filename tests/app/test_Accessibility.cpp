// Every window opened from the main window: each input control has an accessible name, its prompt's words,
// and the buttons shown together never share an access key.
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

#include "app/MDIForm1.h"
#include "data/ConnectionString.h"
#include "tests/support/MessageRecorder.h"
#include "tests/support/TestProgramFolder.h"
#include "tests/support/TopLevelWindows.h"
#include "ui/Module2.h"

using namespace Qt::StringLiterals;

using NameMap = QMap<QString, QString>;

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void inputControlsAreNamed_data();
    void inputControlsAreNamed();

private:
    std::unique_ptr<TestProgramFolder> m_folder;
    std::unique_ptr<MDIForm1> m_window;
};

namespace {

// The controls a user types into, picks from or moves through. The line edit inside a date editor and the
// header of a list are their owner's parts and are announced through it.
bool takesInput(const QWidget* widget) {
    if (qobject_cast<const QLineEdit*>(widget)) {
        return !qobject_cast<const QAbstractSpinBox*>(widget->parentWidget());
    }
    if (qobject_cast<const QAbstractItemView*>(widget)) {
        return !qobject_cast<const QAbstractItemView*>(widget->parentWidget());
    }
    return qobject_cast<const QAbstractSpinBox*>(widget) || qobject_cast<const QPlainTextEdit*>(widget);
}

QString accessKey(const QString& caption) {
    const qsizetype at = caption.indexOf(u'&');
    return at >= 0 && at + 1 < caption.size() ? caption.mid(at + 1, 1).toUpper() : QString();
}

}  // namespace

void AccessibilityTest::init() {
    m_folder = std::make_unique<TestProgramFolder>();
    Module2::Connection().Open(ConnectionString::forProgramFolder(m_folder->path().toStdString()));
    m_window = std::make_unique<MDIForm1>();
    m_window->show();
}

void AccessibilityTest::cleanup() {
    m_window.reset();
    Module2::Connection().Close();
    m_folder.reset();
    QTRY_VERIFY(visibleTopLevelWindows().isEmpty());
}

void AccessibilityTest::inputControlsAreNamed_data() {
    QTest::addColumn<QStringList>("commands");
    QTest::addColumn<NameMap>("expected");
    QTest::newRow("expense categories")
        << QStringList{u"MnuExpCategory"_s}
        << NameMap{{u"TxtSrNo"_s, u"Sr. No."_s}, {u"TxtGName"_s, u"Exp. Category"_s}};
    // The same window re-labelled in place must not keep announcing the other kind.
    QTest::newRow("categories, then sources")
        << QStringList{u"MnuExpCategory"_s, u"MnuIncomeSource"_s} << NameMap{{u"TxtGName"_s, u"Source"_s}};
    QTest::newRow("sources, then categories") << QStringList{u"MnuIncomeSource"_s, u"MnuExpCategory"_s}
                                              << NameMap{{u"TxtGName"_s, u"Exp. Category"_s}};
    QTest::newRow("income") << QStringList{u"MnuIncome"_s}
                            << NameMap{{u"TxtSrNo"_s, u"Sr. No."_s},
                                       {u"DTPicker1"_s, u"Date"_s},
                                       {u"CboSource"_s, u"Source"_s},
                                       {u"TxtAmount"_s, u"Amount (Rs.)"_s},
                                       {u"TxtParticulars"_s, u"Particulars"_s}};
    QTest::newRow("expenses") << QStringList{u"MnuExpenses"_s}
                              << NameMap{{u"CboCategory"_s, u"Category"_s},
                                         {u"TxtAmount"_s, u"Amount (Rs.)"_s}};
    QTest::newRow("report") << QStringList{u"MnuReports"_s} << NameMap{};
}

void AccessibilityTest::inputControlsAreNamed() {
    QFETCH(QStringList, commands);
    QFETCH(NameMap, expected);
    MessageRecorder messages;
    for (const QString& command : commands) {
        m_window->findChild<QAction*>(command)->trigger();
    }
    const QList<QMdiSubWindow*> windows = m_window->findChild<QMdiArea*>()->subWindowList();
    QCOMPARE(windows.size(), 1);
    QWidget* window = windows.first()->widget();

    for (const QWidget* control : window->findChildren<QWidget*>()) {
        if (takesInput(control)) {
            QVERIFY2(!control->accessibleName().isEmpty(),
                     qPrintable(control->objectName() + u" ("_s +
                                QString::fromLatin1(control->metaObject()->className()) + u" in "_s +
                                control->parentWidget()->objectName() + u") has no name"_s));
        }
    }
    for (auto name = expected.cbegin(); name != expected.cend(); ++name) {
        const auto* control = window->findChild<QWidget*>(name.key());
        QVERIFY2(control, qPrintable(name.key()));
        QCOMPARE(control->accessibleName(), name.value());
    }

    QStringList keys;
    for (const QPushButton* button : window->findChildren<QPushButton*>()) {
        const QString key = accessKey(button->text());
        if (button->isVisibleTo(window) && !key.isEmpty()) {
            QVERIFY2(!keys.contains(key), qPrintable(u"two buttons take Alt+"_s + key));
            keys << key;
        }
    }
    QVERIFY(messages.messages().isEmpty());
}

QTEST_MAIN(AccessibilityTest)
#include "test_Accessibility.moc"
