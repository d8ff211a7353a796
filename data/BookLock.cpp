// The book's lock file: made exclusively, held with flock while the program runs, taken over once stale.
#include "data/BookLock.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <climits>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>

#include "data/DbError.h"

namespace fs = std::filesystem;

namespace {

// Contenders that keep finding a lock taken over under them give up after this many rounds.
constexpr int kAttempts = 3;

class OpenFile {
public:
    explicit OpenFile(int descriptor) : m_descriptor(descriptor) {}
    ~OpenFile() {
        if (m_descriptor >= 0) {
            ::close(m_descriptor);
        }
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    int get() const { return m_descriptor; }
    int release() { return std::exchange(m_descriptor, -1); }

private:
    int m_descriptor;
};

std::string reasonOf(int error) {
    return std::generic_category().message(error);
}

DbError cannotLock(const std::string& lockPath, const std::string& reason) {
    const fs::path path(lockPath);
    return DbError("Cannot make the lock file '" + path.filename().native() + "' in the folder '" +
                   path.parent_path().native() + "': " + reason +
                   ". Orvella needs to write in that folder while it works on the book.");
}

// The short name the system gives a process (/proc/<pid>/comm); empty when it cannot be read.
std::string processName(const std::string& pid) {
    std::ifstream file("/proc/" + pid + "/comm");
    std::string name;
    std::getline(file, name);
    return name;
}

// Whether the process has ended and waits only for its parent to collect it (state Z in /proc/<pid>/stat).
bool isZombie(const std::string& pid) {
    std::ifstream file("/proc/" + pid + "/stat");
    std::string stat;
    std::getline(file, stat);
    const std::size_t nameEnd = stat.rfind(')');
    return nameEnd != std::string::npos && nameEnd + 2 < stat.size() && stat[nameEnd + 2] == 'Z';
}

std::string hostName() {
    char name[HOST_NAME_MAX + 1] = {};
    ::gethostname(name, sizeof name - 1);
    return name;
}

std::string lockContents() {
    const std::string pid = std::to_string(::getpid());
    return pid + "\n" + processName("self") + "\n" + hostName() + "\n";
}

bool writeAll(int descriptor, const std::string& text) {
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = ::write(descriptor, text.data() + written, text.size() - written);
        if (n < 0 && errno != EINTR) {
            return false;
        }
        written += n > 0 ? static_cast<std::size_t>(n) : 0;
    }
    return true;
}

std::string readAll(int descriptor) {
    std::string text;
    char buffer[512];
    for (ssize_t n; (n = ::read(descriptor, buffer, sizeof buffer)) > 0 && text.size() < 4096;) {
        text.append(buffer, static_cast<std::size_t>(n));
    }
    return text;
}

// Whether the lock's "pid\nprocess name\nhostname\n" names a program that may still hold it. A file that
// does not read that way may be one being written, so it counts as held.
bool ownerMayRun(const std::string& contents) {
    std::string lines[3];
    std::size_t start = 0;
    for (std::string& line : lines) {
        const std::size_t end = contents.find('\n', start);
        if (end == std::string::npos) {
            return true;
        }
        line = contents.substr(start, end - start);
        start = end + 1;
    }
    int pid = 0;
    const auto [rest, error] = std::from_chars(lines[0].data(), lines[0].data() + lines[0].size(), pid);
    if (error != std::errc() || rest != lines[0].data() + lines[0].size() || pid <= 0) {
        return true;
    }
    // A process on another machine cannot be asked.
    if (lines[2] != hostName()) {
        return true;
    }
    // The number is this process's own: the file is another lock of this process, which holds its flock,
    // or one left by an earlier process that had the number.
    if (pid == ::getpid()) {
        return false;
    }
    // Another user's process (EPERM) runs too; one that has ended but is not yet reaped (a zombie) holds
    // nothing any more.
    if ((::kill(pid, 0) != 0 && errno == ESRCH) || isZombie(lines[0])) {
        return false;
    }
    // The lock outlives a restart, and process ids are handed out again: a process of another name
    // holding the number is not the lock's owner.
    const std::string running = processName(lines[0]);
    return running.empty() || running == lines[1];
}

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Removes the lock file at this path when its owner is gone. False when a running program holds it.
bool removeIfStale(const std::string& lockPath) {
    const OpenFile file(::open(lockPath.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
    if (file.get() < 0) {
        // Gone meanwhile: the caller tries again. Unreadable: it counts as held.
        return errno == ENOENT;
    }
    if (ownerMayRun(readAll(file.get()))) {
        return false;
    }
    // A program taking the same lock over at this moment holds it until it has made its own.
    if (::flock(file.get(), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
        return false;
    }
    struct stat opened {};
    struct stat named {};
    if (::fstat(file.get(), &opened) != 0 || ::stat(lockPath.c_str(), &named) != 0 ||
        !sameFile(opened, named)) {
        return true;  // already replaced: the caller looks at the new one
    }
    if (::unlink(lockPath.c_str()) != 0 && errno != ENOENT) {
        throw cannotLock(lockPath, reasonOf(errno));
    }
    return true;
}

}  // namespace

BookLock::~BookLock() {
    release();
}

BookLock::Outcome BookLock::take(const std::string& bookPath) {
    release();
    const std::string lockPath = lockFilePath(bookPath);
    if (lockPath.empty()) {
        return Outcome::NoFolder;
    }
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        OpenFile file(::open(lockPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
        if (file.get() < 0) {
            if (errno != EEXIST) {
                throw cannotLock(lockPath, reasonOf(errno));
            }
            if (!removeIfStale(lockPath)) {
                return Outcome::HeldByRunningProgram;
            }
            continue;
        }
        // Held before anything is written, so whoever reads the whole file finds it locked. A file system
        // without flock leaves the owner's process id alone to decide.
        ::flock(file.get(), LOCK_EX | LOCK_NB);
        // On disk before the program goes on: a lock left empty by a power cut would count as held for good.
        if (!writeAll(file.get(), lockContents()) || ::fsync(file.get()) != 0) {
            const int error = errno;
            ::unlink(lockPath.c_str());
            throw cannotLock(lockPath, reasonOf(error));
        }
        m_path = lockPath;
        m_descriptor = file.release();
        return Outcome::Taken;
    }
    return Outcome::HeldByRunningProgram;
}

void BookLock::release() {
    if (m_descriptor < 0) {
        return;
    }
    // Only the file this object made goes. Should removing it fail, the next start takes it over.
    struct stat held {};
    struct stat named {};
    if (::fstat(m_descriptor, &held) == 0 && ::stat(m_path.c_str(), &named) == 0 && sameFile(held, named)) {
        ::unlink(m_path.c_str());
    }
    ::close(m_descriptor);
    m_descriptor = -1;
    m_path.clear();
}

std::string BookLock::lockFilePath(const std::string& bookPath) {
    std::error_code error;
    const fs::path book = fs::absolute(bookPath, error);
    fs::path real = fs::canonical(book, error);
    if (error) {
        // No book (yet): the lock goes beside the name it has in the folder's real path.
        const fs::path folder = fs::canonical(book.parent_path(), error);
        if (error == std::errc::no_such_file_or_directory || error == std::errc::not_a_directory) {
            return {};
        }
        if (error) {
            throw cannotLock(book.native() + ".lock", error.message());
        }
        real = folder / book.filename();
    }
    return real.native() + ".lock";
}
