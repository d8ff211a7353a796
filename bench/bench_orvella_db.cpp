// orvella-db as a user runs it, the whole process timed: a rotating backup of a book of a million income
// records, integrity check included, and the import of a CSV file of 100,000 income records (as export
// writes it) into an empty book.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "data/Schema.h"
#include "data/SqliteHandles.h"

namespace fs = std::filesystem;

namespace {

// A folder of its own for the run, removed at the end.
class Scratch {
public:
    Scratch() : m_folder(fs::temp_directory_path() / ("orvella-db-bench-" + std::to_string(::getpid()))) {
        fs::create_directories(m_folder);
    }
    ~Scratch() { fs::remove_all(m_folder); }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

    std::string operator/(const std::string& name) const { return (m_folder / name).string(); }

private:
    fs::path m_folder;
};

Scratch& scratch() {
    static Scratch folder;
    return folder;
}

// A book of that many income records as the windows write them: a date over ten years, one of thirty
// sources, an amount in rupees and paise, particulars of about thirty characters.
std::string bookOf(long long records) {
    const std::string path = scratch() / ("book-" + std::to_string(records) + ".mdb");
    if (fs::exists(path)) {
        return path;
    }
    Schema::createDatabase(path);
    sqlite3* raw = nullptr;
    sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    const SqliteDb db(raw);
    const std::string fill =
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
        std::to_string(records) +
        ") INSERT INTO Income SELECT i, date('2015-01-01', '+' || (i % 3650) || ' days'), "
        "'Source ' || (i % 30 + 1), (i % 100000) / 4.0, 'Particulars of income record ' || i FROM n";
    sqlite3_exec(raw, fill.c_str(), nullptr, nullptr, nullptr);
    return path;
}

// Runs orvella-db with the arguments, its output dropped; false when it fails.
bool orvellaDb(const std::string& arguments) {
    return std::system((std::string(ORVELLA_DB_TOOL) + " " + arguments + " >/dev/null").c_str()) == 0;
}

// Each copy of the book is made beside the last, which --keep 1 then removes.
void BM_BackupToFolder(benchmark::State& state) {
    const std::string book = bookOf(state.range(0));
    state.counters["book_MB"] = static_cast<double>(fs::file_size(book)) / 1e6;
    for (auto _ : state) {
        if (!orvellaDb("backup " + book + " --to " + (scratch() / "Backups") + " --keep 1")) {
            state.SkipWithError("the backup failed");
            break;
        }
    }
}

void BM_ImportIntoEmptyBook(benchmark::State& state) {
    const std::string csv = scratch() / "csv";
    if (!fs::exists(csv) && !orvellaDb("export " + bookOf(state.range(0)) + " " + csv)) {
        state.SkipWithError("the export failed");
        return;
    }
    const std::string fresh = scratch() / "fresh.mdb";
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove(fresh);
        Schema::createDatabase(fresh);
        state.ResumeTiming();
        if (!orvellaDb("import " + fresh + " Income " + csv + "/Income.csv")) {
            state.SkipWithError("the import failed");
            break;
        }
    }
}

}  // namespace

BENCHMARK(BM_BackupToFolder)->Arg(1'000'000)->UseRealTime()->MinTime(5.0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportIntoEmptyBook)->Arg(100'000)->UseRealTime()->MinTime(5.0)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
