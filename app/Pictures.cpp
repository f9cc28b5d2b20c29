#include "Pictures.h"

#include <QAbstractButton>
#include <QEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <numbers>
#include <utility>

namespace zlv {

namespace {

constexpr int kToolIconSize = 32;

const QColor kInk(0x2b, 0x3a, 0x4f);
const QColor kAccent(0x2f, 0x6f, 0xb5);

QPen outline(const QColor& c = kInk, qreal width = 1.6)
{
    return QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void drawPage(QPainter& p, const QRectF& r)
{
    const qreal fold = 7;
    QPainterPath page;
    page.moveTo(r.left(), r.top());
    page.lineTo(r.right() - fold, r.top());
    page.lineTo(r.right(), r.top() + fold);
    page.lineTo(r.right(), r.bottom());
    page.lineTo(r.left(), r.bottom());
    page.closeSubpath();
    p.setPen(outline());
    p.setBrush(Qt::white);
    p.drawPath(page);
    QPainterPath corner;
    corner.moveTo(r.right() - fold, r.top());
    corner.lineTo(r.right() - fold, r.top() + fold);
    corner.lineTo(r.right(), r.top() + fold);
    p.setBrush(QColor(0xdd, 0xe4, 0xee));
    p.drawPath(corner);
}

void drawArrow(QPainter& p, QPointF from, QPointF to, const QColor& c)
{
    p.setPen(QPen(c, 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(from, to);
    const qreal angle = std::atan2(to.y() - from.y(), to.x() - from.x());
    const qreal len = 6.5;
    p.drawLine(to, to - QPointF(len * std::cos(angle - 0.6), len * std::sin(angle - 0.6)));
    p.drawLine(to, to - QPointF(len * std::cos(angle + 0.6), len * std::sin(angle + 0.6)));
}

void paintTool(QPainter& p, ToolPicture picture)
{
    switch (picture) {
    case ToolPicture::Midi: {
        // A five-pin DIN socket.
        QRadialGradient g(QPointF(13, 12), 16);
        g.setColorAt(0, QColor(0x5a, 0x6b, 0x82));
        g.setColorAt(1, QColor(0x22, 0x2c, 0x3a));
        p.setPen(outline(kInk, 1.2));
        p.setBrush(g);
        p.drawEllipse(QPointF(16, 16), 14, 14);
        p.setBrush(QColor(0xf2, 0xf4, 0xf7));
        p.setPen(Qt::NoPen);
        const qreal r = 8.5;
        for (int k = 0; k < 5; ++k) {
            const qreal a = (180.0 + 45.0 * k) * std::numbers::pi / 180.0;
            p.drawEllipse(QPointF(16 + r * std::cos(a), 16 + r * std::sin(a)), 1.9, 1.9);
        }
        p.drawRoundedRect(QRectF(14, 25, 4, 3.5), 1, 1);
        break;
    }
    case ToolPicture::New:
        drawPage(p, QRectF(7, 3, 18, 26));
        p.setPen(QPen(QColor(0xe0, 0xa0, 0x10), 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(24, 19), QPointF(24, 29));
        p.drawLine(QPointF(19, 24), QPointF(29, 24));
        break;
    case ToolPicture::Open: {
        QPainterPath back;
        back.moveTo(3, 8);
        back.lineTo(11, 8);
        back.lineTo(14, 11);
        back.lineTo(27, 11);
        back.lineTo(27, 26);
        back.lineTo(3, 26);
        back.closeSubpath();
        p.setPen(outline(QColor(0x8a, 0x62, 0x12)));
        p.setBrush(QColor(0xe8, 0xb8, 0x4a));
        p.drawPath(back);
        QPainterPath front;
        front.moveTo(3, 26);
        front.lineTo(8, 15);
        front.lineTo(30, 15);
        front.lineTo(26, 26);
        front.closeSubpath();
        p.setBrush(QColor(0xf7, 0xd2, 0x74));
        p.drawPath(front);
        break;
    }
    case ToolPicture::Save: {
        p.setPen(outline(QColor(0x1d, 0x3b, 0x63)));
        p.setBrush(QColor(0x3d, 0x6f, 0xae));
        QPainterPath disk;
        disk.moveTo(4, 4);
        disk.lineTo(24, 4);
        disk.lineTo(28, 8);
        disk.lineTo(28, 28);
        disk.lineTo(4, 28);
        disk.closeSubpath();
        p.drawPath(disk);
        p.setBrush(QColor(0xe9, 0xee, 0xf4));
        p.drawRect(QRectF(9, 4, 13, 8));
        p.setBrush(QColor(0x3d, 0x6f, 0xae));
        p.drawRect(QRectF(17, 5.5, 3, 5));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(8, 17, 16, 11));
        break;
    }
    case ToolPicture::Download: {
        // A keypad with an arrow coming down into it.
        p.setPen(outline());
        p.setBrush(QColor(0x3a, 0x44, 0x52));
        p.drawRoundedRect(QRectF(4, 17, 24, 12), 2.5, 2.5);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x9f, 0xd8, 0x6b));
        for (int col = 0; col < 4; ++col)
            p.drawRoundedRect(QRectF(7 + col * 5.2, 21, 3.6, 4.5), 0.8, 0.8);
        drawArrow(p, QPointF(16, 2), QPointF(16, 15), QColor(0x2c, 0x9a, 0x3c));
        break;
    }
    case ToolPicture::Upgrade: {
        // A chip with an arrow going up out of it.
        p.setPen(outline(QColor(0x55, 0x55, 0x55), 1.4));
        for (int k = 0; k < 4; ++k) {
            const qreal x = 9 + k * 4.7;
            p.drawLine(QPointF(x, 14), QPointF(x, 11));
            p.drawLine(QPointF(x, 28), QPointF(x, 31));
        }
        p.setPen(outline());
        p.setBrush(QColor(0x33, 0x36, 0x3b));
        p.drawRoundedRect(QRectF(5, 14, 22, 14), 2, 2);
        drawArrow(p, QPointF(16, 24), QPointF(16, 2), QColor(0xe0, 0x7b, 0x12));
        break;
    }
    case ToolPicture::Help: {
        QRadialGradient g(QPointF(12, 11), 18);
        g.setColorAt(0, QColor(0x6a, 0xa6, 0xe8));
        g.setColorAt(1, kAccent);
        p.setPen(outline(QColor(0x1d, 0x4a, 0x80), 1.2));
        p.setBrush(g);
        p.drawEllipse(QPointF(16, 16), 14, 14);
        QFont f("DejaVu Sans");
        f.setPixelSize(20);
        f.setBold(true);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRectF(2, 2, 28, 28), Qt::AlignCenter, "?");
        break;
    }
    case ToolPicture::Exit: {
        // An open door with an arrow leaving.
        p.setPen(outline(QColor(0x6b, 0x3d, 0x1c)));
        p.setBrush(QColor(0xf1, 0xe6, 0xd6));
        p.drawRect(QRectF(4, 3, 16, 26));
        QPainterPath door;
        door.moveTo(4, 3);
        door.lineTo(13, 7);
        door.lineTo(13, 31);
        door.lineTo(4, 29);
        door.closeSubpath();
        p.setBrush(QColor(0xa8, 0x62, 0x2c));
        p.drawPath(door);
        drawArrow(p, QPointF(16, 16), QPointF(30, 16), QColor(0xc6, 0x28, 0x28));
        break;
    }
    }
}

class IconOnFirstShow : public QObject {
public:
    IconOnFirstShow(QAbstractButton* button, std::function<QIcon()> make)
        : QObject(button), m_button(button), m_make(std::move(make))
    {
        button->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_button && event->type() == QEvent::Show) {
            m_button->removeEventFilter(this);
            m_button->setIcon(m_make());
            deleteLater();
        }
        return false;
    }

private:
    QAbstractButton* m_button;
    std::function<QIcon()> m_make;
};

} // namespace

