// Text boxes that hold any text: no length limit, NULs dropped as they arrive.
#include "ui/TextBoxes.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStringView>
#include <QTextCursor>
#include <QTextDocument>
#include <QValidator>

#include <algorithm>
#include <limits>

namespace {

constexpr QChar kNul{};

// A line edit runs its validator on every change of its text and takes the text as the validator leaves it.
class NulDropper final : public QValidator {
public:
    explicit NulDropper(QObject* parent) : QValidator(parent) {}

    State validate(QString& input, int& position) const override {
        if (input.contains(kNul)) {
            position -= static_cast<int>(QStringView(input).first(position).count(kNul));
            input.remove(kNul);
        }
        return Acceptable;
    }
};

// Keeps a box of several lines free of NULs. Each change of its text is looked at alone, so a keystroke in a
// long text costs no more than in a short one.
class MultiLineWatcher final : public QObject {
public:
    explicit MultiLineWatcher(QPlainTextEdit& box) : QObject(&box), m_box(box) {
        connect(box.document(), &QTextDocument::contentsChange, this,
                [this](int position, int /*removed*/, int added) { contentsChange(position, added); });
    }

private:
    void contentsChange(int position, int added) {
        const int end = std::min(position + added, m_box.document()->characterCount() - 1);
        dropNul(position, end);
    }

    void dropNul(int position, int end) {
        QTextCursor cursor(m_box.document());
        cursor.setPosition(position);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        // One character of the selection for each position, paragraph ends included.
        const QString added = cursor.selectedText();
        if (!added.contains(kNul)) {
            return;
        }
        // Part of the change that brought the NULs: one layout for all of them, and an undo takes back both.
        cursor.joinPreviousEditBlock();
        for (qsizetype at = added.size() - 1; at >= 0; --at) {
            if (added.at(at) == kNul) {
                cursor.setPosition(position + static_cast<int>(at));
                cursor.deleteChar();
            }
        }
        cursor.endEditBlock();
    }

    QPlainTextEdit& m_box;
};

}  // namespace

namespace TextBoxes {

void holdAnyText(QLineEdit& box) {
    box.setMaxLength(std::numeric_limits<int>::max());
    box.setValidator(new NulDropper(&box));
}

void holdAnyText(QPlainTextEdit& box) {
    new MultiLineWatcher(box);
}

}  // namespace TextBoxes
