// The splash window: on screen while the program opens its database.
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

class frmSplash final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmSplash)

public:
    explicit frmSplash(QWidget* parent = nullptr);
    ~frmSplash() override;

    QLabel* Label1 = nullptr;
    QPushButton* CmdClose = nullptr;
    QLabel* Label2 = nullptr;

private:
    void Form_Load();
    void CmdClose_Click();
};
