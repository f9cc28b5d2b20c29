// The whole program against the simulated keypad: the nine windows created as
// at start-up, a temporary documents folder, and every box, modal window, file
// dialog and shell hand-off answered and recorded in the user's place.
#pragma once

#include "InterfaceForm.h"
#include "GuiSeams.h"
#include "MainForm.h"
#include "MidiPorts.h"
#include "PresetListForm.h"
#include "Modal.h"
#include "FileDialog.h"
#include "ProgressForm.h"
#include "SaveForm.h"
#include "ShellOpen.h"
#include "SimKeypad.h"
#include "SpinEdit.h"
#include "Startup.h"
#include "SyxMessageList.h"
#include "SyxTestFiles.h"
#include "UserMessage.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace zlv::test {

struct ShownMessage {
    std::string text;
    std::string caption;
    MsgIcon icon;
    MsgButtons buttons;
    // What stood around the box while it was shown.
    bool hourglass;
    bool tempFileThere;
};

inline bool operator==(const ShownMessage& m, const std::tuple<std::string, std::string, MsgIcon>& expected)
{
    return std::tie(m.text, m.caption, m.icon) == expected;
}

inline void PrintTo(const ShownMessage& m, std::ostream* out)
{
    *out << '"' << m.text << "\" / \"" << m.caption << "\" icon " << static_cast<int>(m.icon);
}

inline std::tuple<std::string, std::string, MsgIcon> Box(std::string text, std::string caption,
                                                         MsgIcon icon = MsgIcon::None)
{
    return {std::move(text), std::move(caption), icon};
}

inline Bytes ReadBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray data = file.readAll();
    return Bytes(data.begin(), data.end());
}

inline Bytes Message(std::initializer_list<std::uint8_t> bytes) { return Bytes(bytes); }

class KeypadSession : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_documents.isValid());
        m_previousLookup = SetDocumentsFolderLookup([this] { return m_documents.path(); });
        m_previousBox = SetMessageBoxHandler(
            [this](const std::string& text, const std::string& caption, MsgIcon icon, MsgButtons buttons) {
                messages.push_back({text, caption, icon, buttons, QApplication::overrideCursor() != nullptr,
                                    !watchedFile.isEmpty() && QFileInfo::exists(watchedFile)});
                return buttons == MsgButtons::OkCancel ? questionAnswer : MsgResult::Ok;
            });
        m_previousModal = SetModalHandler([this](QDialog* dialog) { return answerModal(dialog); });
        m_previousFileDialog = SetFileDialogHandler([this](QFileDialog* dialog) -> std::optional<QString> {
            offeredNames.push_back(QFileInfo(dialog->selectedFiles().value(0)).fileName());
            dialogsRun.push_back(dialog->objectName());
            if (fileAnswers.empty())
                return std::nullopt;
            const std::optional<QString> answer = fileAnswers.front();
            fileAnswers.pop_front();
            return answer;
        });
        m_previousShell = SetShellOpenHandler([this](const QString& path) {
            shellOpened.push_back(path);
            shellBytes.push_back(ReadBytes(path));
            return shellSucceeds;
        });
        keypad.Inputs = {{0, 0, "Sim Keypad In"}, {0, 0, "Second In"}};
        keypad.Outputs = {{0, 0, "Sim Keypad Out"}, {0, 0, "Second Out"}};
        CreateApplicationWindows();
        MainForm->show();
        QApplication::processEvents();
    }

    void TearDown() override
    {
        DestroyApplicationWindows();
        CloseMidiPorts();
        FreeSyxMessageList();
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
        SetShellOpenHandler(m_previousShell);
        SetFileDialogHandler(m_previousFileDialog);
        SetModalHandler(m_previousModal);
        SetMessageBoxHandler(m_previousBox);
        SetDocumentsFolderLookup(m_previousLookup);
    }

    // The chooser as a person uses it: shown (it lists the devices), the two
    // devices picked, then OK or Cancel.
    int answerChooser(QDialog* dialog)
    {
        ++chooserShown;
        dialog->show();
        if (chooseIn >= 0)
            InterfaceForm->ComboBox1->setCurrentIndex(chooseIn);
        if (chooseOut >= 0)
            InterfaceForm->ComboBox2->setCurrentIndex(chooseOut);
        (chooserOk ? InterfaceForm->btnOK : InterfaceForm->btnCancel)->click();
        dialog->hide();
        return dialog->result();
    }

    int answerModal(QDialog* dialog)
    {
        if (dialog == InterfaceForm)
            return answerChooser(dialog);
        if (dialog == SaveForm) {
            promptCaption = SaveForm->windowTitle();
            promptLabel = SaveForm->Label1->text();
            proposedNumber = SaveForm->spinPreset->value();
            if (!promptTarget)
                return TSaveForm::ResultCancel;
            SaveForm->spinPreset->setValue(*promptTarget);
            return TSaveForm::ResultContinue;
        }
        ADD_FAILURE() << "unexpected modal window " << dialog->objectName().toStdString();
        return QDialog::Rejected;
    }

    // Direct MIDI chosen through the MIDI menu with the first pair of devices.
    void chooseDirectMidi()
    {
        MainForm->mnuDirectMIDI->trigger();
        ASSERT_TRUE(IsMidiOpen());
        keypad.WaitIdle();
        keypad.Received.clear();
        messages.clear();
    }

    // Makes preset `number` (1-based) current by a click in the preset list.
    void clickPreset(int number)
    {
        PresetListForm->ListBox1->setCurrentRow(number - 1);
        PresetListForm->ListBox1Click();
    }

    QString workingFile(const QString& name) const { return QDir(MainForm->WorkingFolder).filePath(name); }
    QString documentsPath() const { return m_documents.path(); }

    SimKeypad keypad;
    std::vector<ShownMessage> messages;
    // The answer to OK/Cancel questions.
    MsgResult questionAnswer = MsgResult::Ok;
    // A file whose presence is noted with each box (a temporary download file).
    QString watchedFile;

    bool chooserOk = true;
    int chooseIn = 0;
    int chooseOut = 0;
    int chooserShown = 0;

    // The number typed into the target prompt; none cancels it.
    std::optional<int> promptTarget;
    QString promptCaption;
    QString promptLabel;
    int proposedNumber = 0;

    std::deque<std::optional<QString>> fileAnswers;
    std::vector<QString> offeredNames;
    std::vector<QString> dialogsRun;

    bool shellSucceeds = true;
    std::vector<QString> shellOpened;
    std::vector<Bytes> shellBytes;

private:
    QTemporaryDir m_documents;
    DocumentsFolderLookup m_previousLookup;
    MessageBoxHandler m_previousBox;
    ModalHandler m_previousModal;
    FileDialogHandler m_previousFileDialog;
    ShellOpenHandler m_previousShell;
};

} // namespace zlv::test
