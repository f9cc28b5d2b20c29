#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace zlv {

// The About box: a small white window without title bar or system frame, its
// own two-pixel frame painted around the client area. OK (or Enter on it)
// closes it; Escape does nothing.
class TAboutForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 407;
    static constexpr int kClientHeight = 179;

    explicit TAboutForm(QWidget* parent = nullptr);

    QPushButton* OK = nullptr;
    QFrame* Panel1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;

    void OKClick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FormPaint();
};

extern TAboutForm* AboutForm;

} // namespace zlv
