// The preset-number prompts and the About box, shown for real offscreen.
#include "AboutForm.h"
#include "GuiTest.h"
#include "LoadForm.h"
#include "SaveForm.h"
#include "SpinEdit.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace zlv;
using namespace zlv::test;

namespace {

// Types into the prompt's number field and presses Continue with the mouse;
// gives the result the window closed with.
int typeAndContinue(TPresetPromptForm& prompt, const QString& typed)
{
    prompt.setResult(0);
    showActive(&prompt);
    prompt.spinPreset->setFocus();
    prompt.spinPreset->lineEdit()->selectAll();
    if (typed.isEmpty())
        QTest::keyClick(prompt.spinPreset->lineEdit(), Qt::Key_Delete);
    else
        QTest::keyClicks(prompt.spinPreset->lineEdit(), typed);
    QTest::mouseClick(prompt.btnContinue, Qt::LeftButton);
    return prompt.result();
}

// The prompt's three controls in the order Tab visits them, from the number field.
std::vector<QWidget*> tabSequence(TPresetPromptForm& prompt)
{
    std::vector<QWidget*> order;
    QWidget* start = prompt.spinPreset->lineEdit();
    QWidget* w = start;
    do {
        if (w == prompt.spinPreset->lineEdit())
            order.push_back(prompt.spinPreset);
        else if (w == prompt.btnContinue || w == prompt.btnCancel)
            order.push_back(w);
        w = w->nextInFocusChain();
    } while (w != start);
    return order;
}

} // namespace

TEST(PresetPrompts, CarryTheirCaptionsPromptsAndTabOrder)
{
    TSaveForm save;
    TLoadForm load;
    EXPECT_EQ(save.windowTitle(), "Export To Which Preset?");
    EXPECT_EQ(save.Label1->text(), "Export Current Preset to this Preset Number: ");
    EXPECT_EQ(load.windowTitle(), "Import into which Preset?");
    EXPECT_EQ(load.Label1->text(), "Import new Preset into this Preset Number:  ");
    for (TPresetPromptForm* prompt : std::initializer_list<TPresetPromptForm*>{&save, &load}) {
        EXPECT_EQ(prompt->Label2->text(), "Preset Number: ");
        EXPECT_EQ(prompt->Label6->text(), "(1 - 200)");
        EXPECT_EQ(prompt->btnContinue->text(), "Continue");
        EXPECT_EQ(prompt->btnCancel->text(), "Cancel");
        EXPECT_FALSE(prompt->btnContinue->isDefault() || prompt->btnContinue->autoDefault());
        EXPECT_FALSE(prompt->btnCancel->isDefault() || prompt->btnCancel->autoDefault());
        EXPECT_EQ(prompt->spinPreset->minValue(), 1);
        EXPECT_EQ(prompt->spinPreset->maxValue(), 200);
        EXPECT_EQ(prompt->spinPreset->value(), 1);
    }
    EXPECT_EQ(tabSequence(save), (std::vector<QWidget*>{save.spinPreset, save.btnContinue, save.btnCancel}));
    EXPECT_EQ(tabSequence(load), (std::vector<QWidget*>{load.spinPreset, load.btnCancel, load.btnContinue}));
}

TEST(PresetPrompts, ContinueReadsANumberBroughtIntoOneToTwoHundred)
{
    TSaveForm prompt;
    EXPECT_EQ(typeAndContinue(prompt, "250"), TPresetPromptForm::ResultContinue);
    EXPECT_EQ(prompt.spinPreset->value(), 200);
    EXPECT_EQ(typeAndContinue(prompt, "0"), TPresetPromptForm::ResultContinue);
    EXPECT_EQ(prompt.spinPreset->value(), 1);
    EXPECT_EQ(typeAndContinue(prompt, ""), TPresetPromptForm::ResultContinue);
    EXPECT_EQ(prompt.spinPreset->value(), 1);
    EXPECT_EQ(typeAndContinue(prompt, "42"), TPresetPromptForm::ResultContinue);
    EXPECT_EQ(prompt.spinPreset->value(), 42);
}

