// The program as it stands after start-up, with a person stood in for: the nine
// windows created, a temporary documents folder, and every message box, modal
// window, file dialog and hand-off to the desktop answered from what the test
// queued, and recorded for it to check. Options give a group of tests what it
// needs beyond that; the helpers below drive the windows as a user does.
#pragma once

#include "Bank.h"
#include "GuiSeams.h"
#include "GuiTest.h"
#include "MainForm.h"
#include "PresetListForm.h"
#include "SimKeypad.h"
#include "SpinEdit.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

class QDialog;
class QFileDialog;

namespace zlv::test {

struct AppOptions {
    // The simulated keypad as the link's driver, with two inputs and two outputs;
    // the interface chooser is then answered at every showing (see chooseIn).
    bool keypad = false;
    // The documents folder the program is told of, below the test's temporary
    // folder ("" is that folder itself); none: the program finds none.
    std::optional<QString> documents = QString();
    // Showing the main window fills the preset list; left hidden, the list is
    // filled the same way without the window's show event.
    bool showMainWindow = true;
    bool showPresetList = false;
};

// A file dialog as a command ran it: its object name and the file name it
// offered, without the folder.
struct DialogRun {
    QString dialog;
    QString offered;
};

// A preset-number prompt as a command prepared it.
struct PromptRun {
    QString window;
    QString caption;
    QString label;
    int proposed;
};

// Answers a modal window in the user's place and gives the result it closes with.
using WindowAnswer = std::function<int(QDialog* window)>;

// The whole bank as bytes: presets, then chains, then speed dials.
Bytes BankBytes();
// The same after InitBankDefaults, leaving the bank and the current numbers as they are.
Bytes DefaultBankBytes();
// Offset of the first differing byte, -1 when equal; readable where a vector dump is not.
long FirstDifference(const Bytes& a, const Bytes& b);

Bytes ReadFile(const QString& path);
void WriteFile(const QString& path, const Bytes& bytes);
inline Bytes BytesOf(std::string_view text) { return Bytes(text.begin(), text.end()); }

// A link cell of a chain or speed dial that holds no preset.
inline const QString kEmptyCell = QStringLiteral("   \u00B7\u00B7\u00B7");

class AppFixture : public ::testing::Test {
protected:
    explicit AppFixture(AppOptions options = {}) : m_options(std::move(options)) {}
    void SetUp() override;
    void TearDown() override;

    // Runs before the windows are created, to lay out the documents folder.
    virtual void prepareDocuments() {}

    // ---- answers, each taken by the next window of its kind ----
    void chooseFile(const QString& path) { m_fileAnswers.push_back(path); }
    void cancelFileDialog() { m_fileAnswers.push_back(QString()); }
    // Accepts the file name the dialog offers, in the folder it shows.
    void acceptOfferedFile() { m_fileAnswers.push_back(kOfferedFile); }
    void answerWindow(WindowAnswer answer) { m_windowAnswers.push_back(std::move(answer)); }
    // A preset-number prompt: the number typed then "Continue", or "Cancel".
    void answerPrompt(int number);
    void cancelPrompt();
    // The open-file summary: "Contine" or "Cancel"; the four counts shown are kept.
    // `meanwhile` runs while the summary is on the screen.
    void answerSummary(bool proceed, std::function<void()> meanwhile = {});

    // ---- folders and files ----
    // The test's temporary folder, the documents folder unless the options say otherwise.
    QString documentsPath() const { return m_temp.path(); }
    // A file in the working folder the dialogs start in.
    QString workFile(const QString& name) const { return QDir(MainForm->WorkingFolder).filePath(name); }
    // The main window's five file dialogs, and one of them by object name.
    static std::vector<QFileDialog*> fileDialogs();
    static QFileDialog* fileDialog(const QString& objectName);

    // ---- the keypad ----
    // Direct MIDI chosen through the MIDI menu; the record of the opening is cleared.
    void chooseDirectMidi();

    // ---- the preset list ----
    static QListWidget* list() { return PresetListForm->ListBox1; }
    static QString listLine(int row) { return list()->item(row)->text(); }
    // Row `row` picked by the user: selected, then the list's click handler.
    static void clickPreset(int row);
    // Row `row` selected from code, then double-clicked as the user does.
    static void doubleClickPreset(int row);
    // Scrolls the list so that row `row` is the top row.
    static void scrollListTo(int row);
    // Makes preset `index` current as the Presets page's number edit does.
    void makeCurrent(int index);

