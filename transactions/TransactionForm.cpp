// Builds a transaction window's controls at their design places, in twips, with their captions and colours.
#include "transactions/TransactionForm.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>

#include "transactions/DatePicker.h"
#include "ui/Fonts.h"
#include "ui/ListView.h"
#include "ui/Pictures.h"
#include "ui/SimpleCombo.h"
#include "ui/TextBoxes.h"
#include "ui/Twips.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int kClientWidth = 10275;
constexpr int kClientHeight = 4185;
// The field prompts are right-aligned and all end here, just left of the fields.
constexpr int kPromptsEnd = 1425;
constexpr int kPromptHeight = 195;

template <typename Widget>
Widget* named(Widget* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

// A field prompt sized to its text, its right edge where all prompts end. The design's width is the least it
// takes, so a font wider than the design's grows it to the left instead of cutting its first letters off.
QLabel* prompt(QWidget* parent, const QString& name, const QString& text, int left, int top, int width) {
    auto* label = named(new QLabel(text, parent), name);
    label->setFont(Fonts::tahoma(true));
    label->setAlignment(Qt::AlignRight | Qt::AlignTop);
    const QSize fits = label->sizeHint();
    const int pixelWidth = std::max(Twips::toPixels(width), fits.width());
    const int right = Twips::toPixels(left + width);
    label->setGeometry(right - pixelWidth, Twips::toPixels(top), pixelWidth,
                       std::max(Twips::toPixels(kPromptHeight), fits.height()));
    return label;
}

// A screen reader announces a field by its prompt: the prompt's words without the colon.
QString spoken(const QString& prompt) {
    QString name = prompt.trimmed();
    if (name.endsWith(u':')) {
        name.chop(1);
    }
    return name.trimmed();
}

QPushButton* button(QWidget* panel, const QString& name, const QString& caption, int left) {
    auto* command = named(new QPushButton(caption, panel), name);
    Twips::place(command, left, 240, 975, 375);
    return command;
}

QFrame* panel(QWidget* parent, const QString& name, int top, int height) {
    auto* frame = named(new QFrame(parent), name);
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Twips::place(frame, 120, top, 4695, height);
    return frame;
}

}  // namespace

TransactionForm::TransactionForm(QMdiArea* area, const TransactionTable& table)
    : ChildWindow(area, kClientWidth, kClientHeight), m_table(table) {
    setWindowTitle(table.caption);
    QWidget* form = client();
    form->setFont(Fonts::tahoma());
    QPalette background = form->palette();
    background.setColor(QPalette::Window, background.color(QPalette::Base));
    form->setPalette(background);
    form->setAutoFillBackground(true);

    placePanelsAndPrompts();
    // Qt's focus chain follows the order in which controls are made. Making them in tab order keeps compound
    // controls (the date picker and the combo box, with their inner edit fields) whole in the chain, which
    // reordering them afterwards does not.
    placeControlsInTabOrder();
    nameFieldsForScreenReaders();
    for (const TransactionTable::Button after : m_table.buttonsAfterList) {
        placeButtonAfterList(after);
    }
    placeTotal();
    Frame1->setEnabled(false);
    Frame3->hide();
}

void TransactionForm::placePanelsAndPrompts() {
    Frame1 = panel(client(), u"Frame1"_s, 120, 2895);
    Frame2 = panel(client(), u"Frame2"_s, 3240, 735);
    Frame3 = panel(client(), u"Frame3"_s, 3240, 735);
    Label3 = prompt(Frame1, u"Label3"_s, u"Sr. No. :"_s, 810, 360, kPromptsEnd - 810);
    Label2 = prompt(Frame1, u"Label2"_s, u"Date :"_s, 930, 810, kPromptsEnd - 930);
    Label1 = prompt(Frame1, u"Label1"_s, m_table.comboPrompt, m_table.promptLeft, 1260, m_table.promptWidth);
    Label4 = prompt(Frame1, u"Label4"_s, u"Amount (Rs.) :"_s, 210, 1710, kPromptsEnd - 210);
    Label21 = prompt(Frame1, u"Label21"_s, u"Particulars :"_s, 420, 2160, kPromptsEnd - 420);
}

