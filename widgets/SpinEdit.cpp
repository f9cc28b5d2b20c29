#include "SpinEdit.h"

#include <QHBoxLayout>
#include <QLineEdit>

#include <algorithm>

namespace zlv {

TSpinEdit::TSpinEdit(QWidget* parent) : QWidget(parent)
{
    m_edit = new QLineEdit(this);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_edit);
    setFocusProxy(m_edit);
    connect(m_edit, &QLineEdit::textChanged, this, &TSpinEdit::changed);
    setValue(0);
}

int TSpinEdit::value()
{
    bool ok = false;
    const int v = m_edit->text().trimmed().toInt(&ok);
    if (!ok) {
        setValue(m_min);
        return m_min;
    }
    return std::clamp(v, m_min, m_max);
}

void TSpinEdit::setValue(int v) { m_edit->setText(QString::number(std::clamp(v, m_min, m_max))); }
void TSpinEdit::setMinValue(int v) { m_min = v; }
void TSpinEdit::setMaxValue(int v) { m_max = v; }
QString TSpinEdit::text() const { return m_edit->text(); }
void TSpinEdit::setText(const QString& text) { m_edit->setText(text); }

} // namespace zlv
