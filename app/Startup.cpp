#include "Startup.h"

#include "AboutForm.h"
#include "AppTitle.h"
#include "InterfaceForm.h"
#include "LoadForm.h"
#include "MainForm.h"
#include "MidiEventsForm.h"
#include "OpenFileSummaryForm.h"
#include "PresetListForm.h"
#include "ProgressForm.h"
#include "QtMessageBox.h"
#include "SaveForm.h"
#include "UserMessage.h"

#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <exception>

namespace zlv {

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    return RunHandlerShowingExceptions([&] { return QApplication::notify(receiver, event); });
}

void ShowCurrentException()
{
    std::string text = "Unknown exception.";
    try {
        throw;
    } catch (const std::exception& e) {
        text = e.what();
    } catch (...) {
    }
    ShowMessage(text, AppTitle, MsgIcon::Error, MsgButtons::Ok);
}

bool RunHandlerShowingExceptions(const std::function<bool()>& handler)
{
    try {
        return handler();
    } catch (...) {
        ShowCurrentException();
        return false;
    }
}

namespace {

// Start-up timing (bench/startup): with ZLV_EXIT_AT_FIRST_PAINT set, the program
// writes the main window's size to stdout and ends at once after that window is
// first painted. Unset, nothing is watched.
class ExitAtFirstPaint : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched == MainForm) {
            // Queued, so that the painted window has reached the display first.
            QTimer::singleShot(0, [] {
                std::printf("%d %d\n", MainForm->width(), MainForm->height());
                std::fflush(stdout);
                std::_Exit(0);
            });
            MainForm->removeEventFilter(this);
        }
        return false;
    }
};

void watchForFirstPaintIfAsked()
{
    if (qEnvironmentVariableIsSet("ZLV_EXIT_AT_FIRST_PAINT"))
        MainForm->installEventFilter(new ExitAtFirstPaint(MainForm));
}

} // namespace

void CreateApplicationWindows()
{
    MainForm = new TMainForm;
    SaveForm = new TSaveForm(MainForm);
    LoadForm = new TLoadForm(MainForm);
    MidiEventsForm = new TMidiEventsForm(MainForm);
    AboutForm = new TAboutForm(MainForm);
    PresetListForm = new TPresetListForm(MainForm);
    InterfaceForm = new TInterfaceForm(MainForm);
    frmProgress = new TfrmProgress(MainForm);
    frmOpenFileSummary = new TfrmOpenFileSummary(MainForm);
}

void DestroyApplicationWindows()
{
    // The other eight are children of the main window and go with it.
    delete MainForm;
    MainForm = nullptr;
    SaveForm = nullptr;
    LoadForm = nullptr;
    MidiEventsForm = nullptr;
    AboutForm = nullptr;
    PresetListForm = nullptr;
    InterfaceForm = nullptr;
    frmProgress = nullptr;
    frmOpenFileSummary = nullptr;
}

int WinMain(int argc, char** argv)
{
    try {
        TApplication app(argc, argv);
        InstallQtMessageBox();
        QApplication::setApplicationName(QString::fromStdString(AppTitle));
        try {
            CreateApplicationWindows();
            watchForFirstPaintIfAsked();
            MainForm->show();
            QApplication::exec();
        } catch (...) {
            ShowCurrentException();
        }
        DestroyApplicationWindows();
    } catch (...) {
        // The application object itself failed: no box can be shown.
        ShowCurrentException();
    }
    return 0;
}

} // namespace zlv
