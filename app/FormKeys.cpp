#include "FormKeys.h"

#include <QAbstractButton>
#include <QDialog>
#include <QKeyEvent>
#include <QScreen>

namespace zlv {

bool HandleFormKey(QDialog* dialog, QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Enter:
    case Qt::Key_Return:
        if (auto* button = qobject_cast<QAbstractButton*>(dialog->focusWidget()))
            button->click();
        return true;
    case Qt::Key_Escape: return true;
    default: return false;
    }
}

void CentreOnScreen(QDialog* dialog)
{
    if (QScreen* screen = dialog->screen()) {
        const QRect frame = dialog->frameGeometry();
        dialog->move(screen->availableGeometry().center() - QPoint(frame.width() / 2, frame.height() / 2));
    }
}

} // namespace zlv
