#include "GuiTest.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTest>
#include <QWidget>

#include <tuple>

namespace zlv::test {

bool operator==(const ShownMessage& shown, const Box& expected)
{
    return std::tie(shown.text, shown.caption, shown.icon) == std::tie(expected.text, expected.caption, expected.icon);
}

void PrintTo(const ShownMessage& shown, std::ostream* out)
{
    *out << '"' << shown.text << "\" / \"" << shown.caption << "\" icon " << static_cast<int>(shown.icon);
}

void PrintTo(const Box& box, std::ostream* out)
{
    *out << '"' << box.text << "\" / \"" << box.caption << "\" icon " << static_cast<int>(box.icon);
}

MessageRecorder::MessageRecorder()
{
    m_previous = SetMessageBoxHandler(
        [this](const std::string& text, const std::string& caption, MsgIcon icon, MsgButtons buttons) {
            m_shown.push_back({text, caption, icon, buttons, QApplication::overrideCursor() != nullptr,
                               !watchedFile.isEmpty() && QFileInfo::exists(watchedFile)});
            if (m_answers.empty())
                return MsgResult::Ok;
            const MsgResult answer = m_answers.front();
            m_answers.pop_front();
            return answer;
        });
}

MessageRecorder::~MessageRecorder() { SetMessageBoxHandler(m_previous); }

std::vector<Box> MessageRecorder::boxes() const
{
    std::vector<Box> all;
    for (const ShownMessage& m : m_shown)
        all.emplace_back(m.text, m.caption, m.icon);
    return all;
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
