// The address recorder.
#include "tests/support/UrlRecorder.h"

UrlRecorder::UrlRecorder() : m_previous(setUrlOpenHandler([this](const QUrl& url) { m_urls.append(url); })) {}

UrlRecorder::~UrlRecorder() {
    setUrlOpenHandler(std::move(m_previous));
}
