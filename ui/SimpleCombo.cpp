// The simple combo box. The list never takes the focus: the edit field keeps it while the user clicks or
// scrolls the list, and the arrow keys typed in the field move through the list. So the box has one focus,
// and leaving the field for the list is never a loss of it.
#include "ui/SimpleCombo.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>

#include <algorithm>

#include "ui/TextBoxes.h"
#include "ui/Twips.h"

namespace {

// The character a key types, as the KeyPress event reports it; 0 for keys that type none.
int keyAscii(const QKeyEvent& key) {
    switch (key.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Escape:
            return 27;
        case Qt::Key_Backspace:
            return 8;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Delete:
            return 0;
        default:
            break;
    }
    const QString text = key.text();
    return text.isEmpty() ? 0 : text.at(0).unicode();
}

bool movesInList(int key) {
    return key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown;
}

}  // namespace

SimpleCombo::SimpleCombo(QWidget* parent)
    : QWidget(parent), m_edit(new QLineEdit(this)), m_list(new QListWidget(this)) {
    m_list->setFocusPolicy(Qt::NoFocus);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setUniformItemSizes(true);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusProxy(m_edit);
    TextBoxes::holdAnyText(*m_edit);
    m_edit->installEventFilter(this);

    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!m_syncing && row >= 0) {
            pick(row);
        }
    });
    // A click on the entry already selected by typing still takes its text.
    connect(m_list, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { pick(m_list->row(item)); });
    connect(m_edit, &QLineEdit::textEdited, this,
            [this](const QString& text) { followText(text, Qt::MatchStartsWith); });
}

void SimpleCombo::clear() {
    m_syncing = true;
    m_list->clear();
    m_edit->clear();
    m_syncing = false;
    m_newIndex = -1;
}

int SimpleCombo::addItem(const QString& text) {
    m_list->addItem(text);
    m_newIndex = m_list->count() - 1;
    return m_newIndex;
}

int SimpleCombo::count() const {
    return m_list->count();
}

QString SimpleCombo::itemText(int index) const {
    const QListWidgetItem* item = m_list->item(index);
    return item != nullptr ? item->text() : QString();
}

void SimpleCombo::setItemData(int index, int value) {
    if (QListWidgetItem* item = m_list->item(index)) {
        item->setData(Qt::UserRole, value);
    }
}

int SimpleCombo::itemData(int index) const {
    const QListWidgetItem* item = m_list->item(index);
    return item != nullptr ? item->data(Qt::UserRole).toInt() : 0;
}

int SimpleCombo::listIndex() const {
    return m_list->currentRow();
}

QString SimpleCombo::text() const {
    return m_edit->text();
}

void SimpleCombo::setText(const QString& text) {
    m_edit->setText(text);
    followText(text, Qt::MatchFixedString);
}

void SimpleCombo::setHeightTwips(int twips) {
    resize(width(), Twips::toPixels(twips));
}

int SimpleCombo::heightTwips() const {
    return Twips::fromPixels(height());
}

void SimpleCombo::pick(int index) {
    const QListWidgetItem* item = m_list->item(index);
    if (item == nullptr) {
        return;
    }
    m_syncing = true;
    m_list->setCurrentRow(index);
    m_edit->setText(item->text());
    m_syncing = false;
    m_edit->selectAll();
}

void SimpleCombo::followText(const QString& text, Qt::MatchFlags match) {
    if (m_syncing) {
        return;
    }
    int row = -1;
    if (!text.isEmpty()) {
        const QList<QListWidgetItem*> found = m_list->findItems(text, match);
        if (!found.isEmpty()) {
            row = m_list->row(found.first());
        }
    }
    m_syncing = true;
    m_list->setCurrentRow(row);
    m_syncing = false;
    if (row >= 0) {
        m_list->scrollToItem(m_list->item(row));
    }
}

bool SimpleCombo::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_edit) {
        return QWidget::eventFilter(watched, event);
    }
    switch (event->type()) {
        case QEvent::FocusIn:
            if (!m_hasFocus) {
                m_hasFocus = true;
                emit GotFocus();
            }
            break;
        case QEvent::FocusOut: {
            // The window going inactive or a context menu opening leaves the focus where it is.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (m_hasFocus && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
                m_hasFocus = false;
                emit LostFocus();
            }
            break;
        }
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(event);
            if (movesInList(key->key())) {
                QKeyEvent copy(key->type(), key->key(), key->modifiers());
                QCoreApplication::sendEvent(m_list, &copy);
                return true;
            }
            if (const int ascii = keyAscii(*key); ascii != 0) {
                emit KeyPress(ascii);
            }
            break;
        }
        default:
            break;
    }
    return false;
}

void SimpleCombo::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int editHeight = std::min(height(), m_edit->sizeHint().height());
    m_edit->setGeometry(0, 0, width(), editHeight);
    m_list->setGeometry(0, editHeight, width(), std::max(0, height() - editHeight));
    m_list->setVisible(height() > editHeight);
}
