// The simple combo box: an edit field with its list drawn beneath it. Its height is its open or closed
// state: a tall box shows the list over the controls below it, a short one only a strip of it.
#pragma once

#include <QLineEdit>
#include <QListWidget>
#include <QString>
#include <QWidget>

class SimpleCombo : public QWidget {
    Q_OBJECT

public:
    explicit SimpleCombo(QWidget* parent);

    // Removes every entry and empties the edit field.
    void clear();
    // Appends an entry and gives its index (the toolkit's NewIndex).
    int addItem(const QString& text);
    int newIndex() const { return m_newIndex; }
    int count() const;
    QString itemText(int index) const;
    // The number kept with each entry (ItemData); 0 for an index that holds no entry.
    void setItemData(int index, int value);
    int itemData(int index) const;
    // The selected entry, -1 for none. Typing selects the first entry the text begins with; a text set by
    // the program selects the entry of that very text.
    int listIndex() const;

    QString text() const;
    void setText(const QString& text);

    // Height in twips: the open or closed state.
    void setHeightTwips(int twips);
    int heightTwips() const;

    QLineEdit* editField() const { return m_edit; }
    QListWidget* list() const { return m_list; }

signals:
    // The edit field and the list share one focus: moving between them is neither getting nor losing it.
    void GotFocus();
    void LostFocus();
    // A typed character, before the edit field takes it; keyAscii is 13 for Enter, 27 for Escape, 8 for
    // Backspace. The key goes on to the edit field unchanged.
    void KeyPress(int keyAscii);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Puts the entry's text into the edit field, as a click on it or an arrow key does.
    void pick(int index);
    // Selects the entry matching the text without touching the text.
    void followText(const QString& text, Qt::MatchFlags match);

    QLineEdit* m_edit;
    QListWidget* m_list;
    int m_newIndex = -1;
    bool m_hasFocus = false;
    bool m_syncing = false;
};
