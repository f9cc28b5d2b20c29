#include "AppTitle.h"
#include "MainForm.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromStdString(zlv::AppTitle));
    zlv::MainForm = new zlv::TMainForm;
    zlv::MainForm->show();
    const int rc = app.exec();
    delete zlv::MainForm;
    return rc == 0 ? 0 : rc;
}
