// The master data window: its controls, the opener's fill routines and the handlers of New, Save, Cancel
// and the list's double-click.
#include "master/frmGMaster.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <initializer_list>

#include "data/RecordNumbering.h"
#include "data/Statements.h"
#include "data/Variant.h"
#include "ui/BoxValues.h"
#include "ui/Fonts.h"
#include "ui/Guard.h"
#include "ui/ListView.h"
#include "ui/MessageBox.h"
#include "ui/Module2.h"
#include "ui/Pictures.h"
#include "ui/TextBoxes.h"
#include "ui/Twips.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int kClientWidth = 4575;
constexpr int kClientHeight = 3315;
constexpr int kLabelHeight = 255;
constexpr int kCategoryColumnWidth = 4000;
constexpr unsigned char kListFieldCount = 5;
constexpr unsigned char kRowImage = 1;

// Button captions double as the window's state flags; they are compared exactly.
const QString kSaveCaption = u"&Save"_s;
const QString kUpdateCaption = u"&Update"_s;
const QString kExitCaption = u"Exit"_s;
const QString kCancelCaption = u"Cancel"_s;

const QString kExpenseKind = u"1"_s;
const QString kIncomeKind = u"2"_s;

std::string concat(std::initializer_list<std::string_view> pieces) {
    std::string statement;
    for (const std::string_view piece : pieces) {
        statement.append(piece);
    }
    return statement;
}

void inform(const QString& prompt) {
    MsgBox(prompt, Msg::OkInformation);
}

QLabel* promptLabel(QWidget* parent, const QString& name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(Fonts::tahoma(true));
    // The prompt's text stands at the top of its box, level with the top of the box it names.
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QPushButton* button(QWidget* parent, const QString& name, const QString& caption, int left) {
    auto* result = new QPushButton(caption, parent);
    result->setObjectName(name);
    Twips::place(result, left, 1200, 1215, 375);
    return result;
}

}  // namespace

frmGMaster::frmGMaster(QMdiArea* area) : ChildWindow(area, kClientWidth, kClientHeight) {
    setObjectName(u"frmGMaster"_s);
    setWindowTitle(u"Master Data"_s);
    createControls();
    orderTabs();
    // A screen reader announces each field by its prompt's words; the name field follows the list's kind.
    TxtSrNo->setAccessibleName(u"Sr. No."_s);
    TxtGName->setAccessibleName(u"Exp. Category"_s);
    ListView1->setAccessibleName(u"Category Name"_s);

    connect(CmdNew, &QPushButton::clicked, this, guard(this, &frmGMaster::CmdNew_Click));
    connect(CmdSave, &QPushButton::clicked, this, guard(this, &frmGMaster::CmdSave_Click));
    connect(CmdCancel, &QPushButton::clicked, this, guard(this, &frmGMaster::CmdCancel_Click));
    connect(ListView1, &ListView::DblClick, this, guard(this, &frmGMaster::ListView1_DblClick));
}

frmGMaster::~frmGMaster() = default;

void frmGMaster::createControls() {
    QWidget* area = client();
    area->setFont(Fonts::tahoma());

    Label1 = promptLabel(area, u"Label1"_s, u"Sr. No. : "_s);
    Label1->move(Twips::toPixels(780), Twips::toPixels(120));
    Label1->adjustSize();

    TxtSrNo = new QLineEdit(area);
    TxtSrNo->setObjectName(u"TxtSrNo"_s);
    TxtSrNo->setAlignment(Qt::AlignCenter);
    TxtSrNo->setReadOnly(true);
    TxtSrNo->setEnabled(false);
    Twips::place(TxtSrNo, 1440, 120, 1215, 375);

    Label2 = promptLabel(area, u"Label2"_s, u"Exp. Category : "_s);
    Label2->setAlignment(Qt::AlignRight | Qt::AlignTop);
    Twips::place(Label2, 135, 600, 1305, kLabelHeight);

    TxtGName = new QLineEdit(area);
    TxtGName->setObjectName(u"TxtGName"_s);
    TxtGName->setEnabled(false);
    TextBoxes::holdAnyText(*TxtGName);
    Twips::place(TxtGName, 1440, 600, 3015, 375);

    Line1 = new QFrame(area);
    Line1->setObjectName(u"Line1"_s);
    Line1->setFrameShape(QFrame::NoFrame);
    Line1->setAutoFillBackground(true);
    QPalette grey = Line1->palette();
    grey.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
    Line1->setPalette(grey);
    Twips::place(Line1, 120, 1080, 4320, Twips::kPerPixel);

    CmdNew = button(area, u"CmdNew"_s, u"&New"_s, 120);
    CmdSave = button(area, u"CmdSave"_s, kSaveCaption, 1690);
    CmdCancel = button(area, u"CmdCancel"_s, u"&Cancel"_s, 3260);

    ListView1 = new ListView(area);
    ListView1->setObjectName(u"ListView1"_s);
    ListView1->setColumns(
        {{u"###"_s, 0, Qt::AlignLeft}, {u"Category Name"_s, kCategoryColumnWidth, Qt::AlignLeft}});
    ListView1->setImageList({Pictures::icon(u"row"_s)});
    Twips::place(ListView1, 120, 1800, 4335, 1395);
}

void frmGMaster::orderTabs() {
    // The labels come first in the design's order but take no focus: the focus chain starts at the name.
    QWidget::setTabOrder(TxtGName, TxtSrNo);
    QWidget::setTabOrder(TxtSrNo, CmdSave);
    QWidget::setTabOrder(CmdSave, CmdCancel);
    QWidget::setTabOrder(CmdCancel, CmdNew);
    QWidget::setTabOrder(CmdNew, ListView1);
}

