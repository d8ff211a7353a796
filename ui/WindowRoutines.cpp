// The window routines every window shares: filling a combo box or a list from a query, centring a window,
// keeping an amount box numeric.
#include <QLineEdit>

#include <cstdint>
#include <exception>
#include <limits>
#include <memory>
#include <stdexcept>
#include <string>

#include "data/Recordset.h"
#include "data/RowStore.h"
#include "data/ValueForms.h"
#include "ui/BoxValues.h"
#include "ui/ChildWindow.h"
#include "ui/FieldText.h"
#include "ui/ListView.h"
#include "ui/MessageBox.h"
#include "ui/Module2.h"
#include "ui/SimpleCombo.h"
#include "ui/Twips.h"

namespace {

// An entry's number is a 32-bit whole number: a larger record number fails rather than wrap.
int entryNumber(const Variant& value) {
    if (value.isNull()) {
        return 0;
    }
    const std::int64_t number = value.toInt64();
    if (number < std::numeric_limits<std::int32_t>::min() ||
        number > std::numeric_limits<std::int32_t>::max()) {
        throw std::overflow_error("The number " + value.toText() + " is too large for a list entry.");
    }
    return static_cast<int>(number);
}

// Runs one step of the list filler; a failing step is passed over without a word.
template <typename Step>
bool tryStep(Step step) noexcept {
    try {
        step();
        return true;
    } catch (...) {
        return false;
    }
}

// One list row per record, from the current one to the last.
void appendRecords(ListView& list, Recordset& records, const std::shared_ptr<const RowStore>& rows,
                   int columnCount, int image) {
    for (;;) {
        bool atEnd = true;
        if (!tryStep([&] { atEnd = records.Eof(); }) || atEnd) {
            return;
        }
        // Every record gets a row of its own; one whose field 0 is null shows a blank row text. The fill
        // never reads the fields themselves: the list formats those it paints.
        const std::size_t row = records.AbsolutePosition();
        tryStep([&] { list.appendRow(rows, row, columnCount, image); });
        if (!tryStep([&] { records.MoveNext(); })) {
            return;
        }
    }
}

}  // namespace

namespace Module2 {

void FillCombo(SimpleCombo& combo, std::string_view query) {
    // Closed when it goes out of scope, on the failure path as well.
    Recordset records;
    try {
        records.Open(query, Connection(), Recordset::adOpenKeyset, Recordset::adLockReadOnly);
        combo.clear();
        while (!records.Eof()) {
            combo.addItem(FieldText::of(records.Fields(1)));
            combo.setItemData(combo.newIndex(), entryNumber(records.Fields(0)));
            records.MoveNext();
        }
    } catch (const std::exception& failure) {
        MsgBox(QString::fromUtf8(failure.what()), Msg::OkOnly);
    }
}

void CenterForm(ChildWindow& window) {
    const QSize screen = Twips::screenSize();
    window.setLeftTwips(static_cast<float>((screen.width() - window.widthTwips()) / 2.0));
    window.setTopTwips(static_cast<float>((screen.height() - window.heightTwips()) / 6.0));
}

void CheckNumeric(QLineEdit& box) {
    const std::string text = box.text().toStdString();
    const std::string mark = BoxValues::decimalMark();
    if (!ValueForms::isNumeric(text, mark)) {
        box.setText(QString());
        return;
    }
    if (ValueForms::numericValue(text, mark) < 0) {
        box.setText(QString());
    }
}

void FillListView(ListView& list, Recordset& records, unsigned char columnCount, unsigned char image) {
    // An empty result set has no first row; one left at its end by an earlier pass is read from the top.
    tryStep([&] { records.MoveFirst(); });
    tryStep([&] { list.clearItems(); });
    std::shared_ptr<const RowStore> rows;
    // A closed result set has nothing to show, and its end could never be reached.
    if (tryStep([&] { rows = records.rows(); })) {
        appendRecords(list, records, rows, columnCount, image);
    }
    tryStep([&] { list.showAppended(); });
}

}  // namespace Module2