TEST(PresetPrompts, TheFieldShowsTheBoundOnceTheFocusHasLeftIt)
{
    TLoadForm prompt;
    typeAndContinue(prompt, "250");
    EXPECT_EQ(prompt.spinPreset->text(), "200");
    typeAndContinue(prompt, "0");
    EXPECT_EQ(prompt.spinPreset->text(), "1");
    typeAndContinue(prompt, "");
    prompt.spinPreset->value();
    EXPECT_EQ(prompt.spinPreset->text(), "1");
}

TEST(PresetPrompts, CancelAndTheCloseBoxGiveTwoWhileEnterInTheFieldAndEscapeCloseNothing)
{
    TSaveForm prompt;
    showActive(&prompt);
    prompt.spinPreset->setFocus();
    QTest::keyClick(prompt.spinPreset->lineEdit(), Qt::Key_Return);
    QTest::keyClick(prompt.spinPreset->lineEdit(), Qt::Key_Escape);
    EXPECT_TRUE(prompt.isVisible());

    QTest::mouseClick(prompt.btnCancel, Qt::LeftButton);
    EXPECT_FALSE(prompt.isVisible());
    EXPECT_EQ(prompt.result(), TPresetPromptForm::ResultCancel);

    prompt.setResult(0);
    showActive(&prompt);
    prompt.close();
    EXPECT_EQ(prompt.result(), TPresetPromptForm::ResultCancel);

    // Enter on a focused button clicks it.
    prompt.setResult(0);
    showActive(&prompt);
    prompt.btnContinue->setFocus();
    QTest::keyClick(prompt.btnContinue, Qt::Key_Return);
    EXPECT_FALSE(prompt.isVisible());
    EXPECT_EQ(prompt.result(), TPresetPromptForm::ResultContinue);
}

TEST(AboutBox, IsABorderlessWhiteWindowOfItsSizeWithTheNameAndVersion)
{
    TAboutForm about;
    EXPECT_TRUE(about.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(about.size(), QSize(407, 179));
    EXPECT_EQ(about.Label1->text(), "Zelvane");
    EXPECT_TRUE(about.Label1->font().bold());
    EXPECT_EQ(about.Label2->text(), "Editor/Librarian");
    EXPECT_EQ(about.Label3->text(), "Version 3.31");
    EXPECT_EQ(about.Image1->pixmap().size(), QSize(209, 159));
    EXPECT_EQ(about.OK->text(), "OK");
}

TEST(AboutBox, PaintsAWhiteOuterAndABlackInnerFrameEachTimeItIsDrawn)
{
    TAboutForm about;
    about.show();
    for (int pass = 0; pass < 2; ++pass) {
        const QImage image = about.grab().toImage();
        ASSERT_EQ(image.size(), QSize(407, 179));
        const int right = 406, bottom = 178;
        for (QPoint p : {QPoint(0, 0), QPoint(right, 0), QPoint(0, bottom), QPoint(right, bottom), QPoint(200, 0),
                         QPoint(0, 90), QPoint(right, 90), QPoint(200, bottom)})
            EXPECT_EQ(image.pixelColor(p), QColor(Qt::white)) << "outer " << p.x() << "," << p.y();
        for (QPoint p : {QPoint(1, 1), QPoint(right - 1, 1), QPoint(1, bottom - 1), QPoint(right - 1, bottom - 1),
                         QPoint(200, 1), QPoint(1, 90), QPoint(right - 1, 90), QPoint(200, bottom - 1)})
            EXPECT_EQ(image.pixelColor(p), QColor(Qt::black)) << "inner " << p.x() << "," << p.y();
        EXPECT_EQ(image.pixelColor(2, 90), QColor(Qt::white)) << "the frame is one pixel wide each";
        about.update();
    }
}

TEST(AboutBox, OkAndEnterOnOkCloseItEscapeDoesNot)
{
    TAboutForm about;
    showActive(&about);
    EXPECT_EQ(QApplication::focusWidget(), about.OK);
    QTest::keyClick(about.OK, Qt::Key_Escape);
    EXPECT_TRUE(about.isVisible());
    QTest::keyClick(about.OK, Qt::Key_Return);
    EXPECT_FALSE(about.isVisible());

    showActive(&about);
    QTest::mouseClick(about.OK, Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
}
