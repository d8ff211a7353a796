// The records of a CSV file as RFC 4180 writes them, each with the line it starts on, read by libcsv.
#pragma once

#include <string>
#include <vector>

class CsvRecords {
public:
    struct Record {
        long long line = 0;  // where the record starts in the file, from 1
        std::vector<std::string> fields;
    };

    // Reads the whole file: fields separated by `separator`, quoted ones holding separators, quotes (doubled)
    // and line breaks, every character kept (blanks too), a leading byte-order mark dropped, blank lines
    // skipped. Fails with DbError naming the line where the file stops being such CSV.
    static std::vector<Record> read(const std::string& path, char separator);
};
