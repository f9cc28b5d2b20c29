#include "SpinEdit.h"

#include "FocusChange.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

#include <algorithm>
#include <limits>

namespace zlv {

namespace {

constexpr int kButtonWidth = 16;

// A whole number is an optional sign followed by decimal digits (blanks around it
// are tolerated). Numbers too long for int saturate, so a long run of nines still
// reads as "above the range" rather than as "not a number".
bool readWholeNumber(const QString& text, int& out)
{
    const QString t = text.trimmed();
    int i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) {
        negative = t[i] == u'-';
        ++i;
    }
    if (i == t.size())
        return false;
    long long magnitude = 0;
    constexpr long long kCeiling = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
    for (; i < t.size(); ++i) {
        const char16_t c = t[i].unicode();
        if (c < u'0' || c > u'9')
            return false;
        magnitude = std::min(magnitude * 10 + (c - u'0'), kCeiling);
    }
    const long long v = negative ? -magnitude : magnitude;
    out = static_cast<int>(std::clamp<long long>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
    return true;
}

} // namespace

TSpinEdit::TSpinEdit(QWidget* parent) : QWidget(parent)
{
    m_edit = new QLineEdit(this);
    m_up = new QToolButton(this);
    m_down = new QToolButton(this);
    for (QToolButton* b : {m_up, m_down}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRepeat(true);
        b->setAutoRaise(false);
    }
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    m_edit->installEventFilter(this);
    setFocusProxy(m_edit);
    setFocusPolicy(m_edit->focusPolicy());
    connect(m_edit, &QLineEdit::textChanged, this, &TSpinEdit::changed);
    connect(m_up, &QToolButton::clicked, this, [this] { stepFromButton(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { stepFromButton(-1); });
    setValue(0);
}

int TSpinEdit::value()
{
    int v = 0;
    if (!readWholeNumber(m_edit->text(), v)) {
        setValue(m_min);
        return m_min;
    }
    return bounded(v);
}

// A maximum set below the minimum counts as the minimum, so clamping stays defined.
int TSpinEdit::bounded(long long v) const
{
    return static_cast<int>(std::clamp<long long>(v, m_min, std::max(m_min, m_max)));
}

void TSpinEdit::setValue(int v) { m_edit->setText(QString::number(bounded(v))); }
void TSpinEdit::setMinValue(int v) { m_min = v; }
void TSpinEdit::setMaxValue(int v) { m_max = v; }
QString TSpinEdit::text() const { return m_edit->text(); }
void TSpinEdit::setText(const QString& text) { m_edit->setText(text); }

void TSpinEdit::stepBy(int steps)
{
    setValue(bounded(static_cast<long long>(value()) + steps));
}

void TSpinEdit::stepFromButton(int steps)
{
    // The buttons act on the field as the arrow keys would, so the field takes
    // the focus as it does when the user types into it.
    if (!m_edit->hasFocus() && isVisible())
        m_edit->setFocus(Qt::MouseFocusReason);
    stepBy(steps);
}

bool TSpinEdit::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_edit)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        key->ignore();
        emit keyPressed(key);
        if (key->isAccepted())
            return true;
        key->accept();
        switch (key->key()) {
        case Qt::Key_Up:
            stepBy(1);
            return true;
        case Qt::Key_Down:
            stepBy(-1);
            return true;
        default:
            break;
        }
        // Typing lets through digits and a sign only; pasted text is not filtered,
        // which is why reading the value copes with anything.
        const QString typed = key->text();
        if (typed.size() == 1 && typed[0].isPrint() && !typed[0].isDigit() && typed[0] != u'-' && typed[0] != u'+')
            return true;
    } else if (event->type() == QEvent::FocusOut && !isActivationFocusChange(event)) {
        int v = 0;
        if (readWholeNumber(m_edit->text(), v) && v != bounded(v))
            setValue(v);
    }
    return QWidget::eventFilter(watched, event);
}

void TSpinEdit::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int w = width();
    const int h = height();
    const int bw = std::min(kButtonWidth, w / 2);
    m_edit->setGeometry(0, 0, w - bw, h);
    m_up->setGeometry(w - bw, 0, bw, h / 2);
    m_down->setGeometry(w - bw, h / 2, bw, h - h / 2);
}

QSize TSpinEdit::sizeHint() const
{
    const QSize edit = m_edit->sizeHint();
    const int digits = m_edit->fontMetrics().horizontalAdvance(QStringLiteral("00000"));
    return {digits + 12 + kButtonWidth, edit.height()};
}

QSize TSpinEdit::minimumSizeHint() const { return {kButtonWidth * 3, m_edit->minimumSizeHint().height()}; }

} // namespace zlv
