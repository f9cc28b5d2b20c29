#include "StatusBar.h"

#include <QHBoxLayout>
#include <QLabel>

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
    if (QLabel* label = panel(index))
        label->setText(text);
}

} // namespace zlv
