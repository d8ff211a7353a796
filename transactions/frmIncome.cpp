// The income window, and the one thing only it does: its source box reopens and closes its list on typing.
#include "transactions/frmIncome.h"

#include <exception>

#include "ui/MessageBox.h"
#include "ui/SimpleCombo.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int kEnter = 13;
constexpr int kEscape = 27;

}  // namespace

frmIncome::frmIncome(QMdiArea* area)
    : TransactionWindow(area, TransactionTable::income()), CboSource(nameBox()) {
    connect(CboSource, &SimpleCombo::KeyPress, this, [this](int keyAscii) { CboSource_KeyPress(keyAscii); });
}

void frmIncome::CboSource_KeyPress(int KeyAscii) {
    // This handler reports its own failures, plainly, without an icon.
    try {
        if (KeyAscii == kEnter || KeyAscii == kEscape) {
            CboSource->setHeightTwips(kListClosedHeight);
        } else {
            CboSource->raise();
            CboSource->setHeightTwips(kListOpenHeight);
        }
    } catch (const std::exception& failure) {
        MsgBox(QString::fromUtf8(failure.what()), Msg::OkOnly);
    } catch (...) {
        MsgBox(u"An unexpected error occurred."_s, Msg::OkOnly);
    }
}