void TransactionForm::placeControlsInTabOrder() {
    CmdNew = button(Frame2, u"CmdNew"_s, u"&New"_s, 120);

    DTPicker1 = named(new DatePicker(Frame1), u"DTPicker1"_s);
    DTPicker1->setDate(QDate(2008, 5, 4));
    Twips::place(DTPicker1, 1560, 750, 1335, 375);

    m_nameBox = named(new SimpleCombo(Frame1), m_table.comboName);
    // The light yellow brings its own dark text: the desktop's, light under a dark theme, would not show on
    // it. A picked record's name stays legible in the greyed box too, while the entry panel is disabled.
    QPalette lightYellow = m_nameBox->palette();
    lightYellow.setColor(QPalette::Base, QColor(0xFF, 0xFF, 0xC0));
    lightYellow.setColor(QPalette::Text, Qt::black);
    lightYellow.setColor(QPalette::Disabled, QPalette::Text, QColor(0x80, 0x80, 0x80));
    m_nameBox->setPalette(lightYellow);
    Twips::place(m_nameBox, 1560, 1245, 2895, 315);

    TxtAmount = named(new QLineEdit(Frame1), u"TxtAmount"_s);
    TxtAmount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Twips::place(TxtAmount, 1560, 1665, 1095, 375);

    TxtParticulars = named(new QPlainTextEdit(Frame1), u"TxtParticulars"_s);
    TxtParticulars->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    TxtParticulars->setTabChangesFocus(true);
    TextBoxes::holdAnyText(*TxtParticulars);
    Twips::place(TxtParticulars, 1560, 2160, 2895, 615);

    CmdSave = button(Frame3, u"CmdSave"_s, u"&Save"_s, 1275);

    TxtSrNo = named(new QLineEdit(Frame1), u"TxtSrNo"_s);
    TxtSrNo->setAlignment(Qt::AlignCenter);
    TxtSrNo->setReadOnly(true);
    Twips::place(TxtSrNo, 1560, 240, 855, 405);

    ListView1 = named(new ListView(client()), u"ListView1"_s);
    ListView1->setColumns({
        {u"###"_s, 0, Qt::AlignLeft},
        {u"Date"_s, 1200, Qt::AlignHCenter},
        {u"Category"_s, 2500, Qt::AlignLeft},
        {u"Amount"_s, 1000, Qt::AlignRight},
    });
    ListView1->setImageList({Pictures::icon(u"row"_s)});
    Twips::place(ListView1, 5040, 240, 5055, m_table.listHeight);
}

void TransactionForm::nameFieldsForScreenReaders() {
    TxtSrNo->setAccessibleName(spoken(Label3->text()));
    DTPicker1->setAccessibleName(spoken(Label2->text()));
    // The focus sits in the combo box's edit field or its list, so those carry the name as well.
    const QString nameField = spoken(Label1->text());
    m_nameBox->setAccessibleName(nameField);
    m_nameBox->editField()->setAccessibleName(nameField);
    m_nameBox->list()->setAccessibleName(nameField);
    TxtAmount->setAccessibleName(spoken(Label4->text()));
    TxtParticulars->setAccessibleName(spoken(Label21->text()));
    // The caption's letters are spaced out for show; read out, the window and its list say the word.
    setAccessibleName(windowTitle().remove(u' '));
    ListView1->setAccessibleName(accessibleName());
}

void TransactionForm::placeButtonAfterList(TransactionTable::Button after) {
    switch (after) {
        case TransactionTable::Button::HideList:
            CmdHideList = button(Frame2, u"CmdHideList"_s, u"&Hide List"_s, 3600);
            break;
        case TransactionTable::Button::Modify:
            CmdModify = button(Frame2, u"CmdModify"_s, u"&Modify"_s, 1280);
            break;
        case TransactionTable::Button::Delete:
            CmdDelete = button(Frame2, u"CmdDelete"_s, u"&Delete"_s, 2440);
            break;
        case TransactionTable::Button::ModSave:
            CmdModSave = button(Frame3, u"CmdModSave"_s, u"&Update"_s, 1280);
            break;
        case TransactionTable::Button::Cancel:
            CmdCancel = button(Frame3, u"CmdCancel"_s, u"&Cancel"_s, 2400);
            break;
    }
}

void TransactionForm::placeTotal() {
    LblTotal = named(new QLabel(u"Total"_s, client()), u"LblTotal"_s);
    LblTotal->setFont(Fonts::tahoma(true));
    LblTotal->setAlignment(Qt::AlignCenter);
    QPalette whiteOnGrey = LblTotal->palette();
    whiteOnGrey.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
    whiteOnGrey.setColor(QPalette::WindowText, Qt::white);
    LblTotal->setPalette(whiteOnGrey);
    LblTotal->setAutoFillBackground(true);
    Twips::place(LblTotal, 5040, 3840, 5055, 255);
}
