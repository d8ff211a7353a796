// The transaction windows' date picker.
#include "transactions/DatePicker.h"

#include "ui/DateText.h"

DatePicker::DatePicker(QWidget* parent) : QDateEdit(parent) {
    setDisplayFormat(DateText::shortFormat(locale()));
    setCalendarPopup(true);
    setDateRange(DateText::toQDate(kFirstShownDate), DateText::toQDate(kLastShownDate));
}

bool DatePicker::focusNextPrevChild(bool next) {
    // QWidget's own chain walk, skipping QDateTimeEdit's section stepping.
    return QWidget::focusNextPrevChild(next);  // NOLINT(bugprone-parent-virtual-call)
}