QIcon ToolBarIcon(ToolPicture picture)
{
    QIcon icon;
    for (int scale : {1, 2}) {
        QPixmap pixmap(kToolIconSize * scale, kToolIconSize * scale);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(scale, scale);
        paintTool(p, picture);
        p.end();
        pixmap.setDevicePixelRatio(scale);
        icon.addPixmap(pixmap);
    }
    return icon;
}

QIcon PresetListGlyph()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kInk, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(1.5, 0.5, 13, 15));
    p.setPen(QPen(kAccent, 1.4));
    for (int row = 0; row < 4; ++row)
        p.drawLine(QPointF(4, 4 + row * 3), QPointF(12, 4 + row * 3));
    p.end();
    return QIcon(pixmap);
}

QPixmap FrameBackground(const QSize& size)
{
    QPixmap pixmap(size);
    QPainter p(&pixmap);
    QLinearGradient g(0, 0, 0, size.height());
    g.setColorAt(0, QColor(0xf7, 0xf9, 0xfc));
    g.setColorAt(1, QColor(0xdc, 0xe4, 0xee));
    p.fillRect(pixmap.rect(), g);
    p.setPen(QColor(0xc4, 0xcf, 0xdc));
    p.drawLine(0, 0, size.width(), 0);
    return pixmap;
}

