#include "NameEdit.h"

#include "FocusChange.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDropEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QValidator>

namespace zlv {

namespace {

bool isNameCharacter(QChar c) { return c.unicode() >= 0x20 && c.unicode() <= 0x7E; }

// Every change of the text passes here, whatever brought it in (a key, an input
// method, a paste, a drop, the program): the characters a name cannot hold go,
// and the cursor keeps its place among those that stay.
class PrintableAsciiValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override
    {
        const QString beforeCursor = PrintableAscii(input.left(pos));
        input = beforeCursor + PrintableAscii(input.mid(pos));
        pos = static_cast<int>(beforeCursor.size());
        return Acceptable;
    }
};

} // namespace

QString PrintableAscii(const QString& text)
{
    QString kept;
    kept.reserve(text.size());
    for (QChar c : text)
        if (isNameCharacter(c))
            kept += c;
    return kept;
}

NameEdit::NameEdit(QWidget* parent) : QLineEdit(parent)
{
    setValidator(new PrintableAsciiValidator(this));
    connect(this, &QLineEdit::textEdited, this, [this] {
        if (onEdited)
            onEdited();
    });
}

void NameEdit::pastePrintable(QClipboard::Mode mode)
{
    // Nothing a name can hold: a paste that does nothing, as a refused key does,
    // rather than an edit that would store the name from the field.
    const QString kept = PrintableAscii(QGuiApplication::clipboard()->text(mode));
    if (!kept.isEmpty())
        insert(kept);
}

void NameEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Paste) && !isReadOnly()) {
        pastePrintable(QClipboard::Clipboard);
        event->accept();
        return;
    }
    // A character the field would enter but a name cannot hold is refused here:
    // let through, it would replace the selection, and the validator's removal of
    // it would clear the undo history. Control characters (Backspace, Delete,
    // Enter, the Ctrl shortcuts) are the field's commands; Ctrl and Ctrl+Shift
    // never enter text.
    const QString typed = event->text();
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (!typed.isEmpty() && typed.at(0).category() != QChar::Other_Control && PrintableAscii(typed) != typed &&
        mods != Qt::ControlModifier && mods != (Qt::ControlModifier | Qt::ShiftModifier)) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void NameEdit::inputMethodEvent(QInputMethodEvent* event)
{
    // A character composed through an input method is typed too: what the name
    // cannot hold is taken from the commit before the field sees it.
    const QString commit = event->commitString();
    const QString kept = PrintableAscii(commit);
    if (kept == commit) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent sifted(event->preeditString(), event->attributes());
    sifted.setCommitString(kept, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&sifted);
    event->setAccepted(sifted.isAccepted());
}

void NameEdit::keyReleaseEvent(QKeyEvent* event)
{
    QLineEdit::keyReleaseEvent(event);
    if (onKeyUp && isModified())
        onKeyUp();
}

void NameEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (onExit && isModified() && !isActivationFocusChange(event))
        onExit();
}

void NameEdit::mouseReleaseEvent(QMouseEvent* event)
{
    // The X11 selection pasted with the middle button.
    if (event->button() == Qt::MiddleButton && !isReadOnly() && QGuiApplication::clipboard()->supportsSelection()) {
        deselect();
        pastePrintable(QClipboard::Selection);
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void NameEdit::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStandardContextMenu();
    // Qt's own Paste item, known by its text (translated as Qt translates it;
    // the shortcut follows a tab), pastes through the sieve instead.
    const QString pasteText = QCoreApplication::translate("QLineEdit", "&Paste");
    for (QAction* item : menu->actions()) {
        if (item->text().section(u'\t', 0, 0) == pasteText) {
            disconnect(item, &QAction::triggered, this, nullptr);
            connect(item, &QAction::triggered, this, [this] { pastePrintable(QClipboard::Clipboard); });
        }
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

// A drag that brings nothing a name can hold is refused on its way in, so it
// takes neither the cursor nor the selection.
void NameEdit::dragEnterEvent(QDragEnterEvent* event)
{
    if (PrintableAscii(event->mimeData()->text()).isEmpty())
        event->ignore();
    else
        QLineEdit::dragEnterEvent(event);
}

void NameEdit::dragMoveEvent(QDragMoveEvent* event)
{
    if (PrintableAscii(event->mimeData()->text()).isEmpty())
        event->ignore();
    else
        QLineEdit::dragMoveEvent(event);
}

void NameEdit::dropEvent(QDropEvent* event)
{
    const QString text = event->mimeData()->text();
    const QString kept = PrintableAscii(text);
    if (kept.isEmpty()) {
        event->ignore();
        return;
    }
    if (kept == text) {
        QLineEdit::dropEvent(event);
        return;
    }
    // The same drop, carrying only what the name can hold.
    QMimeData sifted;
    sifted.setText(kept);
    QDropEvent siftedDrop(event->position(), event->possibleActions(), &sifted, event->buttons(), event->modifiers(),
                          event->type());
    siftedDrop.setDropAction(event->dropAction());
    QLineEdit::dropEvent(&siftedDrop);
    event->setDropAction(siftedDrop.dropAction());
    event->setAccepted(siftedDrop.isAccepted());
}

} // namespace zlv
