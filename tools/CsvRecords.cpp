// libcsv does the parsing; the line numbers are counted here from the line breaks it hands over.
#include "tools/CsvRecords.h"

#include <csv.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <sstream>
#include <string_view>

#include "data/DbError.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// libcsv trims blanks around unquoted fields unless told that no character is one.
int noBlank(unsigned char) {
    return 0;
}

// What the callbacks build: line breaks are counted in the fields and between the records, so each record
// knows the line its first field is on.
struct Collected {
    std::vector<CsvRecords::Record> records;
    CsvRecords::Record current;
    bool inRecord = false;
    long long lineBreaks = 0;
};

void endField(void* bytes, std::size_t size, void* data) {
    auto& collected = *static_cast<Collected*>(data);
    const std::string_view field(bytes ? static_cast<const char*>(bytes) : "", bytes ? size : 0);
    if (!collected.inRecord) {
        collected.current.line = collected.lineBreaks + 1;
        collected.inRecord = true;
    }
    collected.current.fields.emplace_back(field);
    collected.lineBreaks += std::count(field.begin(), field.end(), '\n');
}

// Called for every line break outside quotes (CSV_REPALL_NL), so blank lines count too; -1 at the end.
void endRecord(int terminator, void* data) {
    auto& collected = *static_cast<Collected*>(data);
    if (terminator == '\n') {
        ++collected.lineBreaks;
    }
    if (collected.inRecord) {
        collected.records.push_back(std::move(collected.current));
        collected.current = {};
        collected.inRecord = false;
    }
}

std::string contents(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream read;
    read << file.rdbuf();
    if (!file) {
        throw DbError("Cannot read '" + path + "'.");
    }
    return read.str();
}

DbError notCsv(const std::string& path, long long line, const std::string& reason) {
    return DbError("'" + path + "' line " + std::to_string(line) + " is not CSV as RFC 4180 writes it: " +
                   reason + " (a quote in a field is doubled, and the field quoted).");
}

}  // namespace

std::vector<CsvRecords::Record> CsvRecords::read(const std::string& path, char separator) {
    std::string text = contents(path);
    const std::size_t start = text.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
    csv_parser parser{};
    if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI | CSV_REPALL_NL) != 0) {
        throw DbError("Cannot read '" + path + "': out of memory.");
    }
    const std::unique_ptr<csv_parser, void (*)(csv_parser*)> owned(&parser, csv_free);
    csv_set_delim(&parser, static_cast<unsigned char>(separator));
    csv_set_space_func(&parser, noBlank);
    Collected collected;
    const std::size_t size = text.size() - start;
    const std::size_t parsed = csv_parse(&parser, text.data() + start, size, endField, endRecord, &collected);
    if (parsed < size) {
        const auto end = text.begin() + static_cast<std::ptrdiff_t>(start + parsed);
        throw notCsv(path, std::count(text.begin(), end, '\n') + 1,
                     "a quote stands inside a field that is not quoted, or after a closing quote");
    }
    if (csv_fini(&parser, endField, endRecord, &collected) != 0) {
        throw notCsv(path, collected.inRecord ? collected.current.line : collected.lineBreaks + 1,
                     "a quoted field is never closed");
    }
    return std::move(collected.records);
}