QPixmap ProductLogo(const QSize& size)
{
    QPixmap pixmap(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, size.height());
    g.setColorAt(0, QColor(0x35, 0x4a, 0x66));
    g.setColorAt(1, QColor(0x16, 0x20, 0x2e));
    p.fillRect(pixmap.rect(), g);

    // The keypad's face: a display strip and a block of keys.
    const QRectF body(18, 16, size.width() - 36, size.height() - 44);
    p.setPen(QPen(QColor(0x0c, 0x12, 0x1a), 1.5));
    p.setBrush(QColor(0x2a, 0x2f, 0x36));
    p.drawRoundedRect(body, 8, 8);
    const QRectF display(body.left() + 12, body.top() + 10, body.width() - 24, 18);
    p.setBrush(QColor(0x7f, 0xd3, 0x5a));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(display, 3, 3);
    QFont mono("DejaVu Sans Mono");
    mono.setPixelSize(12);
    mono.setBold(true);
    p.setFont(mono);
    p.setPen(QColor(0x1d, 0x3b, 0x12));
    p.drawText(display.adjusted(6, 0, -6, 0), Qt::AlignVCenter | Qt::AlignLeft, "P001 New Name 1");

    const int cols = 5, rows = 2;
    const qreal gap = 6;
    const QRectF keys(display.left(), display.bottom() + 10, display.width(), body.bottom() - display.bottom() - 20);
    const qreal kw = (keys.width() - gap * (cols - 1)) / cols;
    const qreal kh = (keys.height() - gap * (rows - 1)) / rows;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            const QRectF key(keys.left() + c * (kw + gap), keys.top() + r * (kh + gap), kw, kh);
            QLinearGradient kg(key.topLeft(), key.bottomLeft());
            kg.setColorAt(0, QColor(0xee, 0xf1, 0xf5));
            kg.setColorAt(1, QColor(0xb8, 0xc0, 0xcb));
            p.setBrush(kg);
            p.setPen(QPen(QColor(0x10, 0x14, 0x1a), 1));
            p.drawRoundedRect(key, 3, 3);
        }

    QFont title("DejaVu Sans");
    title.setPixelSize(15);
    title.setBold(true);
    title.setLetterSpacing(QFont::AbsoluteSpacing, 3);
    p.setFont(title);
    p.setPen(QColor(0xe8, 0xee, 0xf6));
    p.drawText(QRectF(0, size.height() - 26, size.width(), 22), Qt::AlignCenter, "ZELVANE");
    return pixmap;
}

void SetIconWhenFirstShown(QAbstractButton* button, std::function<QIcon()> make)
{
    new IconOnFirstShow(button, std::move(make));
}

} // namespace zlv
