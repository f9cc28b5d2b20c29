#include "AppFixture.h"

#include "BankEdits.h"

#include <QGroupBox>
#include <QImage>
#include <QPainter>
#include <QScrollBar>

using namespace zlv;
using namespace zlv::test;

namespace {

class PageLayout : public AppFixture {
protected:
    PageLayout() : AppFixture({.showPresetList = true}) {}

    // Every group of the page lies inside the 800 x 480 page area and clear of the
    // place the ">>>" button takes at the top right.
    static void expectGroupsInsidePageArea(QWidget* page, std::initializer_list<const char*> names)
    {
        const QRect pageArea(0, 0, 800, 480);
        const QRect showButton(QPoint(720, 6), QPoint(792, 46));
        for (const char* name : names) {
            auto* group = page->findChild<QGroupBox*>(name);
            ASSERT_NE(group, nullptr) << name;
            EXPECT_TRUE(pageArea.contains(group->geometry())) << name;
            EXPECT_FALSE(group->geometry().intersects(showButton)) << name;
            for (QWidget* child : group->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
                if (!child->isWindow()) {
                    EXPECT_TRUE(group->rect().contains(child->geometry()))
                        << name << " " << child->objectName().toStdString();
                }
            }
        }
    }

    static void fillSampleBank()
    {
        StoreTypedName(PresetTable[0].Name, u"Grand Piano");
        StoreTypedName(PresetTable[1].Name, u"Strings Pad");
        StoreTypedName(PresetTable[2].Name, u"Brass Stab");
        StoreTypedName(PresetTable[3].Name, u"Organ Leslie");
        StoreTypedName(PresetTable[11].Name, u"Synth Lead");
        StoreTypedName(ChainTable[0].Name, u"Opening Set");
        StoreTypedName(ChainTable[1].Name, u"Ballads");
        setLinks(0, {0, 1, 11, 3, 2});
        SpeedDials[0] = 0;
        SpeedDials[1] = 11;
        SpeedDials[2] = 3;
        SpeedDials[5] = 1;
        MainForm->UpdatePresetsList();
    }
};

TEST_F(PageLayout, ChainsPageFitsItsAreaAndIsPictured)
{
    fillSampleBank();
    showChainsPage();
    clickChain(0);
    QApplication::processEvents();
    expectGroupsInsidePageArea(MainForm->tabChains, {"GroupBox5", "GroupBox7", "GroupBox6"});
    EXPECT_FALSE(MainForm->gridChainLinks->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(MainForm->gridChainLinks->verticalScrollBar()->isVisible());
    EXPECT_TRUE(saveScreenshot(MainForm, "chains-page"));
}

TEST_F(PageLayout, SpeedDialsPageFitsItsAreaAndIsPictured)
{
    fillSampleBank();
    showSpeedDialsPage();
    clickCell(dials(), 3);
    QApplication::processEvents();
    expectGroupsInsidePageArea(MainForm->tabSpeedDials, {"GroupBox8", "groupSpeedDials"});
    EXPECT_TRUE(saveScreenshot(MainForm, "speed-dials-page"));
}

TEST_F(PageLayout, PresetListStandsBesideTheMainWindow)
{
    fillSampleBank();
    showChainsPage();
    PresetListForm->hide();
    MainForm->move(0, 0);
    PresetListForm->show();
    list()->setCurrentRow(2);
    QApplication::processEvents();

    const QRect mainFrame = MainForm->frameGeometry();
    const QRect listFrame = PresetListForm->frameGeometry();
    EXPECT_EQ(listFrame.left(), mainFrame.right() + 1);
    EXPECT_EQ(listFrame.top(), mainFrame.top());

    // The offscreen platform draws no window frames; the picture gets plain ones with their
    // captions, the list flush against the main window's right edge as checked above.
    constexpr int border = 3;
    constexpr int titleHeight = 24;
    const auto outerSize = [&](QWidget* window) {
        return QSize(window->width() + 2 * border, window->height() + titleHeight + 2 * border);
    };
    const QRect mainOuter(QPoint(0, 0), outerSize(MainForm));
    const QRect listOuter(QPoint(mainOuter.width(), 0), outerSize(PresetListForm));
    const auto outer = [&](QWidget* window) { return window == MainForm ? mainOuter : listOuter; };
    QImage picture(listOuter.right() + 1, std::max(mainOuter.bottom(), listOuter.bottom()) + 1, QImage::Format_RGB32);
    picture.fill(QColor(0x30, 0x38, 0x48));
    QPainter painter(&picture);
    for (QWidget* window : {static_cast<QWidget*>(MainForm), static_cast<QWidget*>(PresetListForm)}) {
        const QRect frame = outer(window);
        painter.fillRect(frame, QColor(0xD4, 0xD0, 0xC8));
        painter.setPen(QColor(0x80, 0x80, 0x80));
        painter.drawRect(frame.adjusted(0, 0, -1, -1));
        painter.setPen(Qt::black);
        painter.drawText(QRect(frame.left() + 8, frame.top() + border, frame.width() - 16, titleHeight),
                         Qt::AlignVCenter | Qt::AlignLeft, window->windowTitle());
        painter.drawPixmap(frame.left() + border, frame.top() + border + titleHeight, window->grab());
    }
    painter.end();
    EXPECT_TRUE(saveScreenshot(picture, "preset-list-beside-main-window"));
}

} // namespace
