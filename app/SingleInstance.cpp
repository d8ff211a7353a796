// The single-copy lock file.
#include "app/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

SingleInstance::SingleInstance(const QString& executablePath) : m_lock(lockFilePath(executablePath)) {
    // No age makes a lock stale: a copy left running for weeks still holds it. The owner's process id
    // decides instead, so a lock left by a copy that crashed is taken over.
    m_lock.setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::tryAcquire() {
    if (m_lock.isLocked() || m_lock.tryLock(0)) {
        return true;
    }
    // Only a lock held by a live copy refuses the start; a folder where no lock can be made at all
    // must not keep the program from starting.
    return m_lock.error() != QLockFile::LockFailedError;
}

QString SingleInstance::lockFilePath(const QString& executablePath) {
    // Without XDG_RUNTIME_DIR the toolkit would invent a runtime folder (and warn about it): the temporary
    // folder serves as well.
    QString folder;
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    }
    if (folder.isEmpty() || !QDir().mkpath(folder)) {
        folder = QDir::tempPath();
    }
    QString canonical = QFileInfo(executablePath).canonicalFilePath();
    if (canonical.isEmpty()) {
        canonical = QFileInfo(executablePath).absoluteFilePath();
    }
    const QByteArray hash = QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha256).toHex();
    return folder + u"/orvella-"_s + QString::fromLatin1(hash.left(16)) + u".lock"_s;
}
