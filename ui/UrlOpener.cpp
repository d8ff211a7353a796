// The desktop's open service behind openUrl, and the hook that replaces it.
#include "ui/UrlOpener.h"

#include <QDesktopServices>

#include <utility>

namespace {
UrlOpenHandler& installedHandler() {
    static UrlOpenHandler handler;
    return handler;
}
}  // namespace

void openUrl(const QUrl& url) {
    if (const UrlOpenHandler& handler = installedHandler()) {
        handler(url);
        return;
    }
    QDesktopServices::openUrl(url);
}

UrlOpenHandler setUrlOpenHandler(UrlOpenHandler handler) {
    return std::exchange(installedHandler(), std::move(handler));
}
