// A status line of fixed-width text panels, as the main window shows two of
// them (MIDI in, MIDI out), without a size grip.
#pragma once

#include <QFrame>
#include <QList>

class QLabel;

namespace zlv {

class TStatusBar : public QFrame {
    Q_OBJECT
public:
    // One panel per width, left to right.
    TStatusBar(const QList<int>& panelWidths, QWidget* parent = nullptr);

    QLabel* panel(int index) const { return m_panels.value(index); }
    QString panelText(int index) const;
    void setPanelText(int index, const QString& text);

private:
    QList<QLabel*> m_panels;
};

} // namespace zlv
