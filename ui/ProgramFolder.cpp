// The program's folder, overridable so tests can run the program over a database of their own.
#include "ui/ProgramFolder.h"

#include <filesystem>
#include <stdexcept>
#include <system_error>
#include <utility>

namespace ProgramFolder {

namespace {
std::string& overridden() {
    static std::string folder;
    return folder;
}
}  // namespace

std::string path() {
    if (!overridden().empty()) {
        return overridden();
    }
    // As bytes: a name that is not valid in the user's encoding would not survive a round trip through
    // text, and the book found would be another one.
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || !executable.is_absolute()) {
        throw std::runtime_error(
            "Cannot find the program's folder: the path of its executable cannot be read (" +
            (error ? error.message() : executable.native()) + ").");
    }
    return executable.parent_path().native();
}

std::string setOverride(std::string folder) {
    return std::exchange(overridden(), std::move(folder));
}

}  // namespace ProgramFolder
