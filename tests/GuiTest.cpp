#include "GuiTest.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTest>
#include <QWidget>


namespace zlv::test {

MessageRecorder::NoteContext NoteGuiState(const QString* watchedFile)
{
    return [watchedFile](ShownMessage& shown) {
        shown.hourglass = QApplication::overrideCursor() != nullptr;
        shown.watchedFileThere = watchedFile && !watchedFile->isEmpty() && QFileInfo::exists(*watchedFile);
    };
}

::testing::AssertionResult saveScreenshot(const QImage& picture, const QString& name)
{
    const QDir folder(QStringLiteral(ZLV_SCREENSHOT_DIR));
    const QString path = folder.filePath(name + ".png");
    if (!folder.mkpath(".") || !picture.save(path) || QFileInfo(path).size() == 0)
        return ::testing::AssertionFailure() << "could not save " << path.toStdString();
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult saveScreenshot(QWidget* widget, const QString& name)
{
    QCoreApplication::processEvents();
    return saveScreenshot(widget->grab().toImage(), name);
}

void showActive(QWidget* window)
{
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
}

} // namespace zlv::test
