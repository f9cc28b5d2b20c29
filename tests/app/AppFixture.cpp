#include "AppFixture.h"

#include "InterfaceForm.h"
#include "MidiPorts.h"
#include "OpenFileSummaryForm.h"
#include "PresetPrompt.h"
#include "Startup.h"
#include "SyxMessageList.h"

#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QDialog>
#include <QFileDialog>
#include <QGuiApplication>
#include <QScrollBar>
#include <QTabBar>

#include <algorithm>
#include <cstring>

namespace zlv::test {

Bytes BankBytes()
{
    Bytes all(sizeof PresetTable + sizeof ChainTable + sizeof SpeedDials);
    auto* p = all.data();
    std::memcpy(p, PresetTable, sizeof PresetTable);
    std::memcpy(p += sizeof PresetTable, ChainTable, sizeof ChainTable);
    std::memcpy(p + sizeof ChainTable, SpeedDials, sizeof SpeedDials);
    return all;
}

Bytes DefaultBankBytes()
{
    const Bytes saved = BankBytes();
    const auto preset = CurrentPreset;
    const auto chain = CurrentChain;
    InitBankDefaults();
    Bytes defaults = BankBytes();
    std::memcpy(PresetTable, saved.data(), sizeof PresetTable);
    std::memcpy(ChainTable, saved.data() + sizeof PresetTable, sizeof ChainTable);
    std::memcpy(SpeedDials, saved.data() + sizeof PresetTable + sizeof ChainTable, sizeof SpeedDials);
    CurrentPreset = preset;
    CurrentChain = chain;
    return defaults;
}

long FirstDifference(const Bytes& a, const Bytes& b)
{
    if (a.size() != b.size())
        return static_cast<long>(std::min(a.size(), b.size()));
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i])
            return static_cast<long>(i);
    return -1;
}

Bytes ReadFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray data = file.readAll();
    return Bytes(data.begin(), data.end());
}

void WriteFile(const QString& path, const Bytes& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
}

void AppFixture::SetUp()
{
    ASSERT_TRUE(m_temp.isValid());
    // Process-wide redisplay state: each test starts as the program does.
    Refreshing = Resetting = ShowingPreset = 0;
    Selecting = 0;
    m_previousLookup = SetDocumentsFolderLookup([this]() -> QString {
        return m_options.documents ? QDir(m_temp.path()).filePath(*m_options.documents) : QString();
    });
    m_previousFileDialog = SetFileDialogHandler([this](QFileDialog* dialog) { return answerFile(dialog); });
    m_previousModal = SetModalHandler([this](QDialog* window) { return answerModal(window); });
    m_previousShell = SetShellOpenHandler([this](const QString& path) {
        shellOpened.push_back(path);
        shellBytes.push_back(ReadFile(path));
        return shellSucceeds;
    });
    if (m_options.keypad) {
        keypad.emplace();
        keypad->Inputs = {{0, 0, "Sim Keypad In"}, {0, 0, "Second In"}};
        keypad->Outputs = {{0, 0, "Sim Keypad Out"}, {0, 0, "Second Out"}};
    }
    ASSERT_NO_FATAL_FAILURE(prepareDocuments());

    CreateApplicationWindows();
    form = MainForm;
    if (m_options.showMainWindow)
        MainForm->show();
    else
        MainForm->UpdatePresetsList();
    if (m_options.showPresetList)
        PresetListForm->show();
    QApplication::processEvents();
}

void AppFixture::TearDown()
{
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "hourglass left on";
    EXPECT_TRUE(m_fileAnswers.empty()) << "a file dialog the test expected did not run";
    EXPECT_TRUE(m_windowAnswers.empty()) << "a window the test expected did not run";
    EXPECT_EQ(messages.answersLeft(), 0u) << "a message box the test expected did not show";
    DestroyApplicationWindows();
    form = nullptr;
    CloseMidiPorts();
    FreeSyxMessageList();
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    Selecting = 0;
    keypad.reset();
    SetShellOpenHandler(m_previousShell);
    SetModalHandler(m_previousModal);
    SetFileDialogHandler(m_previousFileDialog);
    SetDocumentsFolderLookup(m_previousLookup);
}

