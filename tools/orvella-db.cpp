// orvella-db: the companion command that creates the program's database file.
#include <cstdio>
#include <string>
#include <string_view>

#include "data/DbError.h"
#include "data/Schema.h"

namespace {

constexpr std::string_view kUsage =
    "Usage: orvella-db create PATH\n"
    "  create PATH   make a new, empty Orvella database at PATH (an existing file is never touched)\n";

int usage() {
    std::fputs(kUsage.data(), stderr);
    return 2;
}

int create(const std::string& path) {
    Schema::createDatabase(path);
    std::printf("Created the empty database %s\n", path.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 || std::string_view(argv[1]) != "create") {
        return usage();
    }
    try {
        return create(argv[2]);
    } catch (const DbError& failure) {
        std::fprintf(stderr, "orvella-db: %s\n", failure.what());
        return 1;
    }
}
