#include "StatusBar.h"

#include <QHBoxLayout>
#include <QLabel>

#include <algorithm>

namespace zlv {

TStatusBar::TStatusBar(const QList<int>& panelWidths, QWidget* parent) : QFrame(parent)
{
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 1);
    layout->setSpacing(2);
    for (int width : panelWidths) {
        auto* label = new QLabel(this);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setFixedWidth(width);
        label->setProperty("designWidth", width);
        label->setIndent(3);
        label->setTextFormat(Qt::PlainText);
        layout->addWidget(label);
        m_panels << label;
    }
    layout->addStretch(1);
    setFixedHeight(fontMetrics().height() + 9);
}

QString TStatusBar::panelText(int index) const
{
    const QLabel* label = panel(index);
    return label ? label->text() : QString();
}

void TStatusBar::setPanelText(int index, const QString& text)
{
    QLabel* label = panel(index);
    if (!label)
        return;
    label->setText(text);
    // The widths were chosen for a smaller system font; a panel grows rather
    // than cut a state such as "MIDI Open" short.
    const int needed = label->fontMetrics().horizontalAdvance(text) + 2 * label->frameWidth() + label->indent() + 4;
    label->setFixedWidth(std::max(label->property("designWidth").toInt(), needed));
}

} // namespace zlv
