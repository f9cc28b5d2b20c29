// The windows the Presets page talks to, created fresh for each test: the main
// window, the preset list (filled with 200 rows) and the MIDI data editor.
#pragma once

#include "Bank.h"
#include "GuiSeams.h"
#include "MainForm.h"
#include "MidiEventsForm.h"
#include "Modal.h"
#include "PresetListForm.h"
#include "QStringPrint.h"
#include "SpinEdit.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

class PresetsFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        zlv::Refreshing = zlv::Resetting = zlv::ShowingPreset = 0;
        zlv::Selecting = 0;
        // The main window makes its working folder in the documents folder: keep it out of the user's.
        m_previousLookup = zlv::SetDocumentsFolderLookup([this] { return m_documents.path(); });
        zlv::MainForm = new zlv::TMainForm;
        zlv::PresetListForm = new zlv::TPresetListForm(zlv::MainForm);
        zlv::MidiEventsForm = new zlv::TMidiEventsForm(zlv::MainForm);
        zlv::InitBankDefaults();
        zlv::PresetListForm->ListBox1->clear();
        for (int i = 0; i < 200; ++i)
            zlv::PresetListForm->ListBox1->addItem(QString::asprintf("%02d.  New Name %d", i + 1, i + 1));
        form = zlv::MainForm;
        form->PresetModified = false;
    }

    void TearDown() override
    {
        zlv::SetModalHandler({});
        zlv::Selecting = 0;
        delete zlv::MainForm;
        zlv::MainForm = nullptr;
        zlv::PresetListForm = nullptr;
        zlv::MidiEventsForm = nullptr;
        zlv::SetDocumentsFolderLookup(m_previousLookup);
    }

    // Focus tests need the window on screen and active.
    void showActive()
    {
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form));
    }

    zlv::PresetRecord& current() { return zlv::PresetTable[zlv::CurrentPreset]; }
    zlv::TSpinEdit* spin(int ch, int kind) { return form->m_spinCh[ch][kind]; }
    QCheckBox* box(int ch, int kind) { return form->m_cboxCh[ch][kind]; }
    static bool ownEnabled(QWidget* w) { return !w->testAttribute(Qt::WA_ForceDisabled); }

    zlv::TMainForm* form = nullptr;

private:
    QTemporaryDir m_documents;
    zlv::DocumentsFolderLookup m_previousLookup;
};
