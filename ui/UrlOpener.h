// Hands a web address to the desktop, which opens it in the user's browser.
#pragma once

#include <QUrl>

#include <functional>

using UrlOpenHandler = std::function<void(const QUrl&)>;

// Asks the desktop to open the address with its default action. Whether it could is not reported.
void openUrl(const QUrl& url);

// Routes openUrl through the handler (tests); an empty handler restores the desktop's.
// Gives the handler that was in place.
UrlOpenHandler setUrlOpenHandler(UrlOpenHandler handler);
