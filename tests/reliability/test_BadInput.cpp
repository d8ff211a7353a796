// Awkward texts, amounts and dates entered into the income window: stored and read back exactly, or refused.
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include <cstddef>
#include <memory>

#include "data/ConnectionString.h"
#include "tests/support/MessageRecorder.h"
#include "tests/support/StoredRows.h"
#include "tests/support/TestProgramFolder.h"
#include "tests/support/TopLevelWindows.h"
#include "transactions/DatePicker.h"
#include "transactions/frmIncome.h"
#include "ui/ListView.h"
#include "ui/Module2.h"
#include "ui/SimpleCombo.h"

using namespace Qt::StringLiterals;

namespace {

void execute(const QString& statement) {
    Module2::Connection().Execute(statement.toStdString());
}

QString dump(const char* query) {
    return storedRows(QString::fromUtf8(query));
}

// Everything in the file but the income record being saved.
QString everythingElse() {
    return dump("Select * from GMaster order by SrNo") + u"\n--\n"_s +
           dump("Select * from Expenses order by SrNo") + u"\n--\n"_s +
           dump("Select * from Income where SrNo<>2 order by SrNo");
}

QString entries(const TransactionWindow* window) {
    return QStringList{window->TxtSrNo->text(), window->DTPicker1->date().toString(Qt::ISODate),
                       window->nameBox()->text(), window->TxtAmount->text(),
                       window->TxtParticulars->toPlainText()}
        .join(u'|');
}

}  // namespace

class BadInputTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestProgramFolder> m_folder;
    std::unique_ptr<MessageRecorder> m_messages;
    std::unique_ptr<QMdiArea> m_area;
    TransactionWindow* m_window = nullptr;

    // Saves a second income record through the window as the user would, pasting the texts, then picks it
    // from the list.
    void saveAndPickBack(const QDate& date, const QString& name, const QString& amount,
                         const QString& particulars) {
        QTest::mouseClick(m_window->CmdNew, Qt::LeftButton);
        QCOMPARE(m_window->TxtSrNo->text(), u"2"_s);
        m_window->DTPicker1->setDate(date);
        QGuiApplication::clipboard()->setText(name);
        QTest::keyClick(m_window->nameBox()->editField(), Qt::Key_V, Qt::ControlModifier);
        m_window->TxtAmount->setText(amount);
        QGuiApplication::clipboard()->setText(particulars);
        QTest::keyClick(m_window->TxtParticulars, Qt::Key_V, Qt::ControlModifier);
        QTest::mouseClick(m_window->CmdSave, Qt::LeftButton);
        QCOMPARE(m_messages->last().prompt, u"Saved successfully"_s);
        QCOMPARE(m_window->ListView1->itemCount(), 2);
        m_window->TxtSrNo->setText(u"2"_s);
        m_window->LoadData();
    }

