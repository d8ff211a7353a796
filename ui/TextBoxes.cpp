// Text boxes that hold any text: no length limit, NULs dropped as they arrive, long unbroken lines wrapped
// anywhere.
#include "ui/TextBoxes.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStringView>
#include <QTextBlock>
#include <QTextBoundaryFinder>
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

// Keeps a box of several lines free of NULs and quick to lay out. Word wrapping looks for a word boundary
// from the start of every line to the end of the unbroken run it is in, so a run of n characters takes time
// in n squared (a 200,000-character line took 8 s to show). While any line holds a run longer than
// kLongRun, the box wraps anywhere, which is linear and shows such a run the same way; ordinary text keeps
// its word wrapping.
class MultiLineWatcher final : public QObject {
public:
    explicit MultiLineWatcher(QPlainTextEdit& box)
        : QObject(&box), m_box(box), m_wordWrap(box.wordWrapMode()) {
        connect(box.document(), &QTextDocument::contentsChange, this,
                [this](int position, int /*removed*/, int added) { contentsChange(position, added); });
    }

private:
    // No word is this long: a run beyond it is data (a key, an encoded file), not prose. Runs up to it keep
    // the quadratic cost small (a 200,000-character text of such runs lays out in about 0.2 s).
    static constexpr qsizetype kLongRun = 500;
    // Each block remembers whether it holds such a run, so a change looks at its own blocks only.
    static constexpr int kHoldsLongRun = 1;
    static constexpr int kOrdinary = 0;

    void contentsChange(int position, int added) {
        const int end = std::min(position + added, m_box.document()->characterCount() - 1);
        // The wrap mode comes first: dropping a NUL lays the block out again, in the mode then in force.
        chooseWrapMode(position, end);
        dropNul(position, end);
    }

    void chooseWrapMode(int position, int end) {
        const QTextDocument* document = m_box.document();
        const QTextBlock last = document->findBlock(end);
        bool longRun = false;
        for (QTextBlock block = document->findBlock(position); block.isValid(); block = block.next()) {
            const bool holds = holdsLongRun(block.text());
            block.setUserState(holds ? kHoldsLongRun : kOrdinary);
            longRun = longRun || holds;
            if (block == last) {
                break;
            }
        }
        // A change can take the last long run away from anywhere in the text, but only a box already
        // wrapping anywhere has one to lose.
        if (!longRun && m_box.wordWrapMode() == QTextOption::WrapAnywhere) {
            for (QTextBlock block = document->begin(); block.isValid() && !longRun; block = block.next()) {
                longRun = block.userState() == kHoldsLongRun;
            }
        }
        const QTextOption::WrapMode mode = longRun ? QTextOption::WrapAnywhere : m_wordWrap;
        if (m_box.wordWrapMode() != mode) {
            m_box.setWordWrapMode(mode);
        }
    }

    static bool holdsLongRun(const QString& text) {
        if (text.size() <= kLongRun) {
            return false;
        }
        QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, text);
        qsizetype previous = 0;
        while (breaks.toNextBoundary() != -1) {
            if (breaks.position() - previous > kLongRun) {
                return true;
            }
            previous = breaks.position();
        }
        return false;
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
    const QTextOption::WrapMode m_wordWrap;
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
