// The lock's outcomes in the command's words.
#include "tools/CommandLock.h"

#include "data/DbError.h"

namespace CommandLock {

void take(BookLock& lock, const std::string& book, const std::string& command) {
    switch (lock.take(book)) {
        case BookLock::Outcome::Taken:
            return;
        case BookLock::Outcome::HeldByRunningProgram:
            throw DbError("Orvella is working on '" + book + "' (it holds '" + BookLock::lockFilePath(book) +
                          "'). Close it, then " + command + " again.");
        case BookLock::Outcome::NoFolder:
            throw DbError("Cannot " + command + " '" + book + "': its folder does not exist.");
    }
}

}  // namespace CommandLock