private slots:
    void init() {
        m_folder = std::make_unique<TestProgramFolder>();
        Module2::Connection().Open(ConnectionString::forProgramFolder(m_folder->path().toStdString()));
        execute(u"Insert Into GMaster values(1,'Salary','2'),(2,'Rent','1')"_s);
        execute(u"Insert Into Income values(1,'2024-03-15','Salary',0.1,'first')"_s);
        execute(u"Insert Into Expenses values(1,'2024-03-16','Rent',700,'March')"_s);
        m_messages = std::make_unique<MessageRecorder>();
        m_area = std::make_unique<QMdiArea>();
        m_area->resize(1000, 600);
        m_area->show();
        m_window = new frmIncome(m_area.get());
        m_window->load();
        m_window->show();
    }

    void cleanup() {
        m_area.reset();
        m_messages.reset();
        Module2::Connection().Close();
        m_folder.reset();
        QTRY_VERIFY(visibleTopLevelWindows().isEmpty());
    }

    void textsAreStoredAndReadBackExactly_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("particulars");
        QTest::newRow("particulars of 1 MB")
            << u"Salary"_s
            << QString(u"Paid in cash at the market, receipt kept in the blue file 0123\n"_s).repeated(16384);
        QTest::newRow("name of 40,000 characters") << QString(u"Nm"_s).repeated(20000) << u"long name"_s;
        QTest::newRow("control characters and tabs")
            << u"a\tb\x01\x1f\x7f"_s << u"\tcol1\tcol2\x02\x1b[31m\x0b\x0c end"_s;
        QTest::newRow("emoji") << u"Gift \U0001F381"_s
                               << u"\U0001F468\u200D\U0001F469\u200D\U0001F467 \U0001F4B0"_s;
        QTest::newRow("right-to-left")
            << u"\u0645\u0631\u062A\u0628"_s
            << u"\u202E\u05E9\u05DC\u05D5\u05DD abc \u0627\u0644\u0633\u0644\u0627\u0645"_s;
        QTest::newRow("statement break-out")
            << u"'); DROP TABLE Income; --"_s << u"x'); Delete from GMaster; --"_s;
        QTest::newRow("backslash quote") << u"\\'"_s << u"\\'\\\\'"_s;
        QTest::newRow("quotes only") << u"''''"_s << u"'"_s;
        QTest::newRow("nul-free binary-ish") << u"\u00ff\u00fe\uFEFF"_s << u"\uFFFD\uFFFF"_s;
        // No text column holds a NUL: the boxes drop it and keep the rest.
        QTest::newRow("NUL") << u"Gift\0 Card"_s << u"\0in cash\0\0,\n\0kept\0"_s;
    }

    void textsAreStoredAndReadBackExactly() {
        QFETCH(QString, name);
        QFETCH(QString, particulars);
        const QString others = everythingElse();

        saveAndPickBack(QDate(2024, 2, 29), name, u"5"_s, particulars);
        // What a text column can hold: everything but NUL.
        name.remove(QChar());
        particulars.remove(QChar());

        QCOMPARE(m_window->nameBox()->text(), name);
        QCOMPARE(m_window->TxtParticulars->toPlainText(), particulars);
        QCOMPARE(dump("Select IncSource, IncDescription from Income where SrNo=2"),
                 name + u'|' + particulars);
        QCOMPARE(m_window->ListView1->cellText(1, 2), name);
        QCOMPARE(everythingElse(), others);
        QCOMPARE(m_window->LblTotal->text(), u"Total : Rs. 5.1"_s);
    }

    void amountBoxKeepsOnlyExactAmounts_data() {
        QTest::addColumn<QString>("typed");
        // What the box holds afterwards; empty when it refused the text.
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("total");
        QTest::newRow("1e308") << u"1e308"_s << QString() << QString() << QString();
        QTest::newRow("1e400") << u"1e400"_s << QString() << QString() << QString();
        QTest::newRow("2^53 + 1") << u"9007199254740993"_s << QString() << QString() << QString();
        QTest::newRow("five decimals") << u"0.00001"_s << QString() << QString() << QString();
        QTest::newRow("negative") << u"-5"_s << QString() << QString() << QString();
        QTest::newRow("grouped") << u"1,000"_s << QString() << QString() << QString();
        QTest::newRow("decimal comma") << u"12,5"_s << QString() << QString() << QString();
        QTest::newRow("0.0001") << u"0.0001"_s << u"0.0001"_s << u"0.0001"_s << u"0.1001"_s;
        QTest::newRow("blanks around") << u"  12.5  "_s << u"  12.5  "_s << u"12.5"_s << u"12.6"_s;
        QTest::newRow("-0") << u"-0"_s << u"-0"_s << u"0"_s << u"0.1"_s;
        QTest::newRow("+5") << u"+5"_s << u"+5"_s << u"5"_s << u"5.1"_s;
        QTest::newRow(".5") << u".5"_s << u".5"_s << u"0.5"_s << u"0.6"_s;
        QTest::newRow("5.") << u"5."_s << u"5."_s << u"5"_s << u"5.1"_s;
        QTest::newRow("eleven digits")
            << u"99999999999.9"_s << u"99999999999.9"_s << u"99999999999.9"_s << u"100000000000"_s;
        QTest::newRow("sixteen-digit total") << u"99999999999.9999"_s << u"99999999999.9999"_s
                                             << u"99999999999.9999"_s << u"100000000000.0999"_s;
    }

    void amountBoxKeepsOnlyExactAmounts() {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QFETCH(QString, stored);
        QFETCH(QString, total);
        QTest::mouseClick(m_window->CmdNew, Qt::LeftButton);
        m_window->TxtAmount->setText(typed);
        QCOMPARE(m_window->TxtAmount->text(), kept);
        if (kept.isEmpty()) {
            return;
        }
        m_window->nameBox()->setText(u"Salary"_s);
        m_window->TxtParticulars->setPlainText(u"edge"_s);
        QTest::mouseClick(m_window->CmdSave, Qt::LeftButton);
        QCOMPARE(m_messages->last().prompt, u"Saved successfully"_s);
        QCOMPARE(dump("Select IncAmount from Income where SrNo=2"), stored);
        QCOMPARE(m_window->ListView1->cellText(1, 3), stored);
        // The first record holds 0.1: the total is the exact decimal sum of the two.
        QCOMPARE(m_window->LblTotal->text(), u"Total : Rs. "_s + total);
    }

    void datesAtThePickersLimits_data() {
        QTest::addColumn<bool>("lowest");
        QTest::newRow("minimum date") << true;
        QTest::newRow("maximum date") << false;
    }

    void datesAtThePickersLimits() {
        QFETCH(bool, lowest);
        const QDate date = lowest ? m_window->DTPicker1->minimumDate() : m_window->DTPicker1->maximumDate();
        QVERIFY(date.isValid());
        saveAndPickBack(date, u"Salary"_s, u"1"_s, u"edge of the calendar"_s);
        QCOMPARE(entries(m_window),
                 u"2|"_s + date.toString(Qt::ISODate) + u"|Salary|1|edge of the calendar"_s);
        QCOMPARE(dump("Select IncDate from Income where SrNo=2"), date.toString(Qt::ISODate));
    }
};

QTEST_MAIN(BadInputTest)
#include "test_BadInput.moc"
