#include "Startup.h"

#include "AboutForm.h"
#include "InterfaceForm.h"
#include "LoadForm.h"
#include "MainForm.h"
#include "MidiEventsForm.h"
#include "OpenFileSummaryForm.h"
#include "PresetListForm.h"
#include "ProgressForm.h"
#include "SaveForm.h"

namespace zlv {

void CreateApplicationWindows()
{
    MainForm = new TMainForm;
    SaveForm = new TSaveForm(MainForm);
    LoadForm = new TLoadForm(MainForm);
    MidiEventsForm = new TMidiEventsForm(MainForm);
    AboutForm = new TAboutForm(MainForm);
    PresetListForm = new TPresetListForm(MainForm);
    InterfaceForm = new TInterfaceForm(MainForm);
    frmProgress = new TfrmProgress(MainForm);
    frmOpenFileSummary = new TfrmOpenFileSummary(MainForm);
}

} // namespace zlv
