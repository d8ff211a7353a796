// The single-copy rule: a lock file that the running copy of the program holds for as long as it runs.
#pragma once

#include <QLockFile>
#include <QString>

class SingleInstance final {
public:
    // The lock of the program at this executable path.
    explicit SingleInstance(const QString& executablePath);
    ~SingleInstance();

    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Takes the lock unless a copy that is running holds it; a lock left by a copy that ended without
    // releasing it is taken over. Gives false only when another copy is running.
    bool tryAcquire();

    // Where the lock file of the program at this path lives: the user's runtime folder, named after
    // the executable's canonical path, so two installations do not block each other.
    static QString lockFilePath(const QString& executablePath);

private:
    QLockFile m_lock;
};
