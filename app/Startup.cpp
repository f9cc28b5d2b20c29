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

namespace zlv {

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    return RunHandlerShowingExceptions([&] { return QApplication::notify(receiver, event); });
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
// writes the main window's size to stdout and ends right after that window's
// first paint. Unset, it does nothing.
void exitIfTimingStartUp()
{
    if (!qEnvironmentVariableIsSet("ZLV_EXIT_AT_FIRST_PAINT"))
        return;
    std::printf("%d %d\n", MainForm->width(), MainForm->height());
    std::fflush(stdout);
    std::_Exit(0);
}

// Makes the eight hidden windows once the main window has been painted, so that
// the user does not wait for windows that are not shown; a click or key press
// that comes earlier has them made before it is handled.
class HiddenWindowsAfterFirstPaint : public QObject {
public:
    explicit HiddenWindowsAfterFirstPaint(QWidget* mainWindow) : QObject(mainWindow)
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Paint:
            if (watched == parent() && !m_painted) {
                m_painted = true;
                // Queued, so that the painted window reaches the screen first.
                QTimer::singleShot(0, this, [this] {
                    exitIfTimingStartUp();
                    makeWindows();
                });
            }
            break;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::ShortcutOverride:
        case QEvent::KeyPress:
            // Without its windows no handler may run: the input is dropped.
            return !makeWindows();
        default: break;
        }
        return false;
    }

private:
    // False when a window could not be made: as for a failure anywhere in
    // start-up, the program shows why and ends.
    bool makeWindows()
    {
        qApp->removeEventFilter(this);
        deleteLater();
        if (SaveForm)
            return true;
        try {
            CreateHiddenWindows();
            // The main window's show found no list to fill.
            MainForm->UpdatePresetsList();
            return true;
        } catch (...) {
            ShowCurrentException();
            QCoreApplication::exit(0);
            return false;
        }
    }

    bool m_painted = false;
};

} // namespace

void CreateApplicationWindows()
{
    MainForm = new TMainForm;
    CreateHiddenWindows();
}

void CreateHiddenWindows()
{
    SaveForm = new TSaveForm(MainForm);
    LoadForm = new TLoadForm(MainForm);
    MidiEventsForm = new TMidiEventsForm(MainForm);
    AboutForm = new TAboutForm(MainForm);
    PresetListForm = new TPresetListForm(MainForm);
    InterfaceForm = new TInterfaceForm(MainForm);
    frmProgress = new TfrmProgress(MainForm);
    frmOpenFileSummary = new TfrmOpenFileSummary(MainForm);
}

void StartApplicationWindows()
{
    MainForm = new TMainForm;
    new HiddenWindowsAfterFirstPaint(MainForm);
    MainForm->show();
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
            StartApplicationWindows();
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
