// One program per book: the lock file <book>.lock that a program holds beside the book while it works on it.
#pragma once

#include <string>

class BookLock final {
public:
    enum class Outcome {
        Taken,                 // this object holds the book's lock
        HeldByRunningProgram,  // a program that still runs holds it
        NoFolder,              // the book's folder does not exist: there is no book to protect
    };

    BookLock() = default;
    ~BookLock();
    BookLock(const BookLock&) = delete;
    BookLock& operator=(const BookLock&) = delete;

    // Takes the lock of the book at this path. A lock whose program no longer runs on this host is taken
    // over, whichever user left it. Fails with DbError naming the folder when the folder exists but no
    // lock can be made in it.
    Outcome take(const std::string& bookPath);

    // Removes the lock file this object holds; does nothing when it holds none.
    void release();

    // The lock file of the book at this path: the book's real path (links resolved) and ".lock". Empty
    // when the book's folder does not exist.
    static std::string lockFilePath(const std::string& bookPath);

private:
    std::string m_path;
    int m_descriptor = -1;
};
