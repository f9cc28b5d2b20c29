// Pictures of the main window and the small windows, for a person to look at;
// each test also checks that the picture was written.
#include "AppFixture.h"

#include "AboutForm.h"
#include "LoadForm.h"
#include "PresetListForm.h"
#include "SaveForm.h"

#include <QMenu>
#include <QPainter>
#include <QToolButton>

using namespace zlv;
using namespace zlv::test;

using Screenshots = AppFixture;

TEST_F(Screenshots, OfTheMainWindowAndItsMenus)
{
    EXPECT_TRUE(saveScreenshot(MainForm, "main-window"));

    // The main window with its MIDI menu dropped down beneath the button.
    QImage composite = MainForm->grab().toImage();
    QPainter painter(&composite);
    const QPoint below = MainForm->btnAutoSend->mapTo(MainForm, QPoint(0, MainForm->btnAutoSend->height()));
    MainForm->MidiMenu->adjustSize();
    painter.drawPixmap(below, MainForm->MidiMenu->grab());
    painter.end();
    EXPECT_TRUE(saveScreenshot(composite, "main-window-midi-menu"));
}

TEST_F(Screenshots, OfTheSmallWindows)
{
    const std::pair<QWidget*, const char*> shots[] = {
        {SaveForm, "save-form"}, {LoadForm, "load-form"}, {AboutForm, "about-form"}};
    for (auto [window, name] : shots) {
        window->show();
        EXPECT_TRUE(saveScreenshot(window, name));
        window->hide();
    }
}
