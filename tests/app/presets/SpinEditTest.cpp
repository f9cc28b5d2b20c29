#include "GuiTest.h"
#include "SpinEdit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>

using zlv::TSpinEdit;

namespace {

// A spin edit in a shown, active window with a second field to move the focus to.
class SpinEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_window = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(m_window.get());
        spin = new TSpinEdit;
        other = new QLineEdit;
        layout->addWidget(spin);
        layout->addWidget(other);
        spin->setMinValue(1);
        spin->setMaxValue(200);
        spin->setValue(1);
        ASSERT_NO_FATAL_FAILURE(zlv::test::showActive(m_window.get()));
        spin->setFocus();
        ASSERT_TRUE(spin->lineEdit()->hasFocus());
    }

    void typeText(const QString& text)
    {
        spin->lineEdit()->clear();
        QTest::keyClicks(spin->lineEdit(), text);
    }

    std::unique_ptr<QWidget> m_window;
    TSpinEdit* spin = nullptr;
    QLineEdit* other = nullptr;
};

TEST_F(SpinEditTest, SettingAValueBringsItIntoRange)
{
    spin->setValue(250);
    EXPECT_EQ(spin->text(), "200");
    spin->setValue(0);
    EXPECT_EQ(spin->text(), "1");
    spin->setValue(-40);
    EXPECT_EQ(spin->value(), 1);
    spin->setValue(77);
    EXPECT_EQ(spin->text(), "77");
}

TEST_F(SpinEditTest, TypedNumberOutsideTheRangeReadsAsTheBoundAndStandsUntilFocusLeaves)
{
    typeText("250");
    EXPECT_EQ(spin->value(), 200);
    EXPECT_EQ(spin->text(), "250");
    other->setFocus();
    EXPECT_EQ(spin->text(), "200");

    spin->setFocus();
    typeText("0");
    EXPECT_EQ(spin->value(), 1);
    other->setFocus();
    EXPECT_EQ(spin->text(), "1");

    // A number too long for an int is still a number above the range.
    spin->setText("99999999999999");
    EXPECT_EQ(spin->value(), 200);
    spin->setText("-99999999999999");
    EXPECT_EQ(spin->value(), 1);
}

TEST_F(SpinEditTest, TextThatIsNoWholeNumberReadsAsTheMinimumAndResetsTheField)
{
    for (const char* text : {"", "abc", "12a", "1.5", "-", " "}) {
        spin->setText(text);
        EXPECT_EQ(spin->value(), 1) << '"' << text << '"';
        EXPECT_EQ(spin->text(), "1") << '"' << text << '"';
    }
    spin->setText("+42");
    EXPECT_EQ(spin->value(), 42);
}

TEST_F(SpinEditTest, AnotherWindowTakingOverIsNoLeavingOfTheField)
{
    typeText("250");
    QFocusEvent deactivated(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(spin->lineEdit(), &deactivated);
    EXPECT_EQ(spin->text(), "250");
}

TEST_F(SpinEditTest, LeavingTheFieldKeepsInRangeAndNonNumericText)
{
    typeText("150");
    other->setFocus();
    EXPECT_EQ(spin->text(), "150");
    // Only reading resets text that is no number; leaving the field does not.
    spin->setFocus();
    spin->setText("");
    other->setFocus();
    EXPECT_EQ(spin->text(), "");
}

TEST_F(SpinEditTest, ArrowKeysAndButtonsStepByOneWithinTheRange)
{
    spin->setValue(199);
    QTest::keyClick(spin->lineEdit(), Qt::Key_Up);
    EXPECT_EQ(spin->text(), "200");
    QTest::keyClick(spin->lineEdit(), Qt::Key_Up);
    EXPECT_EQ(spin->text(), "200");
    QTest::keyClick(spin->lineEdit(), Qt::Key_Down);
    EXPECT_EQ(spin->text(), "199");

    spin->setValue(2);
    QTest::mouseClick(spin->downButton(), Qt::LeftButton);
    EXPECT_EQ(spin->text(), "1");
    QTest::mouseClick(spin->downButton(), Qt::LeftButton);
    EXPECT_EQ(spin->text(), "1");
    QTest::mouseClick(spin->upButton(), Qt::LeftButton);
    EXPECT_EQ(spin->text(), "2");

    // Stepping from text that is no number starts at the minimum.
    spin->setText("x");
    QTest::keyClick(spin->lineEdit(), Qt::Key_Up);
    EXPECT_EQ(spin->text(), "2");
}

TEST_F(SpinEditTest, ButtonsTakeTheFocusIntoTheField)
{
    other->setFocus();
    QTest::mouseClick(spin->upButton(), Qt::LeftButton);
    EXPECT_TRUE(spin->hasFocus());
    EXPECT_EQ(spin->text(), "2");
}

TEST_F(SpinEditTest, EveryTextChangeRaisesChanged)
{
    QSignalSpy changes(spin, &TSpinEdit::changed);
    typeText("12"); // clear, '1', '2'
    EXPECT_EQ(changes.count(), 3);
    QTest::keyClick(spin->lineEdit(), Qt::Key_Up);
    EXPECT_EQ(changes.count(), 4);
    spin->setValue(50);
    EXPECT_EQ(changes.count(), 5);
    spin->setText("");
    changes.clear();
    spin->value(); // the reset to the minimum is a change as well
    EXPECT_EQ(changes.count(), 1);
}

TEST_F(SpinEditTest, TypingLetsThroughDigitsAndSignOnly)
{
    typeText("1a2 b");
    EXPECT_EQ(spin->text(), "12");
}

TEST_F(SpinEditTest, AKeyAcceptedByAReceiverNeverReachesTheField)
{
    QObject::connect(spin, &TSpinEdit::keyPressed, spin, [](QKeyEvent* e) {
        if (e->key() == Qt::Key_5 || e->key() == Qt::Key_Up)
            e->accept();
    });
    typeText("454");
    EXPECT_EQ(spin->text(), "44");
    QTest::keyClick(spin->lineEdit(), Qt::Key_Up);
    EXPECT_EQ(spin->text(), "44");
}

} // namespace
