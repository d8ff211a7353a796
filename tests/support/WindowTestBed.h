// What a window test stands on: a program folder with a fresh book and the connection open on it, every
// message recorded, and a shown frame whose area the windows open in.
#pragma once

#include <QMainWindow>

#include <memory>

#include "tests/support/MessageRecorder.h"
#include "tests/support/TestProgramFolder.h"

class QMdiArea;

class WindowTestBed final {
public:
    WindowTestBed();
    ~WindowTestBed();
    WindowTestBed(const WindowTestBed&) = delete;
    WindowTestBed& operator=(const WindowTestBed&) = delete;

    const TestProgramFolder& folder() const { return *m_folder; }
    MessageRecorder& messages() { return *m_messages; }
    QMainWindow& frame() { return *m_frame; }
    QMdiArea* area() const { return m_area; }

private:
    std::unique_ptr<TestProgramFolder> m_folder;
    std::unique_ptr<MessageRecorder> m_messages;
    std::unique_ptr<QMainWindow> m_frame;
    QMdiArea* m_area = nullptr;
};
