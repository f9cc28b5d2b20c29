#include "AboutForm.h"

#include "FormKeys.h"
#include "Pictures.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>

namespace zlv {

TAboutForm* AboutForm = nullptr;

namespace {
constexpr QSize kLogoSize(209, 159);
}

TAboutForm::TAboutForm(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName("AboutForm");
    setWindowTitle("About");
    setFixedSize(kClientWidth, kClientHeight);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    OK = new QPushButton("OK", this);
    OK->setObjectName("OK");
    OK->setAutoDefault(false);
    OK->setDefault(false);
    OK->setGeometry(kClientWidth - 12 - 80, kClientHeight - 12 - 28, 80, 28);
    connect(OK, &QPushButton::clicked, this, &TAboutForm::OKClick);

    // Inside the painted frame, which stays visible around it.
    Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");
    Panel1->setFrameStyle(QFrame::NoFrame);
    Panel1->setAutoFillBackground(true);
    Panel1->setGeometry(10, 10, kClientWidth - 20, kLogoSize.height());

    Image1 = new QLabel(Panel1);
    Image1->setObjectName("Image1");
    Image1->setPixmap(ProductLogo(kLogoSize));
    Image1->setGeometry(QRect(QPoint(0, 0), kLogoSize));

    const int textLeft = kLogoSize.width() + 18;
    const int textWidth = Panel1->width() - textLeft;
    Label1 = new QLabel("Zelvane", Panel1);
    Label1->setObjectName("Label1");
    QFont title("Arial");
    title.setPixelSize(13);
    title.setBold(true);
    Label1->setFont(title);
    Label1->setGeometry(textLeft, 22, textWidth, 20);
    Label2 = new QLabel("Editor/Librarian", Panel1);
    Label2->setObjectName("Label2");
    Label2->setGeometry(textLeft, 46, textWidth, 18);
    Label3 = new QLabel("Version 3.31", Panel1);
    Label3->setObjectName("Label3");
    Label3->setGeometry(textLeft, 66, textWidth, 18);
    // The button sits over the panel's lower right corner.
    OK->raise();
    setTabOrder(OK, Panel1);
}

void TAboutForm::OKClick() { close(); }

void TAboutForm::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    FormPaint();
}

void TAboutForm::FormPaint()
{
    QPainter painter(this);
    const int w = width();
    const int h = height();
    // Outlines one pixel wide: white along the edge, black just inside it.
    painter.setPen(Qt::white);
    painter.drawRect(0, 0, w - 1, h - 1);
    painter.setPen(Qt::black);
    painter.drawRect(1, 1, w - 3, h - 3);
}

void TAboutForm::keyPressEvent(QKeyEvent* event)
{
    if (!HandleFormKey(this, event))
        QDialog::keyPressEvent(event);
}

void TAboutForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    CentreOnScreen(this);
    OK->setFocus();
}

} // namespace zlv
