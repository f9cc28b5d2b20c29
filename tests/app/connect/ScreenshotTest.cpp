// Pictures of the main window in each connection mode, of the Settings page
// after a refresh and of the progress window during a download, saved into the
// build folder (screenshots/) for a person to look at.
#include "KeypadSession.h"

#include <QCoreApplication>
#include <QPainter>
#include <QProgressBar>

using namespace zlv;
using namespace zlv::test;

namespace {

QString screenshotPath(const QString& name)
{
    QDir dir(QCoreApplication::applicationDirPath());
    dir.mkpath("screenshots");
    return dir.filePath("screenshots/" + name + ".png");
}

void saveShot(QWidget* window, const QString& name)
{
    QCoreApplication::processEvents();
    const QString path = screenshotPath(name);
    ASSERT_TRUE(window->grab().save(path)) << path.toStdString();
}

} // namespace

using Screenshots = KeypadSession;

TEST_F(Screenshots, OfTheMainWindowInEachMode)
{
    saveShot(MainForm, "connect-mode-none");
    MainForm->mnuFileMode->trigger();
    saveShot(MainForm, "connect-mode-file-only");
    MainForm->mnuExternalApp->trigger();
    saveShot(MainForm, "connect-mode-external-app");
    MainForm->mnuDirectMIDI->trigger();
    ASSERT_TRUE(IsMidiOpen());
    saveShot(MainForm, "connect-mode-direct-midi");
}

TEST_F(Screenshots, OfTheSettingsPageAfterARefresh)
{
    chooseDirectMidi();
    MainForm->PageControl1->setCurrentWidget(MainForm->tabSettings);
    MainForm->btnGetSettings->click();
    ASSERT_EQ(MainForm->lblPort->text(), "Direct via USB");
    saveShot(MainForm, "connect-settings-page");
}

TEST_F(Screenshots, OfTheProgressWindowDuringADownload)
{
    chooseDirectMidi();
    constexpr int kShotAt = 150;
    bool shot = false;
    keypad.Responder = [&](const Bytes& message, int number, std::chrono::milliseconds&) {
        if (number == kShotAt) {
            saveShot(frmProgress, "connect-progress-window");
            // The main window with the progress window over its middle, as the user sees them.
            QImage composite = MainForm->grab().toImage();
            QPainter painter(&composite);
            const QPixmap bar = frmProgress->grab();
            painter.drawPixmap((composite.width() - bar.width()) / 2, (composite.height() - bar.height()) / 2, bar);
            painter.end();
            shot = composite.save(screenshotPath("connect-download-in-progress"));
            // The rest of the bank is not needed for the picture.
            return std::optional<Bytes>{};
        }
        return keypad.Keypad.Answer(message);
    };
    MainForm->mnuDownloadAll->trigger();
    EXPECT_TRUE(shot);
    EXPECT_EQ(frmProgress->ProgressBar1->value(), kShotAt - 1);
}
