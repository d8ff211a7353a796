// What a window test stands on: a program folder with a fresh book and the connection open on it, every
// message recorded, and a shown frame whose area the windows open in.
#pragma once

#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>

#include <memory>

#include "data/ConnectionString.h"
#include "tests/support/MessageRecorder.h"
#include "tests/support/TestProgramFolder.h"
#include "ui/Module2.h"

// Every visible top-level widget, menus and tooltips aside: what a test's cleanup checks is empty.
inline QWidgetList visibleTopLevelWindows() {
    QWidgetList visible;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && widget->windowType() != Qt::Popup && widget->windowType() != Qt::ToolTip) {
            visible.append(widget);
        }
    }
    return visible;
}

class WindowTestBed final {
public:
    WindowTestBed() {
        Module2::Connection().Open(ConnectionString::forProgramFolder(m_folder.path().toStdString()));
        Module2::MasterType().clear();
        m_frame->setCentralWidget(m_area);
        m_frame->resize(1024, 768);
        m_frame->show();
        m_frame->activateWindow();
    }
    ~WindowTestBed() {
        m_frame.reset();
        Module2::Connection().Close();
    }
    WindowTestBed(const WindowTestBed&) = delete;
    WindowTestBed& operator=(const WindowTestBed&) = delete;

    const TestProgramFolder& folder() const { return m_folder; }
    MessageRecorder& messages() { return m_messages; }
    QMainWindow& frame() { return *m_frame; }
    QMdiArea* area() const { return m_area; }

private:
    TestProgramFolder m_folder;
    MessageRecorder m_messages;
    std::unique_ptr<QMainWindow> m_frame = std::make_unique<QMainWindow>();
    QMdiArea* m_area = new QMdiArea(m_frame.get());
};
