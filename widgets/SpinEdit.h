// A whole-number field with a minimum and a maximum, as the forms expect it:
// setting a value brings it into range; arrow keys and the two buttons step by 1;
// every text change raises changed(); leaving the field pulls an out-of-range
// number to the nearest bound; reading text that is no whole number gives the
// minimum and resets the field to it.
#pragma once

#include <QWidget>

class QKeyEvent;
class QLineEdit;
class QToolButton;

namespace zlv {

class TSpinEdit : public QWidget {
    Q_OBJECT
public:
    explicit TSpinEdit(QWidget* parent = nullptr);

    // Not const: text that is no whole number is replaced by the minimum first.
    int value();
    void setValue(int v);
    int minValue() const { return m_min; }
    int maxValue() const { return m_max; }
    void setMinValue(int v);
    void setMaxValue(int v);
    QString text() const;
    void setText(const QString& text);
    QLineEdit* lineEdit() const { return m_edit; }
    QToolButton* upButton() const { return m_up; }
    QToolButton* downButton() const { return m_down; }

    // What the arrow keys and the two buttons do: value() + steps, kept in range.
    void stepBy(int steps);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void changed();
    // Raised for every key pressed in the field before the field handles it; a
    // receiver that accepts the event swallows the key.
    void keyPressed(QKeyEvent* event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void stepFromButton(int steps);
    int bounded(long long v) const;

    QLineEdit* m_edit = nullptr;
    QToolButton* m_up = nullptr;
    QToolButton* m_down = nullptr;
    int m_min = 0;
    int m_max = 100;
};

} // namespace zlv
