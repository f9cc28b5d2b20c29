#include "PageTabs.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTabBar>
#include <QWheelEvent>

#include <algorithm>

namespace zlv {

class TPageTabBar : public QTabBar {
public:
    explicit TPageTabBar(TPageControl* owner) : QTabBar(owner), m_owner(owner) {}

protected:
    // Every tab as wide as the widest.
    QSize tabSizeHint(int index) const override
    {
        QSize size = QTabBar::tabSizeHint(index);
        for (int i = 0; i < count(); ++i)
            size.setWidth(std::max(size.width(), QTabBar::tabSizeHint(i).width()));
        return size;
    }
    QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }

    void mousePressEvent(QMouseEvent* event) override
    {
        const int target = tabAt(event->position().toPoint());
        if (event->button() == Qt::LeftButton && target >= 0 && target != currentIndex() && isTabEnabled(target))
            m_owner->userSwitch(target, [&] { QTabBar::mousePressEvent(event); });
        else
            QTabBar::mousePressEvent(event);
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() != Qt::Key_Left && event->key() != Qt::Key_Right) {
            QTabBar::keyPressEvent(event);
            return;
        }
        const bool back = event->key() == (isRightToLeft() ? Qt::Key_Right : Qt::Key_Left);
        const int target = m_owner->nextEnabled(currentIndex(), back ? -1 : 1, false);
        if (target >= 0)
            m_owner->userSwitch(target, [&] { QTabBar::keyPressEvent(event); });
    }

    // The wheel does not turn pages.
    void wheelEvent(QWheelEvent* event) override { event->ignore(); }

private:
    TPageControl* m_owner;
};

TPageControl::TPageControl(QWidget* parent) : QTabWidget(parent) { setTabBar(new TPageTabBar(this)); }

void TPageControl::keyPressEvent(QKeyEvent* event)
{
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    int step = 0;
    if (ctrl && (event->key() == Qt::Key_Tab || event->key() == Qt::Key_PageDown))
        step = 1;
    else if (ctrl && (event->key() == Qt::Key_Backtab || event->key() == Qt::Key_PageUp))
        step = -1;
    const int target = step ? nextEnabled(currentIndex(), step, true) : -1;
    if (target >= 0)
        userSwitch(target, [&] { setCurrentIndex(target); });
    else
        QTabWidget::keyPressEvent(event);
}

void TPageControl::userSwitch(int target, const std::function<void()>& doSwitch)
{
    bool allow = true;
    emit changing(&allow);
    if (!allow)
        return;
    const int before = currentIndex();
    doSwitch();
    if (currentIndex() != before && currentIndex() == target)
        emit changed();
}

int TPageControl::nextEnabled(int from, int step, bool wrap) const
{
    const int n = count();
    for (int i = 1; i < n; ++i) {
        int k = from + step * i;
        if (wrap)
            k = ((k % n) + n) % n;
        else if (k < 0 || k >= n)
            return -1;
        if (isTabEnabled(k))
            return k == from ? -1 : k;
    }
    return -1;
}

} // namespace zlv
