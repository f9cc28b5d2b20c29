// The field of a preset or chain name. A name's bytes travel raw inside a System
// Exclusive message, where a byte of 0x80 or more would end the message early,
// so the field takes printable ASCII (0x20 to 0x7E) only: a typed character
// outside it is refused like a key that does nothing (text, selection and undo
// history stay), pasted or dropped text keeps its printable ASCII characters in
// order and loses the rest (with none left, the paste or drop is refused the
// same way), and text set from code is held to the same rule, so that what the
// field shows is what the name stores.
#pragma once

#include <QClipboard>
#include <QLineEdit>
#include <QString>

#include <functional>

namespace zlv {

// The characters of `text` a name can hold, in order.
QString PrintableAscii(const QString& text);

class NameEdit : public QLineEdit {
public:
    explicit NameEdit(QWidget* parent = nullptr);

    // After a key release in the field, while it holds text the user edited.
    // Text set from code may lack bytes of the stored name that the field
    // cannot show (a name from another program can hold 0x7F), so passing
    // through the field without an edit must not store it.
    std::function<void()> onKeyUp;
    // After every change the user makes to the text, whatever made it: a key,
    // the context menu (Paste, Cut, Delete, Undo, Redo), a middle-click paste, a
    // drop. Text set from code does not call it.
    std::function<void()> onEdited;
    // When the focus moves on within the window, while the field holds text the
    // user edited; a click into another window leaves the name alone.
    std::function<void()> onExit;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Pasted text is sifted before it goes in, so that the length limit counts
    // only the characters kept.
    void pastePrintable(QClipboard::Mode mode);
};

} // namespace zlv
