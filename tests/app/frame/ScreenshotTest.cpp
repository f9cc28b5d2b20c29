// Saves pictures of the main window and the small windows into the build
// folder (screenshots/), to be looked at by a person; each test also checks
// that the picture was written.
#include "StartedProgram.h"

#include "AboutForm.h"
#include "LoadForm.h"
#include "PresetListForm.h"
#include "SaveForm.h"

#include <QCoreApplication>
#include <QDir>
#include <QMenu>
#include <QPainter>
#include <QToolButton>

namespace {

QString screenshotPath(const QString& name)
{
    QDir dir(QCoreApplication::applicationDirPath());
    dir.mkpath("screenshots");
    return dir.filePath("screenshots/" + name + ".png");
}

void saveShot(QWidget* window, const QString& name)
{
    window->show();
    QCoreApplication::processEvents();
    const QString path = screenshotPath(name);
    ASSERT_TRUE(window->grab().save(path)) << path.toStdString();
    EXPECT_TRUE(QFileInfo(path).size() > 0);
}

} // namespace

using Screenshots = StartedProgram;

TEST_F(Screenshots, OfTheMainWindowAndItsMenus)
{
    saveShot(zlv::MainForm, "main-window");

    // The main window with its MIDI menu dropped down beneath the button.
    QImage composite = zlv::MainForm->grab().toImage();
    QPainter painter(&composite);
    const QPoint below = zlv::MainForm->btnAutoSend->mapTo(zlv::MainForm, QPoint(0, zlv::MainForm->btnAutoSend->height()));
    zlv::MainForm->MidiMenu->adjustSize();
    painter.drawPixmap(below, zlv::MainForm->MidiMenu->grab());
    painter.end();
    EXPECT_TRUE(composite.save(screenshotPath("main-window-midi-menu")));
}

TEST_F(Screenshots, OfTheSmallWindows)
{
    saveShot(zlv::SaveForm, "save-form");
    zlv::SaveForm->hide();
    saveShot(zlv::LoadForm, "load-form");
    zlv::LoadForm->hide();
    saveShot(zlv::AboutForm, "about-form");
    zlv::AboutForm->hide();
}
