// The main window's page control, TPageControl: a tab widget whose page-change
// events come only from the user: a click on a tab, the arrow keys on the tab
// bar, Ctrl+Tab and Ctrl+PageUp/PageDown. A page set from code (setCurrentIndex)
// raises neither event. changing() comes while the old page is still the
// current one and may refuse the change; changed() comes after the new page is
// shown.
#pragma once

#include <QTabWidget>

#include <functional>

namespace zlv {

class TPageControl : public QTabWidget {
    Q_OBJECT
public:
    explicit TPageControl(QWidget* parent = nullptr);

signals:
    void changing(bool* allowChange);
    void changed();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class TPageTabBar;
    // Runs a user's page switch to target through the two events.
    void userSwitch(int target, const std::function<void()>& doSwitch);
    int nextEnabled(int from, int step, bool wrap) const;
};

} // namespace zlv
