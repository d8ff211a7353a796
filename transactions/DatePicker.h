// The date picker of the transaction windows: a short date with a four-digit year and a calendar to pick
// from.
#pragma once

#include <QDateEdit>

class DatePicker final : public QDateEdit {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DatePicker)

public:
    explicit DatePicker(QWidget* parent);

protected:
    // Tab leaves the picker as it leaves any other control, instead of stepping through day, month and year:
    // the Enter key walks the entry fields with a Tab.
    bool focusNextPrevChild(bool next) override;
};