std::optional<QString> AppFixture::answerFile(QFileDialog* dialog)
{
    dialogs.push_back({dialog->objectName(), QFileInfo(dialog->selectedFiles().value(0)).fileName()});
    if (m_fileAnswers.empty()) {
        ADD_FAILURE() << "unexpected file dialog " << dialog->objectName().toStdString();
        return std::nullopt;
    }
    const QString answer = m_fileAnswers.front();
    m_fileAnswers.pop_front();
    if (answer.isNull())
        return std::nullopt;
    if (answer == kOfferedFile)
        return dialog->selectedFiles().value(0);
    return answer;
}

int AppFixture::answerModal(QDialog* window)
{
    if (keypad && window == InterfaceForm)
        return answerChooser(window);
    if (m_windowAnswers.empty()) {
        ADD_FAILURE() << "unexpected window " << window->objectName().toStdString();
        return QDialog::Rejected;
    }
    WindowAnswer answer = std::move(m_windowAnswers.front());
    m_windowAnswers.pop_front();
    return answer(window);
}

int AppFixture::answerChooser(QDialog* window)
{
    ++chooserShown;
    window->show();
    if (chooseIn >= 0)
        InterfaceForm->ComboBox1->setCurrentIndex(chooseIn);
    if (chooseOut >= 0)
        InterfaceForm->ComboBox2->setCurrentIndex(chooseOut);
    (chooserOk ? InterfaceForm->btnOK : InterfaceForm->btnCancel)->click();
    window->hide();
    return window->result();
}

namespace {

// The prompt `window` is, recorded; null (and a failure) when it is another window.
TPresetPromptForm* recordedPrompt(QDialog* window, std::vector<PromptRun>& prompts)
{
    auto* prompt = dynamic_cast<TPresetPromptForm*>(window);
    if (!prompt) {
        ADD_FAILURE() << "expected a preset prompt, got " << window->objectName().toStdString();
        return nullptr;
    }
    prompts.push_back(
        {prompt->objectName(), prompt->windowTitle(), prompt->Label1->text(), prompt->spinPreset->value()});
    return prompt;
}

} // namespace

void AppFixture::answerPrompt(int number)
{
    answerWindow([this, number](QDialog* window) {
        TPresetPromptForm* prompt = recordedPrompt(window, prompts);
        if (!prompt)
            return int(QDialog::Rejected);
        prompt->spinPreset->setText(QString::number(number));
        prompt->btnContinue->click();
        return prompt->result();
    });
}

void AppFixture::cancelPrompt()
{
    answerWindow([this](QDialog* window) {
        TPresetPromptForm* prompt = recordedPrompt(window, prompts);
        if (!prompt)
            return int(QDialog::Rejected);
        prompt->btnCancel->click();
        return prompt->result();
    });
}

void AppFixture::answerSummary(bool proceed, std::function<void()> meanwhile)
{
    answerWindow([this, proceed, meanwhile](QDialog* window) {
        EXPECT_EQ(window, frmOpenFileSummary);
        if (window != frmOpenFileSummary)
            return int(QDialog::Rejected);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "hourglass before the summary";
        TfrmOpenFileSummary* summary = frmOpenFileSummary;
        summaryCounts = QStringList{summary->lblNumOldPresets->text(), summary->lblNumNewPresets->text(),
                                    summary->lblNumChains->text(), summary->lblNumSpeedDials->text()};
        if (meanwhile)
            meanwhile();
        (proceed ? summary->BitBtn1 : summary->BitBtn2)->click();
        return summary->result();
    });
}

std::vector<QString> AppFixture::dialogNames() const
{
    std::vector<QString> names;
    for (const DialogRun& run : dialogs)
        names.push_back(run.dialog);
    return names;
}

std::vector<QFileDialog*> AppFixture::fileDialogs()
{
    return {MainForm->OpenSyxDialog, MainForm->OpenSingleDialog, MainForm->SaveOneDialog, MainForm->SaveAllDialog,
            MainForm->OpenUpgradeDialog};
}

QFileDialog* AppFixture::fileDialog(const QString& objectName)
{
    for (QFileDialog* dialog : fileDialogs())
        if (dialog->objectName() == objectName)
            return dialog;
    ADD_FAILURE() << "no file dialog " << objectName.toStdString();
    return nullptr;
}

