// Windows for the Chains, Speed Dials and preset list tests: a fresh main window
// and preset list for each test, a default bank, and message boxes answered by
// the test.
#pragma once

#include "Bank.h"
#include "MainForm.h"
#include "PresetListForm.h"
#include "UserMessage.h"

#include <QApplication>
#include <QListWidget>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zlv::test {

struct RecordedMessage {
    std::string text;
    std::string caption;
    MsgIcon icon;
    MsgButtons buttons;
};

class PageFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_previousHandler = SetMessageBoxHandler(
            [this](const std::string& text, const std::string& caption, MsgIcon icon, MsgButtons buttons) {
                messages.push_back({text, caption, icon, buttons});
                return answer;
            });
        MainForm = new TMainForm;
        PresetListForm = new TPresetListForm(MainForm);
        InitBankDefaults();
        MainForm->show();
        PresetListForm->show();
        // The list is normally filled when the main window is first shown.
        if (list()->count() == 0)
            MainForm->UpdatePresetsList();
        if (list()->count() == 0)
            fillPresetList();
    }

    void TearDown() override
    {
        delete MainForm;
        MainForm = nullptr;
        PresetListForm = nullptr;
        SetMessageBoxHandler(m_previousHandler);
    }

    static QListWidget* list() { return PresetListForm->ListBox1; }
    static QTableWidget* links() { return MainForm->gridChainLinks; }
    static QTableWidget* dials() { return MainForm->gridSpeedDials; }

    static void fillPresetList()
    {
        list()->clear();
        for (int i = 0; i < static_cast<int>(kPresetCount); ++i)
            list()->addItem(QString::asprintf("%02d.  %s", i + 1, reinterpret_cast<const char*>(PresetTable[i].Name)));
    }

    // Switches pages as the tabs do: the main window then sets the list's caption and redisplays the page.
    static void showChainsPage()
    {
        MainForm->PageControl1->setCurrentWidget(MainForm->tabChains);
        MainForm->PageControl1Change();
    }
    static void showSpeedDialsPage()
    {
        MainForm->PageControl1->setCurrentWidget(MainForm->tabSpeedDials);
        MainForm->PageControl1Change();
    }

    // Chain `chain` with the given links (preset indexes) at the front, the rest empty.
    static void setLinks(int chain, const std::vector<int>& presets)
    {
        for (std::size_t i = 0; i < kChainLinkCount; ++i)
            ChainTable[chain].Links[i] = i < presets.size() ? static_cast<std::uint8_t>(presets[i]) : kEmpty;
    }
    static std::vector<int> linksOf(int chain, std::size_t count = kChainLinkCount)
    {
        std::vector<int> out;
        for (std::size_t i = 0; i < count; ++i)
            out.push_back(ChainTable[chain].Links[i]);
        return out;
    }

    // Scrolls the preset list so that row `row` is the top row.
    static void scrollListTo(int row)
    {
        list()->doItemsLayout();
        list()->verticalScrollBar()->setValue(row);
    }

    static QString cell(QTableWidget* grid, int row, int column) { return grid->item(row, column)->text(); }

    static QPoint cellCentre(QTableWidget* grid, int row, int column)
    {
        return grid->visualRect(grid->model()->index(row, column)).center();
    }
    static void clickCell(QTableWidget* grid, int row, int column = 1)
    {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(grid, row, column));
    }
    static void doubleClickCell(QTableWidget* grid, int row, int column = 1)
    {
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(grid, row, column));
    }

    // Picks chain `chain` in the chain list as the user does.
    static void clickChain(int chain)
    {
        QListWidget* chains = MainForm->ChainList;
        chains->scrollToItem(chains->item(chain));
        QTest::mouseClick(chains->viewport(), Qt::LeftButton, {}, chains->visualItemRect(chains->item(chain)).center());
    }

    // Selects row `row` of the preset list from code, then double-clicks it as the user does.
    static void doubleClickPreset(int row)
    {
        list()->setCurrentRow(row);
        list()->scrollToItem(list()->item(row));
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, list()->visualItemRect(list()->item(row)).center());
    }

    MsgResult answer = MsgResult::Ok;
    std::vector<RecordedMessage> messages;

private:
    MessageBoxHandler m_previousHandler;
};

inline const QString kEmptyCell = QStringLiteral("   \u00B7\u00B7\u00B7");

} // namespace zlv::test
