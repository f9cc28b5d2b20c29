#include "AppTitle.h"
#include "MainForm.h"
#include "Startup.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromStdString(zlv::AppTitle));
    zlv::CreateApplicationWindows();
    zlv::MainForm->show();
    const int rc = app.exec();
    delete zlv::MainForm;
    return rc;
}
