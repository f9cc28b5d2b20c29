// A test fixture with the simulated keypad as the link's driver and the link's
// process-wide state put back to closed, unloaded and quiet around each test.
#pragma once

#include "KeypadQueries.h"
#include "MidiExchange.h"
#include "MidiPorts.h"
#include "MidiSeams.h"
#include "SimKeypad.h"
#include "SyxMessageList.h"
#include "SyxTestFiles.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace zlv::test {

// Records what the senders do with the progress window.
struct ProgressRecorder final : TransferProgress {
    int Maximum = -1;
    int Position = 0;
    int ShowCount = 0;
    int HideCount = 0;
    int PositionAtHide = -1;
    bool Visible = false;
    std::function<void()> OnPendingMessages;

    void ShowProgress(int maximum) override
    {
        Maximum = maximum;
        Position = 0;
        Visible = true;
        ++ShowCount;
    }
    void StepProgress() override { ++Position; }
    void HideProgress() override
    {
        Visible = false;
        PositionAtHide = Position;
        ++HideCount;
    }
    void ProcessPendingMessages() override
    {
        if (OnPendingMessages)
            OnPendingMessages();
    }
};

class LinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CloseMidiPorts();
        FreeSyxMessageList();
        m_previousProgress = SetTransferProgress(&progress);
    }
    void TearDown() override
    {
        CloseMidiPorts();
        FreeSyxMessageList();
        SetTransferProgress(m_previousProgress);
    }

    // Enumerates and opens the first input and output of the simulated keypad.
    void openKeypad()
    {
        ASSERT_NE(EnumerateMidiDevices(), 0);
        SelectedMidiIn = 0;
        SelectedMidiOut = 0;
        ASSERT_EQ(OpenMidiPorts(), 0);
    }

    // Answers every message with `reply`.
    void answerAlways(Bytes reply)
    {
        keypad.Responder = [reply](const Bytes&, int, std::chrono::milliseconds&) { return reply; };
    }

    SimKeypad keypad;
    ProgressRecorder progress;
    TempFolder folder;

private:
    TransferProgress* m_previousProgress = nullptr;
};

} // namespace zlv::test
