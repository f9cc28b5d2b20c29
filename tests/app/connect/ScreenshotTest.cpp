// Pictures of the main window in each connection mode, of the Settings page
// after a refresh and of the progress window during a download, for a person
// to look at.
#include "AppFixture.h"

#include "MidiPorts.h"
#include "ProgressForm.h"

#include <QPainter>
#include <QProgressBar>

using namespace zlv;
using namespace zlv::test;

class Screenshots : public AppFixture {
protected:
    Screenshots() : AppFixture({.keypad = true}) {}
};

TEST_F(Screenshots, OfTheMainWindowInEachMode)
{
    EXPECT_TRUE(saveScreenshot(MainForm, "connect-mode-none"));
    MainForm->mnuFileMode->trigger();
    EXPECT_TRUE(saveScreenshot(MainForm, "connect-mode-file-only"));
    MainForm->mnuExternalApp->trigger();
    EXPECT_TRUE(saveScreenshot(MainForm, "connect-mode-external-app"));
    MainForm->mnuDirectMIDI->trigger();
    ASSERT_TRUE(IsMidiOpen());
    EXPECT_TRUE(saveScreenshot(MainForm, "connect-mode-direct-midi"));
}

TEST_F(Screenshots, OfTheSettingsPageAfterARefresh)
{
    chooseDirectMidi();
    MainForm->PageControl1->setCurrentWidget(MainForm->tabSettings);
    MainForm->btnGetSettings->click();
    ASSERT_EQ(MainForm->lblPort->text(), "Direct via USB");
    EXPECT_TRUE(saveScreenshot(MainForm, "connect-settings-page"));
}

TEST_F(Screenshots, OfTheProgressWindowDuringADownload)
{
    chooseDirectMidi();
    constexpr int kShotAt = 150;
    bool shot = false;
    keypad->Responder = [&](const Bytes& message, int number, std::chrono::milliseconds&) {
        if (number == kShotAt) {
            EXPECT_TRUE(saveScreenshot(frmProgress, "connect-progress-window"));
            // The main window with the progress window over its middle, as the user sees them.
            QImage composite = MainForm->grab().toImage();
            QPainter painter(&composite);
            const QPixmap bar = frmProgress->grab();
            painter.drawPixmap((composite.width() - bar.width()) / 2, (composite.height() - bar.height()) / 2, bar);
            painter.end();
            shot = saveScreenshot(composite, "connect-download-in-progress");
            // The rest of the bank is not needed for the picture.
            return std::optional<Bytes>{};
        }
        return keypad->Keypad.Answer(message);
    };
    MainForm->mnuDownloadAll->trigger();
    EXPECT_TRUE(shot);
    EXPECT_EQ(frmProgress->ProgressBar1->value(), kShotAt - 1);
}
