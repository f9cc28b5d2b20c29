#include "MainForm.h"

#include "Bank.h"
#include "BankText.h"
#include "ListControls.h"
#include "UserMessage.h"

#include <QEvent>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>

namespace zlv {

namespace {

constexpr int kDialGridRows = static_cast<int>(kSpeedDialCount) + 1;
static_assert(kDialGridRows == 10);

// Runs a callback each time the watched page is shown.
class ShowWatcher : public QObject {
public:
    ShowWatcher(QObject* parent, std::function<void()> onShow) : QObject(parent), m_onShow(std::move(onShow)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            m_onShow();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_onShow;
};

} // namespace

void TMainForm::setupSpeedDialsPage()
{
    GroupBox8 = new QGroupBox(tabSpeedDials);
    GroupBox8->setObjectName("GroupBox8");
    GroupBox8->setGeometry(8, 6, 330, 46);
    Label29 = new QLabel("Speed Dials (favorite Presets)", GroupBox8);
    Label29->setObjectName("Label29");
    QFont bold = Label29->font();
    bold.setBold(true);
    Label29->setFont(bold);
    Label29->setGeometry(12, 14, 300, 22);

    groupSpeedDials = new QGroupBox(tabSpeedDials);
    groupSpeedDials->setObjectName("groupSpeedDials");
    auto* grid = new FixedHeaderGrid(kDialGridRows, 96, 228, 22, groupSpeedDials);
    gridSpeedDials = grid;
    gridSpeedDials->setObjectName("gridSpeedDials");
    gridSpeedDials->move(12, 14);
    groupSpeedDials->setGeometry(8, 60, grid->width() + 24, grid->height() + 26);
    grid->onDoubleClick = [this] { gridSpeedDialsDblClick(); };

    SpeedDialsMenu = new QMenu(this);
    SpeedDialsMenu->setObjectName("SpeedDialsMenu");
    DeleteAllSpeedDials = SpeedDialsMenu->addAction("Delete All Speed Dials");
    DeleteAllSpeedDials->setObjectName("DeleteAllSpeedDials");
    connect(DeleteAllSpeedDials, &QAction::triggered, this, &TMainForm::DeleteAllSpeedDialsClick);
    gridSpeedDials->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(gridSpeedDials, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        SpeedDialsMenu->popup(gridSpeedDials->viewport()->mapToGlobal(pos));
    });

    tabSpeedDials->installEventFilter(new ShowWatcher(tabSpeedDials, [this] { tabSpeedDialsShow(); }));
}

void TMainForm::tabSpeedDialsShow()
{
    ShowSpeedDials();
}

void TMainForm::ShowSpeedDials()
{
    auto* grid = static_cast<FixedHeaderGrid*>(gridSpeedDials);
    grid->setCellText(0, 0, "Speed Dial #");
    grid->setCellText(0, 1, " Preset ");
    for (int d = 1; d < kDialGridRows; ++d) {
        grid->setCellText(d, 0, "   " + QString::number(d));
        grid->setCellText(d, 1, PresetCellText(SpeedDials[d - 1]));
    }
}

void TMainForm::gridSpeedDialsDblClick()
{
    if (ShowMessage("Delete Speed Dial?", "Confirm", MsgIcon::None, MsgButtons::OkCancel) != MsgResult::Ok)
        return;
    const int selected = gridSpeedDials->currentRow() - 1;
    if (selected < 0)
        return;
    SpeedDials[selected] = kEmpty;
    ShowSpeedDials();
}

void TMainForm::DeleteAllSpeedDialsClick()
{
    for (std::uint8_t& dial : SpeedDials)
        dial = kEmpty;
    ShowSpeedDials();
}

} // namespace zlv
