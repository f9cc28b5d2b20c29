// "Refresh Settings" on the Settings page of the real main window, reading the
// simulated keypad's own settings.
#include "AppFixture.h"

#include "MidiExchange.h"

#include <QGroupBox>
#include <QStyle>
#include <QToolButton>

using namespace zlv;
using namespace zlv::test;

namespace {

// The seven value labels, top to bottom.
std::vector<QString> values()
{
    return {MainForm->lblMidiChannel->text(),  MainForm->lblPort->text(),
            MainForm->lblPresetMode->text(),   MainForm->lblRxPgmChgCh->text(),
            MainForm->lblMidiPassThru->text(), MainForm->lblFirmwareVersion->text(),
            MainForm->lblPatchChangeRange->text()};
}

const std::vector<QString> kAllUnknown(7, "??");

} // namespace

class SettingsPage : public AppFixture {
protected:
    SettingsPage() : AppFixture({.keypad = true}) {}

    void refresh()
    {
        messages.clear();
        keypad->Received.clear();
        MainForm->btnGetSettings->click();
        keypad->WaitIdle();
    }

    void setKeypad(std::uint8_t channel, std::uint8_t port, std::uint8_t presetMode, std::uint8_t receive,
                   std::uint8_t passThru, const std::string& version, std::uint8_t range)
    {
        keypad->Keypad.Parameters[kpMidiChannel] = channel;
        keypad->Keypad.Port = port;
        keypad->Keypad.Parameters[kpPresetMode] = presetMode;
        keypad->Keypad.Parameters[kpRxPgmChgCh] = receive;
        keypad->Keypad.Parameters[kpMidiPassThru] = passThru;
        keypad->Keypad.Version = version;
        keypad->Keypad.Parameters[kpPatchChangeRange] = range;
    }
};

TEST_F(SettingsPage, StartsUnknownAndAsksTheSevenQuestionsInOrder)
{
    EXPECT_EQ(values(), kAllUnknown);
    chooseDirectMidi();
    refresh();

    const std::vector<Bytes> expected = {
        {0xF0, 0x7D, 0x22, 0x21, 8, 0xF7},  {0xF0, 0x7D, 0x22, 0x21, 14, 0xF7}, {0xF0, 0x7D, 0x22, 0x21, 15, 0xF7},
        {0xF0, 0x7D, 0x22, 0x21, 9, 0xF7},  {0xF0, 0x7D, 0x22, 0x05, 0xF7},     {0xF0, 0x7D, 0x22, 0x21, 25, 0xF7},
        {0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7},
    };
    EXPECT_EQ(keypad->Received, expected);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(SettingsPage, EveryValueHasItsText)
{
    struct Case {
        std::uint8_t channel, port, presetMode, receive, passThru;
        std::string version;
        std::uint8_t range;
        std::vector<QString> shown;
    };
    const Case cases[] = {
        {0, 0x55, 0, 0, 0, "ZLV 2.07 Mar2024", 0,
         {"Channel 1", "Direct via USB", "Normal", "Off", "Pass-Thru Off", "ZLV 2.07 Mar2024", "0 to 127"}},
        {15, 0x4D, 1, 1, 1, "V3              ", 1,
         {"Channel 16", "Connected via MIDI interface", "Browse", "Channel 1", "Pass-Thru On", "V3              ",
          "1 to 128"}},
        {9, 0x00, 2, 16, 2, "0123456789ABCDEF", 2,
         {"Channel 10", "??", "??", "Channel 16", "??", "0123456789ABCDEF", "1 to 128"}},
        {0, 0x4E, 255, 17, 255, "x", 255, {"Channel 1", "??", "??", "All", "??", "x               ", "1 to 128"}},
        {0, 0x55, 0, 18, 0, "y", 0,
         {"Channel 1", "Direct via USB", "Normal", "??", "Pass-Thru Off", "y               ", "0 to 127"}},
    };
    chooseDirectMidi();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        setKeypad(c.channel, c.port, c.presetMode, c.receive, c.passThru, c.version, c.range);
        refresh();
        EXPECT_EQ(values(), c.shown);
        EXPECT_TRUE(messages.empty());
    }
}

TEST_F(SettingsPage, ASilentKeypadLeavesEveryValueUnknownEvenAfterAGoodRefresh)
{
    chooseDirectMidi();
    refresh();
    ASSERT_NE(values(), kAllUnknown);
    keypad->Mode = SimKeypad::Answering::Silent;
    refresh();
    EXPECT_EQ(values(), kAllUnknown);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(SettingsPage, OutsideDirectMidiTheButtonIsRefusedAndTheTextsStay)
{
    chooseDirectMidi();
    refresh();
    const std::vector<QString> earlier = values();
    ASSERT_NE(earlier, kAllUnknown);
    for (QAction* mode : {MainForm->mnuPickConnection, MainForm->mnuFileMode, MainForm->mnuExternalApp}) {
        SCOPED_TRACE(mode->objectName().toStdString());
        mode->trigger();
        refresh();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0], Box("No MIDI interface selected.", "Error!"));
        EXPECT_EQ(values(), earlier);
        EXPECT_TRUE(keypad->Received.empty());
    }
}

TEST_F(SettingsPage, AKeypadNotFoundLeavesNoDirectMidiToRefresh)
{
    keypad->Mode = SimKeypad::Answering::Silent;
    MainForm->mnuDirectMIDI->trigger();
    refresh();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], Box("No MIDI interface selected.", "Error!"));
}

TEST_F(SettingsPage, ItsControlsStayOnThePageAndClearOfThePresetListButton)
{
    const QRect page(0, 0, TMainForm::kPageWidth, TMainForm::kPageHeight);
    const QRect listButton = MainForm->BitBtn3->geometry();
    ASSERT_EQ(MainForm->BitBtn3->parentWidget(), MainForm->tabSettings);
    for (QWidget* control : MainForm->tabSettings->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control == MainForm->BitBtn3)
            continue;
        SCOPED_TRACE(control->objectName().toStdString());
        EXPECT_TRUE(page.contains(control->geometry()));
        EXPECT_FALSE(control->geometry().intersects(listButton));
    }
    EXPECT_EQ(MainForm->Label28->text(),
              "* You must turn MIDI Pass-Thru OFF from the keypad before using this software.");
    EXPECT_EQ(MainForm->btnGetSettings->text(), "Refresh Settings");
}

TEST_F(SettingsPage, TheRefreshButtonCarriesTheStyleRefreshIconOnceThePageIsShown)
{
    MainForm->PageControl1->setCurrentWidget(MainForm->tabSettings);
    const QIcon expected = MainForm->style()->standardIcon(QStyle::SP_BrowserReload);
    ASSERT_FALSE(expected.pixmap(16).isNull());
    EXPECT_EQ(MainForm->btnGetSettings->icon().pixmap(16).toImage(), expected.pixmap(16).toImage());
}