    // ---- pages ----
    // A click on tab `index` of the main window.
    static void clickTab(int index);
    // Switches pages as the tabs do: the main window then sets the list's caption and redisplays the page.
    static void showChainsPage();
    static void showSpeedDialsPage();
    static PresetRecord& current() { return PresetTable[CurrentPreset]; }
    static TSpinEdit* spin(int channel, int kind) { return MainForm->m_spinCh[channel][kind]; }
    static QCheckBox* box(int channel, int kind) { return MainForm->m_cboxCh[channel][kind]; }
    // A channel edit typed on the Presets page: channel 1's program switched on at `value`.
    void editFirstProgram(int value);
    // Enabled as far as the control itself goes, whatever its parents.
    static bool ownEnabled(QWidget* w) { return !w->testAttribute(Qt::WA_ForceDisabled); }
    // Each character typed as its own key, as a keyboard layout that has it sends
    // it (QTest::keyClicks takes Latin-1 only).
    static void typeInto(QWidget* edit, const QString& text);
    // Text put on the clipboard, then pasted into `edit` with the paste keys.
    static void pasteInto(QWidget* edit, const QString& text);
    // The item of `edit`'s context menu whose text (before any shortcut) is
    // `item`, as Qt's own menu names it ("&Paste", "Delete", "&Undo"), chosen
    // with the mouse; the menu then closes.
    static void chooseContextMenuItem(QLineEdit* edit, const char* item);
    // Text dragged in from another program and dropped onto `widget` at `at`;
    // `taken` says whether the widget accepts the drag and the drop.
    static void dropText(QWidget* widget, const QString& text, QPoint at, bool taken = true);
    // Focus tests need the window on screen and active.
    static void showActive(QWidget* window = MainForm) { test::showActive(window); }

    // ---- the grids of the Chains and Speed Dials pages ----
    static QTableWidget* links() { return MainForm->gridChainLinks; }
    static QTableWidget* dials() { return MainForm->gridSpeedDials; }
    static QString cell(QTableWidget* grid, int row, int column) { return grid->item(row, column)->text(); }
    static void clickCell(QTableWidget* grid, int row, int column = 1);
    static void doubleClickCell(QTableWidget* grid, int row, int column = 1);
    // Picks chain `chain` in the chain list as the user does.
    static void clickChain(int chain);
    // Chain `chain` with the given links (preset indexes) at the front, the rest empty.
    static void setLinks(int chain, const std::vector<int>& presets);
    static std::vector<int> linksOf(int chain, std::size_t count = kChainLinkCount);

    // The object names of the file dialogs run, in order.
    std::vector<QString> dialogNames() const;

    TMainForm* form = nullptr;
    // A file whose presence is noted with each message box (a temporary download file).
    QString watchedFile;
    MessageRecorder messages{NoteGuiState(&watchedFile)};
    std::vector<DialogRun> dialogs;
    std::vector<PromptRun> prompts;
    QStringList summaryCounts;

    std::optional<SimKeypad> keypad;
    // The interface chooser as a person uses it: shown (it lists the devices),
    // the two devices picked (-1: none), then OK or Cancel.
    bool chooserOk = true;
    int chooseIn = 0;
    int chooseOut = 0;
    int chooserShown = 0;

    // Files handed to the desktop, with their bytes at that moment.
    bool shellSucceeds = true;
    std::vector<QString> shellOpened;
    std::vector<Bytes> shellBytes;

private:
    std::optional<QString> answerFile(QFileDialog* dialog);
    int answerModal(QDialog* window);
    int answerChooser(QDialog* window);

    static inline const QString kOfferedFile = QStringLiteral("<the offered file>");
    AppOptions m_options;
    QTemporaryDir m_temp;
    std::deque<QString> m_fileAnswers; // a null text cancels
    std::deque<WindowAnswer> m_windowAnswers;
    DocumentsFolderLookup m_previousLookup;
    FileDialogHandler m_previousFileDialog;
    ModalHandler m_previousModal;
    ShellOpenHandler m_previousShell;
};

} // namespace zlv::test
