// Caps Lock and Num Lock: the locked modifiers read once from the X server, then kept current by the
// keyboard extension's state notifications. Nothing polls.
#include "app/LockKeys.h"

#include <QtGui/qguiapplication_platform.h>
#include <QCoreApplication>
#include <QGuiApplication>

#include <xcb/xcb.h>
// The C header names a member "explicit", a C++ keyword: rename it while the header is read.
#define explicit xkb_explicit
#include <xcb/xkb.h>
#undef explicit

#include <cstdlib>
#include <memory>

namespace {

// The keysym of the Num Lock key.
constexpr xcb_keysym_t kNumLockKeysym = 0xff7f;

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
ReplyPtr<Reply> own(Reply* reply) {
    return ReplyPtr<Reply>(reply, &std::free);
}

}  // namespace

LockKeys::LockKeys(QObject* parent) : QObject(parent) {
    connectToDisplay();
    if (m_connection != nullptr) {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
}

LockKeys::~LockKeys() {
    if (m_connection != nullptr && QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeNativeEventFilter(this);
    }
}

void LockKeys::connectToDisplay() {
    auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (x11 == nullptr || x11->connection() == nullptr) {
        return;
    }
    xcb_connection_t* connection = x11->connection();

    // The toolkit has already enabled the extension on this connection.
    const xcb_query_extension_reply_t* xkb = xcb_get_extension_data(connection, &xcb_xkb_id);
    if (xkb == nullptr || !xkb->present) {
        return;
    }
    auto state = own(
        xcb_xkb_get_state_reply(connection, xcb_xkb_get_state(connection, XCB_XKB_ID_USE_CORE_KBD), nullptr));
    if (!state) {
        return;
    }

    // Only the locked-modifier detail of the state notifications is touched: the toolkit's own
    // selection of the other details stays as it is.
    xcb_xkb_select_events_details_t details{};
    details.affectState = XCB_XKB_STATE_PART_MODIFIER_LOCK;
    details.stateDetails = XCB_XKB_STATE_PART_MODIFIER_LOCK;
    xcb_xkb_select_events_aux(connection, XCB_XKB_ID_USE_CORE_KBD, XCB_XKB_EVENT_TYPE_STATE_NOTIFY, 0, 0, 0,
                              0, &details);
    xcb_flush(connection);

    m_connection = connection;
    m_xkbEventBase = xkb->first_event;
    m_lockedMods = state->lockedMods;
    m_capsMask = XCB_MOD_MASK_LOCK;
    m_numMask = findNumLockMask();
}

// Num Lock is whichever real modifier the Num_Lock key is mapped to; nearly always Mod2.
std::uint8_t LockKeys::findNumLockMask() const {
    const xcb_setup_t* setup = xcb_get_setup(m_connection);
    const int firstKeycode = setup->min_keycode;
    const int keycodeCount = setup->max_keycode - setup->min_keycode + 1;
    auto modifiers =
        own(xcb_get_modifier_mapping_reply(m_connection, xcb_get_modifier_mapping(m_connection), nullptr));
    auto keyboard = own(xcb_get_keyboard_mapping_reply(
        m_connection,
        xcb_get_keyboard_mapping(m_connection, setup->min_keycode, static_cast<std::uint8_t>(keycodeCount)),
        nullptr));
    if (!modifiers || !keyboard) {
        return XCB_MOD_MASK_2;
    }
    const xcb_keycode_t* keycodes = xcb_get_modifier_mapping_keycodes(modifiers.get());
    const xcb_keysym_t* keysyms = xcb_get_keyboard_mapping_keysyms(keyboard.get());
    const int keysymsPerKeycode = keyboard->keysyms_per_keycode;
    const int perModifier = modifiers->keycodes_per_modifier;
    for (int modifier = 0; modifier < 8; ++modifier) {
        for (int slot = 0; slot < perModifier; ++slot) {
            const int keycode = keycodes[modifier * perModifier + slot];
            if (keycode < firstKeycode || keycode >= firstKeycode + keycodeCount) {
                continue;
            }
            for (int level = 0; level < keysymsPerKeycode; ++level) {
                if (keysyms[(keycode - firstKeycode) * keysymsPerKeycode + level] == kNumLockKeysym) {
                    return static_cast<std::uint8_t>(1U << modifier);
                }
            }
        }
    }
    return XCB_MOD_MASK_2;
}

bool LockKeys::nativeEventFilter(const QByteArray& eventType, void* message, qintptr* /*result*/) {
    if (eventType != "xcb_generic_event_t" || message == nullptr) {
        return false;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != m_xkbEventBase) {
        return false;
    }
    const auto* notify = reinterpret_cast<const xcb_xkb_state_notify_event_t*>(event);
    if (notify->xkbType != XCB_XKB_STATE_NOTIFY || notify->lockedMods == m_lockedMods) {
        return false;
    }
    m_lockedMods = notify->lockedMods;
    emit changed();
    // The toolkit needs the notification too.
    return false;
}
