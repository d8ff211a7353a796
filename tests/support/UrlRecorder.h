// Stands in for the desktop's open service while it lives: keeps every address handed to it.
#pragma once

#include <QList>
#include <QUrl>

#include "ui/UrlOpener.h"

class UrlRecorder final {
public:
    UrlRecorder();
    ~UrlRecorder();
    UrlRecorder(const UrlRecorder&) = delete;
    UrlRecorder& operator=(const UrlRecorder&) = delete;

    const QList<QUrl>& urls() const { return m_urls; }

private:
    QList<QUrl> m_urls;
    UrlOpenHandler m_previous;
};
