// Speed of the income window on a large book: opening it (its whole load, up to the first paint) and a Save
// (insert, list refill, total, repaint), at 1k, 10k, 100k and 1M income records, with the process's peak
// memory. And a line of particulars 200,000 characters long without a break, on the book of 1k: pasted into
// the particulars box, saved, and loaded back into the box, each up to its paint.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QWindow>

#include <memory>
#include <string>
#include <utility>

#include "data/ConnectionString.h"
#include "data/Recordset.h"
#include "data/Schema.h"
#include "transactions/frmIncome.h"
#include "ui/Fonts.h"
#include "ui/ListView.h"
#include "ui/MessageBox.h"
#include "ui/Module2.h"
#include "ui/SimpleCombo.h"

using namespace Qt::StringLiterals;

namespace {

// A program folder whose database holds the given number of income records and thirty income sources.
class Book {
public:
    explicit Book(long long records) : m_records(records) {
        QDir(m_folder.path()).mkpath(u"Database"_s);
        const std::string path = (m_folder.path() + u"/Database/Database.mdb"_s).toStdString();
        Schema::createDatabase(path);
        Module2::Connection().Open(ConnectionString::forProgramFolder(m_folder.path().toStdString()));
        Module2::Connection().Execute(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 30) "
            "INSERT INTO GMaster SELECT i, 'Source ' || i, '2' FROM n");
        Module2::Connection().Execute(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
            std::to_string(records) +
            ") INSERT INTO Income SELECT i, date('2015-01-01', '+' || (i % 3650) || ' days'), "
            "'Source ' || (i % 30 + 1), (i % 100000) / 4.0, 'Particulars of income record ' || i FROM n");
    }

    long long records() const { return m_records; }

private:
    QTemporaryDir m_folder;
    long long m_records;
};

// The book of the size asked for; the previous one is removed first, so only one is on disk at a time.
Book& bookOf(long long records) {
    static std::unique_ptr<Book> book;
    if (!book || book->records() != records) {
        book.reset();
        Module2::Connection().Close();
        book = std::make_unique<Book>(records);
    }
    return *book;
}

QMdiArea& frame() {
    static QMdiArea* area = [] {
        auto* created = new QMdiArea;
        created->resize(1280, 800);
        created->show();
        while (created->windowHandle() == nullptr || !created->windowHandle()->isExposed()) {
            QCoreApplication::processEvents();
        }
        return created;
    }();
    return *area;
}

// Sees the widget painted.
class PaintProbe final : public QObject {
public:
    explicit PaintProbe(QWidget* widget) : m_widget(widget) { widget->installEventFilter(this); }
    ~PaintProbe() override {
        if (m_widget) {
            m_widget->removeEventFilter(this);
        }
    }
    PaintProbe(const PaintProbe&) = delete;
    PaintProbe& operator=(const PaintProbe&) = delete;

    // Forgets the paints seen so far: the next wait is for a paint still to come.
    void forget() { m_painted = false; }

    // Runs the event loop until the widget has been painted.
    void waitForPaint() {
        while (!m_painted) {
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        }
        m_painted = false;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_widget && event->type() == QEvent::Paint) {
            m_painted = true;
        }
        return false;
    }

private:
    QPointer<QWidget> m_widget;
    bool m_painted = false;
};

double peakMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void closeWindow(frmIncome* window) {
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

void OpenIncomeWindow(benchmark::State& state) {
    bookOf(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto* window = new frmIncome(&frame());
        PaintProbe painted(window);
        state.ResumeTiming();
        window->load();
        painted.waitForPaint();
        state.PauseTiming();
        if (window->ListView1->itemCount() != state.range(0)) {
            state.SkipWithError("the list does not show every record");
        }
        closeWindow(window);
        state.ResumeTiming();
    }
    state.counters["records"] = static_cast<double>(state.range(0));
    state.counters["peak_MiB"] = peakMiB();
}

void SaveIncome(benchmark::State& state) {
    bookOf(state.range(0));
    setMessageBoxHandler([](const QString&, int, const QString&) { return Msg::AnswerOk; });
    auto* window = new frmIncome(&frame());
    window->load();
    // The list in view, so the Save repaints it too.
    window->CmdDelete->click();
    PaintProbe painted(window->ListView1->viewport());
    QCoreApplication::processEvents();
    for (auto _ : state) {
        state.PauseTiming();
        window->CmdNew->click();
        const std::string added = window->TxtSrNo->text().toStdString();
        window->CboSource->setText(u"Source 7"_s);
        window->TxtAmount->setText(u"1234.5"_s);
        window->TxtParticulars->setPlainText(u"A new record"_s);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        window->CmdSave->click();
        painted.waitForPaint();
        state.PauseTiming();
        // The book keeps its size from one Save to the next.
        Module2::Connection().Execute("Delete from Income where SrNo=" + added);
        state.ResumeTiming();
    }
    state.counters["records"] = static_cast<double>(state.range(0));
    state.counters["peak_MiB"] = peakMiB();
    closeWindow(window);
    setMessageBoxHandler({});
}

constexpr long long kLongLineBook = 1000;

// Letters and digits in no order, as an encoded key or file pasted from elsewhere: nowhere to break the line.
const QString& unbrokenLine() {
    static const QString line = [] {
        const QString alphabet = u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"_s;
        QString text(200000, QChar());
        unsigned int seed = 12345;
        for (QChar& character : text) {
            seed = seed * 1103515245U + 12345U;
            character = alphabet.at(static_cast<qsizetype>((seed >> 16) % alphabet.size()));
        }
        return text;
    }();
    return line;
}

void countLongLine(benchmark::State& state, const QString& shown) {
    if (shown != unbrokenLine()) {
        state.SkipWithError("the box does not hold the line");
    }
    state.counters["characters"] = static_cast<double>(unbrokenLine().size());
}

void PasteLongLine(benchmark::State& state) {
    bookOf(kLongLineBook);
    auto* window = new frmIncome(&frame());
    window->load();
    window->CmdNew->click();
    QGuiApplication::clipboard()->setText(unbrokenLine());
    PaintProbe painted(window->TxtParticulars->viewport());
    for (auto _ : state) {
        state.PauseTiming();
        window->TxtParticulars->clear();
        QCoreApplication::processEvents();
        painted.forget();
        state.ResumeTiming();
        window->TxtParticulars->paste();
        painted.waitForPaint();
    }
    countLongLine(state, window->TxtParticulars->toPlainText());
    closeWindow(window);
}

void SaveLongLine(benchmark::State& state) {
    bookOf(kLongLineBook);
    setMessageBoxHandler([](const QString&, int, const QString&) { return Msg::AnswerOk; });
    auto* window = new frmIncome(&frame());
    window->load();
    // The list in view, so the Save repaints it too.
    window->CmdDelete->click();
    PaintProbe painted(window->ListView1->viewport());
    std::string added;
    for (auto _ : state) {
        state.PauseTiming();
        window->CmdNew->click();
        added = window->TxtSrNo->text().toStdString();
        window->CboSource->setText(u"Source 7"_s);
        window->TxtAmount->setText(u"1234.5"_s);
        window->TxtParticulars->setPlainText(unbrokenLine());
        QCoreApplication::processEvents();
        painted.forget();
        state.ResumeTiming();
        window->CmdSave->click();
        painted.waitForPaint();
        state.PauseTiming();
        Recordset stored;
        stored.Open("Select IncDescription from Income where SrNo=" + added, Module2::Connection(),
                    Recordset::adOpenStatic, Recordset::adLockBatchOptimistic);
        countLongLine(state, QString::fromStdString(stored.Fields(0).toText()));
        stored.Close();
        Module2::Connection().Execute("Delete from Income where SrNo=" + added);
        state.ResumeTiming();
    }
    closeWindow(window);
    setMessageBoxHandler({});
}

void LoadLongLine(benchmark::State& state) {
    bookOf(kLongLineBook);
    const std::string number = std::to_string(kLongLineBook + 1);
    Module2::Connection().Execute("Insert Into Income values(" + number + ",'2024-03-15','Source 7',1,'" +
                                  unbrokenLine().toStdString() + "')");
    auto* window = new frmIncome(&frame());
    window->load();
    PaintProbe painted(window->TxtParticulars->viewport());
    for (auto _ : state) {
        state.PauseTiming();
        window->BlankFields();
        QCoreApplication::processEvents();
        painted.forget();
        state.ResumeTiming();
        window->TxtSrNo->setText(QString::fromStdString(number));
        window->LoadData();
        painted.waitForPaint();
    }
    countLongLine(state, window->TxtParticulars->toPlainText());
    closeWindow(window);
    Module2::Connection().Execute("Delete from Income where SrNo=" + number);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    Fonts::useTahomaForApplication();
    const std::pair<const char*, void (*)(benchmark::State&)> longLine[] = {
        {"PasteLongLine", PasteLongLine}, {"SaveLongLine", SaveLongLine}, {"LoadLongLine", LoadLongLine}};
    for (const auto& [name, measure] : longLine) {
        benchmark::RegisterBenchmark(name, measure)->Iterations(10)->Unit(benchmark::kMillisecond);
    }
    // Both measures for one book size before the next, larger one: each book is made once, and the peak
    // memory reported at each size is that size's own (the sizes only grow).
    for (const long long records : {1000LL, 10000LL, 100000LL, 1000000LL}) {
        benchmark::RegisterBenchmark("OpenIncomeWindow", OpenIncomeWindow)
            ->Arg(records)
            ->MinTime(2.0)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("SaveIncome", SaveIncome)
            ->Arg(records)
            ->MinTime(2.0)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