void frmGMaster::Form_Load() {
    Module2::CenterForm(*this);
    CmdCancel->setText(kExitCaption);
}

void frmGMaster::FillIncome() {
    TxtGName->setAccessibleName(u"Source"_s);
    fillList(Statements::kIncomeSources);
}

void frmGMaster::FillExpense() {
    TxtGName->setAccessibleName(u"Exp. Category"_s);
    fillList(Statements::kExpenseCategories);
}

void frmGMaster::fillList(std::string_view query) {
    if (m_records.State() == Recordset::adStateOpen) {
        m_records.Close();
    }
    m_records.Open(query, Module2::Connection(), Recordset::adOpenStatic, Recordset::adLockBatchOptimistic);
    Module2::FillListView(*ListView1, m_records, kListFieldCount, kRowImage);
}

void frmGMaster::refillCurrentKind() {
    if (Module2::MasterType() == kExpenseKind) {
        FillExpense();
    } else if (Module2::MasterType() == kIncomeKind) {
        FillIncome();
    }
}

void frmGMaster::focusName() {
    if (TxtGName->isEnabled()) {
        TxtGName->setFocus();
    }
}

std::string frmGMaster::recordNumber() const {
    return BoxValues::recordNumber(TxtSrNo->text());
}

void frmGMaster::CmdNew_Click() {
    // Numbered first: a table that has no next number leaves the window as it was.
    const long long next =
        RecordNumbering::NextRecordNumber(Module2::Connection(), m_records, Statements::kMaxMaster);
    CmdCancel->setText(kCancelCaption);
    TxtSrNo->setText(BoxValues::plain(next));
    // A new entry ends a rename loaded before it: Save adds the entry under the number just shown.
    CmdSave->setText(kSaveCaption);
    CmdSave->setEnabled(true);
    CmdNew->setEnabled(false);
    TxtGName->setEnabled(true);
    TxtGName->setFocus();
}

void frmGMaster::CmdSave_Click() {
    if (CmdSave->text() == kSaveCaption) {
        AddRecord();
    } else if (CmdSave->text() == kUpdateCaption) {
        EditRecord();
    }
}

void frmGMaster::AddRecord() {
    if (TxtGName->text().isEmpty()) {
        inform(u"Please enter data"_s);
        focusName();
        return;
    }
    // After a rename the number box is empty while the name box stays open for typing: a name saved
    // there takes the next free number, as New would have given it, rather than a number of 0.
    if (TxtSrNo->text().isEmpty()) {
        const long long next =
            RecordNumbering::NextRecordNumber(Module2::Connection(), m_records, Statements::kMaxMaster);
        TxtSrNo->setText(BoxValues::plain(next));
    }
    Module2::Connection().Execute(
        concat({Statements::kInsertMaster, recordNumber(), Statements::kAfterNumber,
                BoxValues::quoted(TxtGName->text()), Statements::kBetweenTexts,
                BoxValues::quoted(Module2::MasterType()), Statements::kCloseValues}));
    inform(u"Saved successfully"_s);
    refillCurrentKind();

    TxtSrNo->clear();
    TxtGName->clear();
    TxtGName->setEnabled(false);
    CmdNew->setEnabled(true);
    CmdSave->setEnabled(false);
    CmdCancel->setText(kExitCaption);
}

void frmGMaster::EditRecord() {
    if (TxtGName->text().isEmpty()) {
        inform(u"PLease enter data"_s);
        focusName();
        return;
    }
    const long long changed = Module2::Connection().Execute(
        concat({Statements::kUpdateMaster, BoxValues::quoted(TxtGName->text()), Statements::kUpdateMasterKind,
                BoxValues::quoted(Module2::MasterType()), Statements::kUpdateMasterKey, recordNumber()}));
    // The entry can have been removed from the file behind the program's back. The list then shows it gone,
    // the typed name is kept, and the next Save stores that name as a new entry under the next free number.
    if (changed == 0) {
        inform(u"No entry was updated"_s);
        refillCurrentKind();
        TxtSrNo->clear();
        CmdSave->setText(kSaveCaption);
        return;
    }
    inform(u"Updated successfully"_s);
    refillCurrentKind();

    TxtSrNo->clear();
    TxtGName->clear();
    CmdSave->setText(kSaveCaption);
}

void frmGMaster::CmdCancel_Click() {
    if (CmdCancel->text() == kExitCaption) {
        close();
        return;
    }
    CmdNew->setEnabled(true);
    CmdSave->setEnabled(false);
    TxtGName->setEnabled(false);
    CmdCancel->setText(kExitCaption);
}

void frmGMaster::ListView1_DblClick() {
    if (ListView1->itemCount() == 0 || !ListView1->hasSelection()) {
        return;
    }
    const std::string number = BoxValues::recordNumber(ListView1->selectedItemText());
    if (m_records.State() == Recordset::adStateOpen) {
        m_records.Close();
    }
    m_records.Open(concat({Statements::kSelectMaster, number}), Module2::Connection(),
                   Recordset::adOpenStatic, Recordset::adLockBatchOptimistic);
    // The entry can have been removed from the file behind the program's back: then nothing is loaded,
    // so that a rename can never land on a number whose name the box does not show.
    if (m_records.Eof()) {
        inform(u"No Data Available"_s);
        return;
    }
    const Variant name = m_records.Fields(1);
    TxtSrNo->setText(QString::fromStdString(number));
    TxtGName->setText(name.isNull() ? QString() : QString::fromStdString(name.toText()));
    TxtGName->setEnabled(true);
    CmdSave->setText(kUpdateCaption);
}
