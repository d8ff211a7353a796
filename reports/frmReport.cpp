// The summary report window: its labels and the three figures it computes while it loads.
#include "reports/frmReport.h"

#include <QFrame>
#include <QLabel>

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string_view>

#include "data/ExactDecimal.h"
#include "data/Recordset.h"
#include "data/Statements.h"
#include "data/Variant.h"
#include "ui/Fonts.h"
#include "ui/Module2.h"
#include "ui/Twips.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int kClientWidth = 4215;
constexpr int kClientHeight = 2085;
constexpr int kLabelHeight = 255;
// The prompts are sized to their text and all end here, so their colons line up.
constexpr int kPromptRightEdge = 1860;
constexpr int kValueLeft = 2160;
constexpr int kValueWidth = 1605;

const QColor kLoss(0xFF, 0x00, 0x00);
const QColor kGain(0x00, 0x00, 0x00);
// What the balance's red and black are drawn on: the light grey of the usual light theme's windows, so the
// report looks as it always has there, kept under a dark theme whose window colour is as dark as they are.
const QColor kBalanceGround(0xF0, 0xF0, 0xF0);

QLabel* label(QWidget* parent, const QString& name, const QString& text) {
    auto* result = new QLabel(text, parent);
    result->setObjectName(name);
    result->setFont(Fonts::tahoma(true));
    return result;
}

// Spans the label between its design edges; a text wider than that grows it to the left, the right edge kept,
// rather than being cut off.
void spanGrowingLeftward(QLabel* label, int left, int right) {
    const int rightEdge = Twips::toPixels(right);
    const int width = std::max(label->sizeHint().width(), rightEdge - Twips::toPixels(left));
    label->setGeometry(rightEdge - width, label->y(), width, label->height());
}

// A prompt sized to its text with its right edge at the common one.
QLabel* prompt(QWidget* parent, const QString& name, const QString& text, int left, int top) {
    QLabel* result = label(parent, name, text);
    result->setAlignment(Qt::AlignRight | Qt::AlignTop);
    Twips::place(result, left, top, kPromptRightEdge - left, kLabelHeight);
    spanGrowingLeftward(result, left, kPromptRightEdge);
    return result;
}

QLabel* figure(QWidget* parent, const QString& name, int top) {
    QLabel* result = label(parent, name, QString());
    result->setAlignment(Qt::AlignRight | Qt::AlignTop);
    Twips::place(result, kValueLeft, top, kValueWidth, kLabelHeight);
    return result;
}

QFrame* outline(QWidget* parent, const QString& name, const QColor& colour) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(name);
    QPalette palette = frame->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Window, colour);
    frame->setPalette(palette);
    return frame;
}

// A total's sum as the engine gives it, exact decimal text; a sum over no rows is null and reads 0.
QString total(std::string_view query, std::string_view alias) {
    Recordset totals;
    totals.Open(query, Module2::Connection(), Recordset::adOpenStatic, Recordset::adLockBatchOptimistic);
    const Variant sum = totals.Fields(alias);
    return sum.isNull() ? u"0"_s : QString::fromStdString(sum.toText());
}

void showFigure(QLabel* label, const QString& text) {
    label->setText(text);
    spanGrowingLeftward(label, kValueLeft, kValueLeft + kValueWidth);
}

// A figure read back from its label digit for digit: as a double it would be rounded beyond 15 digits.
ExactDecimal shownFigure(const QLabel* label) {
    const std::optional<ExactDecimal> value = ExactDecimal::fromText(label->text().toStdString());
    if (!value) {
        throw std::runtime_error("The figure " + label->text().toStdString() +
                                 " cannot be read back exactly.");
    }
    return *value;
}

}  // namespace

frmReport::frmReport(QMdiArea* area) : ChildWindow(area, kClientWidth, kClientHeight) {
    setObjectName(u"frmReport"_s);
    setWindowTitle(u"  R e p o r t"_s);
    setAccessibleName(u"Report"_s);
    QWidget* form = client();
    form->setFont(Fonts::tahoma(true));

    // Made first, so that it lies beneath the labels it frames.
    Shape1 = outline(form, u"Shape1"_s, QColor(0x00, 0x00, 0xFF));
    Shape1->setFrameStyle(QFrame::Box | QFrame::Plain);
    Shape1->setLineWidth(2);
    Twips::place(Shape1, 120, 120, 3975, 1815);

    Label1 = prompt(form, u"Label1"_s, u"Total Income : "_s, 600, 240);
    LblIncome = figure(form, u"LblIncome"_s, 240);
    Label2 = prompt(form, u"Label2"_s, u"Total Expenses : "_s, 450, 720);
    LblExpenses = figure(form, u"LblExpenses"_s, 720);

    Line1 = outline(form, u"Line1"_s, QColor(0x80, 0x80, 0x80));
    Line1->setFrameShape(QFrame::NoFrame);
    Line1->setAutoFillBackground(true);
    Twips::place(Line1, 240, 1200, 3720, Twips::kPerPixel);

    Label3 = prompt(form, u"Label3"_s, u"Available Balance : "_s, 240, 1440);
    LblBalance = figure(form, u"LblBalance"_s, 1440);
    // A screen reader reads each figure with its prompt.
    Label1->setBuddy(LblIncome);
    Label2->setBuddy(LblExpenses);
    Label3->setBuddy(LblBalance);
    QPalette ground = LblBalance->palette();
    ground.setColor(QPalette::Window, kBalanceGround);
    LblBalance->setPalette(ground);
    LblBalance->setAutoFillBackground(true);
}

frmReport::~frmReport() = default;

void frmReport::Form_Load() {
    Module2::CenterForm(*this);
    GetIncTotal();
    GetExpTotal();
    GetTotal();
}

void frmReport::GetExpTotal() {
    showFigure(LblExpenses, total(Statements::kReportExpensesTotal, "TotE"));
}

void frmReport::GetIncTotal() {
    showFigure(LblIncome, total(Statements::kReportIncomeTotal, "TotI"));
}

void frmReport::GetTotal() {
    // Worked out from the figures as shown, so the balance always agrees with the two lines above it.
    const ExactDecimal income = shownFigure(LblIncome);
    const ExactDecimal expenses = shownFigure(LblExpenses);
    const std::optional<ExactDecimal> balance = income.minus(expenses);
    if (!balance) {
        throw std::runtime_error("The balance is too large to be worked out.");
    }
    QPalette palette = LblBalance->palette();
    palette.setColor(QPalette::WindowText, income < expenses ? kLoss : kGain);
    LblBalance->setPalette(palette);
    showFigure(LblBalance, QString::fromStdString(balance->balanceText()));
}
