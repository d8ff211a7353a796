// The About window: a fixed notice, shown modally from the main window.
#pragma once

#include <QDialog>

class QLabel;

class FormAbout final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FormAbout)

public:
    explicit FormAbout(QWidget* parent = nullptr);
    ~FormAbout() override;

    QLabel* Label1 = nullptr;
};
