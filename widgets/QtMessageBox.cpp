#include "QtMessageBox.h"

#include "Modal.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

namespace zlv {

namespace {

QMessageBox::Icon toQtIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::Exclamation: return QMessageBox::Warning;
    case MsgIcon::Error: return QMessageBox::Critical;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons toQtButtons(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::Ok: break;
    }
    return QMessageBox::Ok;
}

// A box closed without a button (Escape, close box) answers as its way out does.
MsgResult fallbackAnswer(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::OkCancel: return MsgResult::Cancel;
    case MsgButtons::YesNo: return MsgResult::No;
    case MsgButtons::Ok: break;
    }
    return MsgResult::Ok;
}

} // namespace

MsgResult ShowQtMessageBox(const std::string& text, const std::string& caption, MsgIcon icon, MsgButtons buttons)
{
    if (!QApplication::instance()) {
        // Only reached when the application object itself could not be made.
        std::fprintf(stderr, "[%s] %s\n", caption.c_str(), text.c_str());
        return fallbackAnswer(buttons);
    }
    QMessageBox box(toQtIcon(icon), QString::fromStdString(caption), QString::fromStdString(text),
                    toQtButtons(buttons), QApplication::activeWindow());
    box.setObjectName("MessageBox");
    box.setTextFormat(Qt::PlainText);
    switch (ExecModal(&box)) {
    case QMessageBox::Ok: return MsgResult::Ok;
    case QMessageBox::Cancel: return MsgResult::Cancel;
    case QMessageBox::Yes: return MsgResult::Yes;
    case QMessageBox::No: return MsgResult::No;
    default: return fallbackAnswer(buttons);
    }
}

void InstallQtMessageBox() { SetMessageBoxHandler(&ShowQtMessageBox); }

} // namespace zlv
