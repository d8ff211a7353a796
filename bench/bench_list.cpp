// A large book in the income list: the time from the query to the list's first paint, the engine's own
// reading time for comparison, and the memory each listed row costs.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sqlite3.h>
#include <unistd.h>

#include <QApplication>
#include <QTemporaryDir>

#include <chrono>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include "data/Connection.h"
#include "data/ConnectionString.h"
#include "data/Recordset.h"
#include "data/Schema.h"
#include "data/SqliteHandles.h"
#include "ui/Fonts.h"
#include "ui/ListView.h"
#include "ui/Module2.h"
#include "ui/Pictures.h"
#include "ui/Twips.h"

namespace {

constexpr const char* kQuery = "Select * from Income";

// A database of the given number of income records of five fields: one record number, a date, a source
// name of eight characters, an amount in rupees and paise, particulars of about twenty characters.
class IncomeBook {
public:
    explicit IncomeBook(long rows) {
        const std::string folder = m_folder.path().toStdString();
        std::filesystem::create_directory(folder + "/Database");
        Schema::createDatabase(folder + "/Database/Database.mdb");
        m_connection.Open(ConnectionString::forProgramFolder(folder));
        m_connection.Execute("BEGIN");
        m_connection.Execute("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
                             std::to_string(rows) +
                             ") INSERT INTO Income SELECT i, date('1990-01-01', '+' || (i / 40) || ' days'), "
                             "'Client ' || char(65 + i % 26), ((i * 7919) % 10000000) / 100.0, "
                             "'Invoice ' || (100000 + i) || ' settled' FROM n");
        m_connection.Execute("COMMIT");
    }

    Connection& connection() { return m_connection; }

private:
    QTemporaryDir m_folder;
    Connection m_connection;
};

IncomeBook& book(long rows) {
    static std::map<long, std::unique_ptr<IncomeBook>> books;
    auto& entry = books[rows];
    if (!entry) {
        entry = std::make_unique<IncomeBook>(rows);
    }
    return *entry;
}

// The income window's list, shown at its size on the window.
class IncomeList {
public:
    IncomeList() {
        m_list.setColumns({{QStringLiteral("###"), 0, Qt::AlignLeft},
                           {QStringLiteral("Date"), 1200, Qt::AlignHCenter},
                           {QStringLiteral("Category"), 2500, Qt::AlignLeft},
                           {QStringLiteral("Amount"), 1000, Qt::AlignRight}});
        m_list.setImageList({Pictures::icon(QStringLiteral("row"))});
        m_list.resize(Twips::size(5055, 3555));
        m_list.show();
    }

    ListView& list() { return m_list; }

private:
    ListView m_list{nullptr};
};

long residentBytes() {
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

// Steps through every row of the list's query and reads every field, keeping nothing.
std::size_t readAllRows(Connection& connection) {
    const SqliteStatement statement = connection.prepare(kQuery);
    std::size_t bytes = 0;
    while (sqlite3_step(statement.get()) == SQLITE_ROW) {
        for (int column = 0; column < 5; ++column) {
            switch (sqlite3_column_type(statement.get(), column)) {
                case SQLITE_INTEGER:
                    bytes += static_cast<std::size_t>(sqlite3_column_int64(statement.get(), column) & 1);
                    break;
                case SQLITE_FLOAT:
                    bytes += sqlite3_column_double(statement.get(), column) > 0 ? 1 : 0;
                    break;
                case SQLITE_TEXT:
                    benchmark::DoNotOptimize(sqlite3_column_text(statement.get(), column));
                    bytes += static_cast<std::size_t>(sqlite3_column_bytes(statement.get(), column));
                    break;
                default:
                    break;
            }
        }
    }
    return bytes;
}

double millisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Query, fill and paint, as the income window refills its list; the split of the time is kept as counters.
void BM_QueryToFirstPaint(benchmark::State& state) {
    IncomeBook& db = book(state.range(0));
    IncomeList shown;
    Recordset records;
    double open = 0;
    double fill = 0;
    double paint = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        records.Close();
        records.Open(kQuery, db.connection(), Recordset::adOpenStatic, Recordset::adLockBatchOptimistic);
        open += millisecondsSince(start);
        start = std::chrono::steady_clock::now();
        Module2::FillListView(shown.list(), records, 5, 1);
        fill += millisecondsSince(start);
        start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(shown.list().grab());
        paint += millisecondsSince(start);
    }
    state.counters["open_ms"] = benchmark::Counter(open, benchmark::Counter::kAvgIterations);
    state.counters["fill_ms"] = benchmark::Counter(fill, benchmark::Counter::kAvgIterations);
    state.counters["paint_ms"] = benchmark::Counter(paint, benchmark::Counter::kAvgIterations);
    state.counters["rows"] = static_cast<double>(shown.list().itemCount());
}

// The same once, on a fresh list in a process that gave its free memory back: the growth of the resident
// set is what the listed rows cost, result set and list together. Run first, in a process that has not yet
// held a large list, or freed memory the allocator keeps hides part of the growth.
void BM_MemoryPerRow(benchmark::State& state) {
    const long rows = state.range(0);
    IncomeBook& db = book(rows);
    for (auto _ : state) {
        IncomeList shown;
        shown.list().grab();
        // The engine's page cache fills on the first reading; it is the engine's, not the rows'.
        readAllRows(db.connection());
        malloc_trim(0);
        const long before = residentBytes();
        // Timed is the first fill of a new list: the query, the fill and the paint, and nothing around them.
        const auto start = std::chrono::steady_clock::now();
        Recordset records;
        records.Open(kQuery, db.connection(), Recordset::adOpenStatic, Recordset::adLockBatchOptimistic);
        const long opened = residentBytes();
        Module2::FillListView(shown.list(), records, 5, 1);
        shown.list().grab();
        state.SetIterationTime(millisecondsSince(start) / 1000);
        const long painted = residentBytes();
        state.counters["bytes_per_row"] = static_cast<double>(painted - before) / static_cast<double>(rows);
        state.counters["result_set_bytes_per_row"] =
            static_cast<double>(opened - before) / static_cast<double>(rows);
        state.counters["stored_bytes_per_row"] =
            static_cast<double>(records.rows()->byteSize()) / static_cast<double>(rows);
        state.counters["list_bytes_per_row"] =
            static_cast<double>(painted - opened) / static_cast<double>(rows);
    }
}

// The engine alone: every row stepped and every field read, with nothing kept.
void BM_EngineReadsRows(benchmark::State& state) {
    IncomeBook& db = book(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(readAllRows(db.connection()));
    }
}

}  // namespace

BENCHMARK(BM_MemoryPerRow)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EngineReadsRows)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QueryToFirstPaint)->Arg(100'000)->Arg(1'000'000)->MinTime(3.0)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    Fonts::useTahomaForApplication();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
