#include "Modal.h"

#include <QDialog>

#include <utility>

namespace zlv {

namespace {
ModalHandler& installedHandler()
{
    static ModalHandler handler;
    return handler;
}
} // namespace

int ExecModal(QDialog* dialog)
{
    if (auto& handler = installedHandler())
        return handler(dialog);
    return dialog->exec();
}

ModalHandler SetModalHandler(ModalHandler handler) { return std::exchange(installedHandler(), std::move(handler)); }

} // namespace zlv
