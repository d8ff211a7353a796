// The real state of the Caps Lock and Num Lock keys, followed through the X keyboard extension.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

#include <cstdint>

struct xcb_connection_t;

class LockKeys final : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LockKeys)

public:
    explicit LockKeys(QObject* parent = nullptr);
    ~LockKeys() override;

    // False where the display is not X11 (offscreen, Wayland): the state cannot be known there.
    bool available() const { return m_connection != nullptr; }
    bool capsLock() const { return (m_lockedMods & m_capsMask) != 0; }
    bool numLock() const { return (m_lockedMods & m_numMask) != 0; }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

signals:
    void changed();

private:
    void connectToDisplay();
    std::uint8_t findNumLockMask() const;

    xcb_connection_t* m_connection = nullptr;
    std::uint8_t m_xkbEventBase = 0;
    std::uint8_t m_lockedMods = 0;
    std::uint8_t m_capsMask = 0;
    std::uint8_t m_numMask = 0;
};
