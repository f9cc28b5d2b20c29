#include "GuiTest.h"
#include "Modal.h"
#include "OpenFileSummaryForm.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

using namespace zlv;

namespace {

class OpenFileSummary : public ::testing::Test {
protected:
    std::unique_ptr<QWidget> mainWindow = std::make_unique<QWidget>();
    TfrmOpenFileSummary* form = new TfrmOpenFileSummary(mainWindow.get());

    QLabel* label(const char* name) { return form->findChild<QLabel*>(name); }
    QRect placeOf(QWidget* w) { return QRect(w->mapTo(form, QPoint(0, 0)), w->size()); }
};

} // namespace

TEST_F(OpenFileSummary, ShowsTheFormsTextsUnderTheControlsNames)
{
    EXPECT_EQ(form->windowTitle(), "Open .SYX File Summary");
    const std::pair<const char*, QString> texts[] = {
        {"Label1", "This file contains: "},
        {"Label2", QString::fromUtf8("\xC2\xB7 # Presets (old format): ")},
        {"Label3", QString::fromUtf8("\xC2\xB7 # Presets (new format): ")},
        {"Label4", QString::fromUtf8("\xC2\xB7 # Chains: ")},
        {"Label5", QString::fromUtf8("\xC2\xB7 # Speed Dials: ")},
        {"Label6", QString::fromUtf8("\xC2\xB7 # Other Settings: ")},
        {"lblNumOldPresets", "0"},
        {"lblNumNewPresets", "0"},
        {"lblNumChains", "0"},
        {"lblNumSpeedDials", "0"},
        {"lblNumOtherSettings", "0"},
        {"Label7", "Clear all data and load this file?"},
    };
    for (const auto& [name, text] : texts) {
        ASSERT_NE(label(name), nullptr) << name;
        EXPECT_EQ(label(name)->text(), text) << name;
    }
    EXPECT_EQ(form->findChild<QPushButton*>("BitBtn1")->text(), "Contine");
    EXPECT_EQ(form->findChild<QPushButton*>("BitBtn2")->text(), "Cancel");
    EXPECT_EQ(form->findChild<QLabel*>("lblNumChains"), form->lblNumChains);
    EXPECT_TRUE(form->Label7->font().bold());
    EXPECT_FALSE(form->Label1->font().bold());
}

TEST_F(OpenFileSummary, LaysOutTheRowsWithTheOtherSettingsRowHidden)
{
    mainWindow->setGeometry(100, 100, 900, 700);
    mainWindow->show();
    form->lblNumNewPresets->setText("200");
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
    EXPECT_FALSE(form->Label6->isVisible());
    EXPECT_FALSE(form->lblNumOtherSettings->isVisible());
    QWidget* order[] = {form->Label1, form->Label2, form->Label3, form->Label4, form->Label5, form->Label7, form->BitBtn1};
    for (std::size_t i = 1; i < std::size(order); ++i)
        EXPECT_GT(placeOf(order[i]).top(), placeOf(order[i - 1]).bottom()) << i;
    const std::pair<QLabel*, QLabel*> rows[] = {{form->Label2, form->lblNumOldPresets},
                                                {form->Label3, form->lblNumNewPresets},
                                                {form->Label4, form->lblNumChains},
                                                {form->Label5, form->lblNumSpeedDials}};
    for (const auto& [caption, value] : rows) {
        EXPECT_EQ(placeOf(caption).center().y(), placeOf(value).center().y());
        EXPECT_GT(placeOf(value).left(), placeOf(caption).right());
        EXPECT_TRUE(value->isVisible());
    }
    EXPECT_EQ(placeOf(form->BitBtn1).top(), placeOf(form->BitBtn2).top());
    EXPECT_LT(placeOf(form->BitBtn1).right(), placeOf(form->BitBtn2).left());
    // Fixed size, and placed over the main window.
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
    EXPECT_TRUE(mainWindow->frameGeometry().contains(form->frameGeometry().center()));

    EXPECT_TRUE(test::saveScreenshot(form, "open-file-summary"));
}

TEST_F(OpenFileSummary, EnterAnswersContineEscapeAndTheCloseBoxCancel)
{
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
    QTest::keyClick(form, Qt::Key_Return);
    EXPECT_EQ(form->result(), QDialog::Accepted);
    EXPECT_FALSE(form->isVisible());

    form->show();
    QTest::keyClick(form, Qt::Key_Escape);
    EXPECT_EQ(form->result(), QDialog::Rejected);

    form->setResult(QDialog::Accepted);
    form->show();
    form->close();
    EXPECT_EQ(form->result(), QDialog::Rejected);
}

TEST_F(OpenFileSummary, RunsModallyAndReturnsTheButtonPressed)
{
    SetModalHandler(nullptr);
    QTimer::singleShot(0, form, [this] { QTest::mouseClick(form->BitBtn1, Qt::LeftButton); });
    EXPECT_EQ(ExecModal(form), QDialog::Accepted);
    QTimer::singleShot(0, form, [this] { QTest::mouseClick(form->BitBtn2, Qt::LeftButton); });
    EXPECT_EQ(ExecModal(form), QDialog::Rejected);
}
