// A whole-number field with a minimum and a maximum, as the forms expect it:
// setting a value brings it into range; arrow keys and the two buttons step by 1;
// every text change raises changed(); leaving the field pulls an out-of-range
// number to the nearest bound; reading text that is no whole number gives the
// minimum and resets the field to it.
#pragma once

#include <QWidget>

class QLineEdit;

namespace zlv {

class TSpinEdit : public QWidget {
    Q_OBJECT
public:
    explicit TSpinEdit(QWidget* parent = nullptr);

    int value();
    void setValue(int v);
    int minValue() const { return m_min; }
    int maxValue() const { return m_max; }
    void setMinValue(int v);
    void setMaxValue(int v);
    QString text() const;
    void setText(const QString& text);
    QLineEdit* lineEdit() const { return m_edit; }

signals:
    void changed();

private:
    QLineEdit* m_edit = nullptr;
    int m_min = 0;
    int m_max = 100;
};

} // namespace zlv
