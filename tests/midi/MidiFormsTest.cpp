#include "GuiTest.h"
#include "InterfaceForm.h"
#include "Modal.h"
#include "MidiPorts.h"
#include "ProgressForm.h"
#include "SimKeypad.h"
#include "SyxMessageList.h"
#include "SyxTestFiles.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QWheelEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace zlv::test {
namespace {

class ChooserTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CloseMidiPorts();
        m_owner = std::make_unique<QWidget>();
        m_owner->resize(800, 600);
        form = new TInterfaceForm(m_owner.get());
    }
    void TearDown() override { SetModalHandler(nullptr); }

    // Shows the chooser as the connection command does; `answer` plays the user
    // while it is on the screen and returns the button clicked.
    int showChooser(const std::function<QPushButton*(TInterfaceForm&)>& answer)
    {
        SetModalHandler([this, answer](QDialog* dialog) {
            EXPECT_EQ(dialog, form);
            dialog->show();
            QTest::mouseClick(answer(*form), Qt::LeftButton);
            EXPECT_FALSE(dialog->isVisible());
            return dialog->result();
        });
        return ExecModal(form);
    }

    SimKeypad keypad;
    TInterfaceForm* form = nullptr;

private:
    std::unique_ptr<QWidget> m_owner;
};

TEST_F(ChooserTest, NoDeviceShowsTheNoticeWithOkDisabledAndCancelCloses)
{
    keypad.SetDeviceCounts(0, 0);
    const int result = showChooser([](TInterfaceForm& f) {
        for (QComboBox* box : {f.ComboBox1, f.ComboBox2}) {
            EXPECT_EQ(box->count(), 1);
            EXPECT_EQ(box->itemText(0), "No MIDI interfaces found");
            EXPECT_EQ(box->currentIndex(), -1);
            EXPECT_EQ(box->placeholderText(), "No MIDI interfaces found");
        }
        EXPECT_FALSE(f.btnOK->isEnabled());
        EXPECT_TRUE(saveScreenshot(&f, "chooser-no-device"));
        return f.btnCancel;
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(SelectedMidiIn, -1);
    EXPECT_EQ(SelectedMidiOut, -1);
}

TEST_F(ChooserTest, WindowTextsAndTabOrder)
{
    EXPECT_EQ(form->windowTitle(), "Choose MIDI Interface");
    EXPECT_EQ(form->Label1->text(), "Select a MIDI interface or ZLV Keypad from the list:");
    EXPECT_EQ(form->Label2->text(), "MIDI Input Devices: ");
    EXPECT_EQ(form->Label3->text(), "MIDI Output Devices: ");
    EXPECT_EQ(form->findChild<QPushButton*>("btnOK"), form->btnOK);
    EXPECT_EQ(form->findChild<QComboBox*>("ComboBox2"), form->ComboBox2);
    const QList<QWidget*> controls = {form->btnOK, form->btnCancel, form->ComboBox1, form->ComboBox2};
    const auto nextControl = [&](QWidget* w) {
        do
            w = w->nextInFocusChain();
        while (!controls.contains(w));
        return w;
    };
    EXPECT_EQ(nextControl(form->btnOK), form->btnCancel);
    EXPECT_EQ(nextControl(form->btnCancel), form->ComboBox1);
    EXPECT_EQ(nextControl(form->ComboBox1), form->ComboBox2);
}

TEST_F(ChooserTest, ThirdOutputChosenGivesDeviceTwo)
{
    keypad.SetDeviceCounts(4, 2);
    const int result = showChooser([](TInterfaceForm& f) {
        EXPECT_EQ(f.ComboBox2->count(), 4);
        EXPECT_EQ(f.ComboBox2->currentText(), "Sim MIDI Out 1");
        EXPECT_EQ(f.ComboBox1->currentText(), "Sim MIDI In 1");
        EXPECT_TRUE(f.btnOK->isEnabled());
        f.ComboBox2->setCurrentIndex(2);
        f.ComboBox1->setCurrentIndex(1);
        EXPECT_TRUE(saveScreenshot(&f, "chooser-devices"));
        return f.btnOK;
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(SelectedMidiOut, 2);
    EXPECT_EQ(SelectedMidiIn, 1);
    EXPECT_EQ(form->ComboBox2->currentText(), "Sim MIDI Out 3");
}

TEST_F(ChooserTest, OutputsWithoutInputsOfferOneEmptyInputItem)
{
    keypad.SetDeviceCounts(2, 0);
    showChooser([](TInterfaceForm& f) {
        EXPECT_EQ(f.ComboBox1->count(), 1);
        EXPECT_EQ(f.ComboBox1->currentIndex(), 0);
        EXPECT_EQ(f.ComboBox1->itemText(0), "");
        return f.btnOK;
    });
    EXPECT_EQ(SelectedMidiIn, 0);
    EXPECT_EQ(SelectedMidiOut, 0);
}

TEST_F(ChooserTest, TwelveInputsListTheFirstTen)
{
    keypad.SetDeviceCounts(12, 12);
    showChooser([](TInterfaceForm& f) {
        EXPECT_EQ(f.ComboBox1->count(), 10);
        EXPECT_EQ(f.ComboBox1->itemText(9), "Sim MIDI In 10");
        f.ComboBox1->setCurrentIndex(9);
        f.ComboBox1->showPopup();
        return f.btnOK;
    });
    EXPECT_EQ(SelectedMidiIn, 9);
}

TEST_F(ChooserTest, LaterShowingRefreshesAndKeepsOkEnabled)
{
    keypad.SetDeviceCounts(3, 3);
    showChooser([](TInterfaceForm& f) { return f.btnOK; });
    EXPECT_EQ(SelectedMidiIn, 0);

    // OK is still enabled, but the notice that no device was found is no device:
    // neither the keyboard, the wheel, the mouse nor a typed letter picks it.
    keypad.SetDeviceCounts(0, 0);
    const int result = showChooser([](TInterfaceForm& f) {
        EXPECT_EQ(f.ComboBox1->itemText(0), "No MIDI interfaces found");
        EXPECT_EQ(f.ComboBox1->count(), 1);
        EXPECT_TRUE(f.btnOK->isEnabled());
        f.ComboBox1->setFocus();
        QTest::keyClick(f.ComboBox1, Qt::Key_Down);
        QTest::keyClick(f.ComboBox1, Qt::Key_N);
        QWheelEvent wheel(QPointF(5, 5), f.ComboBox2->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(f.ComboBox2, &wheel);
        f.ComboBox2->showPopup();
        QAbstractItemView* popup = f.ComboBox2->view();
        QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, popup->visualRect(popup->model()->index(0, 0)).center());
        f.ComboBox2->hidePopup();
        EXPECT_EQ(f.ComboBox1->currentIndex(), -1);
        EXPECT_EQ(f.ComboBox2->currentIndex(), -1);
        EXPECT_TRUE(saveScreenshot(&f, "chooser-after-devices-went-away"));
        return f.btnOK;
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(SelectedMidiIn, -1);
    EXPECT_EQ(SelectedMidiOut, -1);

    keypad.SetDeviceCounts(1, 5);
    showChooser([](TInterfaceForm& f) {
        EXPECT_EQ(f.ComboBox1->count(), 5);
        EXPECT_EQ(f.ComboBox2->count(), 1);
        return f.btnOK;
    });
}

TEST_F(ChooserTest, CancelAfterAChangeLeavesNoSelection)
{
    keypad.SetDeviceCounts(3, 3);
    showChooser([](TInterfaceForm& f) {
        f.ComboBox1->setCurrentIndex(2);
        f.ComboBox2->setCurrentIndex(1);
        return f.btnCancel;
    });
    EXPECT_EQ(SelectedMidiIn, -1);
    EXPECT_EQ(SelectedMidiOut, -1);
}

class ProgressWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CloseMidiPorts();
        owner = std::make_unique<QWidget>();
        owner->setGeometry(100, 100, 900, 600);
        owner->show();
        form = new TfrmProgress(owner.get());
    }
    void TearDown() override
    {
        CloseMidiPorts();
        FreeSyxMessageList();
    }
    // The default bank as the message list, sent to the simulated keypad's first ports.
    static void LoadBankAndOpenPorts(TempFolder& folder)
    {
        ASSERT_EQ(LoadSyxFileMessages(folder.Write("bank.syx", DefaultBankFile())), trOk);
        ASSERT_NE(EnumerateMidiDevices(), 0);
        SelectedMidiIn = 0;
        SelectedMidiOut = 0;
        ASSERT_EQ(OpenMidiPorts(), 0);
    }

    // A member, so that TearDown closes the ports on a driver still alive.
    SimKeypad keypad;
    std::unique_ptr<QWidget> owner;
    TfrmProgress* form = nullptr;
};

TEST_F(ProgressWindowTest, BareBarOverTheMiddleOfTheMainWindow)
{
    EXPECT_EQ(InstalledTransferProgress(), form);
    EXPECT_TRUE(form->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(form->size(), QSize(408, 27));
    EXPECT_EQ(form->ProgressBar1->maximum(), 120);
    EXPECT_EQ(form->ProgressBar1->minimum(), 0);

    form->ShowProgress(10);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->ProgressBar1->geometry(), form->rect());
    EXPECT_EQ(form->geometry().center(), owner->geometry().center());
    form->StepProgress();
    form->StepProgress();
    EXPECT_EQ(form->ProgressBar1->value(), 2);
    form->HideProgress();
    EXPECT_FALSE(form->isVisible());
    form->ShowProgress(5);
    EXPECT_EQ(form->ProgressBar1->value(), 0);
    EXPECT_EQ(form->ProgressBar1->maximum(), 5);
}

TEST_F(ProgressWindowTest, BankSendMovesTheBarTo308Of310AndKeepsTheWindowsAlive)
{
    TempFolder folder;
    ASSERT_NO_FATAL_FAILURE(LoadBankAndOpenPorts(folder));

    bool timerRan = false;
    QTimer::singleShot(0, [&] { timerRan = true; });
    KeypadModel model;
    bool timerRanDuringSend = false;
    keypad.Responder = [&](const Bytes& m, int n, std::chrono::milliseconds&) {
        if (n == 5)
            timerRanDuringSend = timerRan;
        if (n == 150) {
            EXPECT_TRUE(form->isVisible());
            EXPECT_EQ(form->ProgressBar1->value(), 149);
            EXPECT_TRUE(saveScreenshot(form, "progress"));
        }
        return model.Answer(m);
    };
    EXPECT_EQ(SendSyxMessageList(), trOk);
    EXPECT_TRUE(timerRanDuringSend);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->ProgressBar1->value(), 308);
    EXPECT_EQ(form->ProgressBar1->maximum(), 310);
}

TEST_F(ProgressWindowTest, SendStoppingAtTheFirstMessageHidesTheBarAtZero)
{
    TempFolder folder;
    ASSERT_NO_FATAL_FAILURE(LoadBankAndOpenPorts(folder));
    keypad.FailSends = true;
    EXPECT_EQ(SendSyxMessageList(), trSendFailed);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->ProgressBar1->value(), 0);
}

} // namespace
} // namespace zlv::test
