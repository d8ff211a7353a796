// Temporary file, atomic move into place without replacing anything.
#include "tools/PendingFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "data/DbError.h"

namespace fs = std::filesystem;

namespace {

std::string folderOf(const std::string& path) {
    const fs::path folder = fs::path(path).parent_path();
    return folder.empty() ? "." : folder.string();
}

// A file system that cannot rename without replacing may still make a second name and drop the first.
bool moveWithoutReplacing(const std::string& from, const std::string& to) {
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return false;
    }
    if (link(from.c_str(), to.c_str()) != 0) {
        return false;
    }
    unlink(from.c_str());
    return true;
}

// A rename is on disk only once the folder holding the name is.
void makeNameDurable(const std::string& name) {
    const int folder = open(folderOf(name).c_str(), O_RDONLY | O_DIRECTORY);
    const bool durable = folder >= 0 && fsync(folder) == 0;
    const int error = errno;
    if (folder >= 0) {
        close(folder);
    }
    if (!durable) {
        throw DbError("'" + name +
                      "' was written, but its folder could not be flushed to disk: " + std::strerror(error));
    }
}

}  // namespace

PendingFile::PendingFile(std::string finalPath) : m_final(std::move(finalPath)) {
    std::string pattern = folderOf(m_final) + "/." + fs::path(m_final).filename().string() + ".XXXXXX";
    const int descriptor = mkstemp(pattern.data());
    if (descriptor < 0) {
        throw DbError("Cannot write in the folder of '" + m_final + "': " + std::strerror(errno));
    }
    // mkstemp makes the file for its owner alone; the book gets the mode any new file of the user gets.
    const mode_t mask = umask(0);
    umask(mask);
    if (fchmod(descriptor, 0666 & ~mask) != 0) {
        const int error = errno;
        close(descriptor);
        unlink(pattern.c_str());
        throw DbError("Cannot write in the folder of '" + m_final + "': " + std::strerror(error));
    }
    close(descriptor);
    m_temporary = pattern;
}

PendingFile::~PendingFile() {
    // Not placed: a failure is being reported already; a temporary file that will not go is left as it is.
    if (!m_placed) {
        std::error_code ignored;
        fs::remove(m_temporary, ignored);
        fs::remove(m_temporary + "-journal", ignored);
    }
}

void PendingFile::place() {
    if (!placeAs(m_final)) {
        throw DbError("'" + m_final + "' appeared meanwhile; it was left as it is.");
    }
}

bool PendingFile::placeAs(const std::string& name) {
    if (!moveWithoutReplacing(m_temporary, name)) {
        if (errno == EEXIST) {
            return false;
        }
        throw DbError("Cannot name the file '" + name + "': " + std::strerror(errno));
    }
    m_placed = true;
    makeNameDurable(name);
    return true;
}

void PendingFile::replace() {
    if (std::rename(m_temporary.c_str(), m_final.c_str()) != 0) {
        throw DbError("Cannot name the file '" + m_final + "': " + std::strerror(errno));
    }
    m_placed = true;
    makeNameDurable(m_final);
}
