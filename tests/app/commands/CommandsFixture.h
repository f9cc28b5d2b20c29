// The program after start-up, with a person stood in for: the nine windows
// created, the main window shown, a temporary documents folder, and every file
// dialog, modal window and message box answered from queues the test fills.
#pragma once

#include "Bank.h"
#include "FileDialog.h"
#include "LoadForm.h"
#include "GuiSeams.h"
#include "MainForm.h"
#include "Modal.h"
#include "OpenFileSummaryForm.h"
#include "PresetListForm.h"
#include "SaveForm.h"
#include "SpinEdit.h"
#include "Startup.h"
#include "UserMessage.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace commands_test {

using Bytes = std::vector<std::uint8_t>;

struct Message {
    std::string text;
    std::string caption;
    zlv::MsgIcon icon;
    bool operator==(const Message&) const = default;
};

inline void PrintTo(const Message& m, std::ostream* out)
{
    *out << '"' << m.text << "\" / \"" << m.caption << "\" icon " << static_cast<int>(m.icon);
}

// A file dialog as the command left it when it ran.
struct DialogRun {
    QString dialog;   // object name
    QString offered;  // file name offered to the user, without its folder
};

// The prompt as the command prepared it.
struct PromptRun {
    QString window;
    QString caption;
    QString label;
    int proposed;
};

// The whole bank as bytes: presets, then chains, then speed dials.
inline Bytes BankBytes()
{
    Bytes all(sizeof zlv::PresetTable + sizeof zlv::ChainTable + sizeof zlv::SpeedDials);
    auto* p = all.data();
    std::memcpy(p, zlv::PresetTable, sizeof zlv::PresetTable);
    std::memcpy(p += sizeof zlv::PresetTable, zlv::ChainTable, sizeof zlv::ChainTable);
    std::memcpy(p + sizeof zlv::ChainTable, zlv::SpeedDials, sizeof zlv::SpeedDials);
    return all;
}

inline Bytes DefaultBankBytes()
{
    const Bytes saved = BankBytes();
    const auto preset = zlv::CurrentPreset;
    const auto chain = zlv::CurrentChain;
    zlv::InitBankDefaults();
    Bytes defaults = BankBytes();
    std::memcpy(zlv::PresetTable, saved.data(), sizeof zlv::PresetTable);
    std::memcpy(zlv::ChainTable, saved.data() + sizeof zlv::PresetTable, sizeof zlv::ChainTable);
    std::memcpy(zlv::SpeedDials, saved.data() + sizeof zlv::PresetTable + sizeof zlv::ChainTable,
                sizeof zlv::SpeedDials);
    zlv::CurrentPreset = preset;
    zlv::CurrentChain = chain;
    return defaults;
}

// Offset of the first differing byte, -1 when equal; readable where a vector dump is not.
inline long FirstDifference(const Bytes& a, const Bytes& b)
{
    if (a.size() != b.size())
        return static_cast<long>(std::min(a.size(), b.size()));
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i])
            return static_cast<long>(i);
    return -1;
}

inline Bytes ReadFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray data = f.readAll();
    return Bytes(data.begin(), data.end());
}

inline void WriteFile(const QString& path, const Bytes& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
}

class CommandsFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_documents.isValid());
        zlv::Refreshing = zlv::Resetting = zlv::ShowingPreset = 0;
        m_previousLookup = zlv::SetDocumentsFolderLookup([this] { return m_documents.path(); });
        m_previousBox = zlv::SetMessageBoxHandler(
            [this](const std::string& text, const std::string& caption, zlv::MsgIcon icon, zlv::MsgButtons) {
                messages.push_back({text, caption, icon});
                return zlv::MsgResult::Ok;
            });
        m_previousFileDialog = zlv::SetFileDialogHandler([this](QFileDialog* dialog) { return answerFile(dialog); });
        m_previousModal = zlv::SetModalHandler([this](QDialog* dialog) { return answerModal(dialog); });
        zlv::CreateApplicationWindows();
        form = zlv::MainForm;
        form->show();
    }

    void TearDown() override
    {
        EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "hourglass left on";
        EXPECT_TRUE(m_fileAnswers.empty()) << "a file dialog the test expected did not run";
        EXPECT_TRUE(m_modalAnswers.empty()) << "a window the test expected did not run";
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
        zlv::DestroyApplicationWindows();
        zlv::SetModalHandler(m_previousModal);
        zlv::SetFileDialogHandler(m_previousFileDialog);
        zlv::SetMessageBoxHandler(m_previousBox);
        zlv::SetDocumentsFolderLookup(m_previousLookup);
    }

    // A file in the working folder the dialogs start in.
    QString workFile(const QString& name) const { return QDir(form->WorkingFolder).filePath(name); }

    // Answers for the next file dialog: a file, or cancel.
    void chooseFile(const QString& path) { m_fileAnswers.emplace_back(path); }
    void cancelFileDialog() { m_fileAnswers.emplace_back(std::nullopt); }

    // Answers for the next preset-number prompt: a number then "Continue", or "Cancel".
    void answerPrompt(int number)
    {
        m_modalAnswers.push_back([this, number](QDialog* dialog) {
            auto* prompt = static_cast<zlv::TPresetPromptForm*>(dialog);
            recordPrompt(prompt);
            prompt->spinPreset->setText(QString::number(number));
            prompt->btnContinue->click();
            return prompt->result();
        });
    }
    void cancelPrompt()
    {
        m_modalAnswers.push_back([this](QDialog* dialog) {
            auto* prompt = static_cast<zlv::TPresetPromptForm*>(dialog);
            recordPrompt(prompt);
            prompt->btnCancel->click();
            return prompt->result();
        });
    }

    // Answers for the open-file summary: "Contine" or "Cancel"; the four counts shown are kept.
    void answerSummary(bool proceed)
    {
        m_modalAnswers.push_back([this, proceed](QDialog* dialog) {
            auto* summary = static_cast<zlv::TfrmOpenFileSummary*>(dialog);
            EXPECT_EQ(summary, zlv::frmOpenFileSummary);
            EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "hourglass before the summary";
            summaryCounts = QStringList{summary->lblNumOldPresets->text(), summary->lblNumNewPresets->text(),
                                        summary->lblNumChains->text(), summary->lblNumSpeedDials->text()};
            (proceed ? summary->BitBtn1 : summary->BitBtn2)->click();
            return summary->result();
        });
    }

    // A channel edit typed on the Presets page: program of channel 1 switched on at value.
    void editFirstProgram(int value)
    {
        form->m_cboxCh[0][2]->setChecked(true);
        form->m_spinCh[0][2]->setText(QString::number(value));
        ASSERT_TRUE(form->PresetModified);
    }

    void makeCurrent(int index)
    {
        zlv::CurrentPreset = static_cast<std::uint8_t>(index);
        form->edPreset->setText(QString::number(index + 1));
        form->ShowCurrentPreset();
    }

    QString listLine(int index) const { return zlv::PresetListForm->ListBox1->item(index)->text(); }

    zlv::TMainForm* form = nullptr;
    std::vector<Message> messages;
    std::vector<DialogRun> dialogs;
    std::vector<PromptRun> prompts;
    QStringList summaryCounts;

private:
    std::optional<QString> answerFile(QFileDialog* dialog)
    {
        const QStringList offered = dialog->selectedFiles();
        dialogs.push_back({dialog->objectName(), offered.isEmpty() ? QString() : QFileInfo(offered[0]).fileName()});
        if (m_fileAnswers.empty()) {
            ADD_FAILURE() << "unexpected file dialog " << dialog->objectName().toStdString();
            return std::nullopt;
        }
        auto answer = m_fileAnswers.front();
        m_fileAnswers.pop_front();
        return answer;
    }

    int answerModal(QDialog* dialog)
    {
        if (m_modalAnswers.empty()) {
            ADD_FAILURE() << "unexpected window " << dialog->objectName().toStdString();
            return QDialog::Rejected;
        }
        auto answer = std::move(m_modalAnswers.front());
        m_modalAnswers.pop_front();
        return answer(dialog);
    }

    void recordPrompt(zlv::TPresetPromptForm* prompt)
    {
        prompts.push_back({prompt->objectName(), prompt->windowTitle(), prompt->Label1->text(),
                           prompt->spinPreset->value()});
    }

    QTemporaryDir m_documents;
    std::deque<std::optional<QString>> m_fileAnswers;
    std::deque<std::function<int(QDialog*)>> m_modalAnswers;
    zlv::DocumentsFolderLookup m_previousLookup;
    zlv::MessageBoxHandler m_previousBox;
    zlv::FileDialogHandler m_previousFileDialog;
    zlv::ModalHandler m_previousModal;
};

} // namespace commands_test
