// The common ground of the window tests.
#include "tests/support/WindowTestBed.h"

#include <QMdiArea>

#include "data/ConnectionString.h"
#include "ui/Module2.h"

WindowTestBed::WindowTestBed()
    : m_folder(std::make_unique<TestProgramFolder>()),
      m_messages(std::make_unique<MessageRecorder>()),
      m_frame(std::make_unique<QMainWindow>()) {
    Module2::Connection().Open(ConnectionString::forProgramFolder(m_folder->path().toStdString()));
    m_area = new QMdiArea(m_frame.get());
    m_frame->setCentralWidget(m_area);
    m_frame->resize(1024, 768);
    m_frame->show();
    m_frame->activateWindow();
}

WindowTestBed::~WindowTestBed() {
    m_frame.reset();
    m_messages.reset();
    Module2::Connection().Close();
}