void AppFixture::chooseDirectMidi()
{
    ASSERT_TRUE(keypad) << "direct MIDI needs the simulated keypad";
    MainForm->mnuDirectMIDI->trigger();
    ASSERT_TRUE(IsMidiOpen());
    keypad->WaitIdle();
    keypad->Received.clear();
    messages.clear();
}

void AppFixture::clickPreset(int row)
{
    list()->setCurrentRow(row);
    PresetListForm->ListBox1Click();
}

void AppFixture::doubleClickPreset(int row)
{
    list()->setCurrentRow(row);
    list()->scrollToItem(list()->item(row));
    QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, list()->visualItemRect(list()->item(row)).center());
}

void AppFixture::scrollListTo(int row)
{
    list()->doItemsLayout();
    list()->verticalScrollBar()->setValue(row);
}

void AppFixture::makeCurrent(int index)
{
    CurrentPreset = static_cast<std::uint8_t>(index);
    MainForm->edPreset->setText(QString::number(index + 1));
    MainForm->ShowCurrentPreset();
}

void AppFixture::editFirstProgram(int value)
{
    box(0, 2)->setChecked(true);
    spin(0, 2)->setText(QString::number(value));
    ASSERT_TRUE(MainForm->PresetModified);
}

void AppFixture::typeInto(QWidget* edit, const QString& text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void AppFixture::pasteInto(QWidget* edit, const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
    QTest::keySequence(edit, QKeySequence::Paste);
}

void AppFixture::chooseContextMenuItem(QLineEdit* edit, const char* item)
{
    QContextMenuEvent request(QContextMenuEvent::Mouse, edit->rect().center(), edit->mapToGlobal(edit->rect().center()));
    QApplication::sendEvent(edit, &request);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    const QString wanted = QCoreApplication::translate("QLineEdit", item);
    QAction* chosen = nullptr;
    for (QAction* action : menu->actions())
        if (action->text().section(u'\t', 0, 0) == wanted)
            chosen = action;
    ASSERT_NE(chosen, nullptr) << item;
    ASSERT_TRUE(chosen->isEnabled()) << item;
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(chosen).center());
    ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() == nullptr; }));
}

void AppFixture::dropText(QWidget* widget, const QString& text, QPoint at, bool taken)
{
    QMimeData data;
    data.setText(text);
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &enter);
    ASSERT_EQ(enter.isAccepted(), taken);
    // A refused drag still moves and drops here: the widget must refuse those too.
    QDragMoveEvent move(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
    ASSERT_EQ(move.isAccepted(), taken);
    QDropEvent drop(QPointF(at), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &drop);
    ASSERT_EQ(drop.isAccepted(), taken);
}

void AppFixture::clickTab(int index)
{
    QTabBar* tabs = MainForm->PageControl1->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
    ASSERT_EQ(MainForm->PageControl1->currentIndex(), index);
}

void AppFixture::showChainsPage()
{
    MainForm->PageControl1->setCurrentWidget(MainForm->tabChains);
    MainForm->PageControl1Change();
}

void AppFixture::showSpeedDialsPage()
{
    MainForm->PageControl1->setCurrentWidget(MainForm->tabSpeedDials);
    MainForm->PageControl1Change();
}

namespace {

QPoint cellCentre(QTableWidget* grid, int row, int column)
{
    return grid->visualRect(grid->model()->index(row, column)).center();
}

} // namespace

void AppFixture::clickCell(QTableWidget* grid, int row, int column)
{
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(grid, row, column));
}

void AppFixture::doubleClickCell(QTableWidget* grid, int row, int column)
{
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(grid, row, column));
}

void AppFixture::clickChain(int chain)
{
    QListWidget* chains = MainForm->ChainList;
    chains->scrollToItem(chains->item(chain));
    QTest::mouseClick(chains->viewport(), Qt::LeftButton, {}, chains->visualItemRect(chains->item(chain)).center());
}

void AppFixture::setLinks(int chain, const std::vector<int>& presets)
{
    for (std::size_t i = 0; i < kChainLinkCount; ++i)
        ChainTable[chain].Links[i] = i < presets.size() ? static_cast<std::uint8_t>(presets[i]) : kEmpty;
}

std::vector<int> AppFixture::linksOf(int chain, std::size_t count)
{
    std::vector<int> out;
    for (std::size_t i = 0; i < count; ++i)
        out.push_back(ChainTable[chain].Links[i]);
    return out;
}

} // namespace zlv::test
