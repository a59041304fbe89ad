#include "app/widgets/program_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace tidewell {
namespace {

QPixmap DrawIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 64.0, size / 64.0);
    // Clock face.
    painter.setPen(QPen(QColor(0x0b, 0x3d, 0x6b), 3));
    painter.setBrush(QColor(0x1f, 0x7a, 0xc4));
    painter.drawEllipse(QRectF(3, 3, 58, 58));
    // Hands at ten past ten.
    painter.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(32, 32), QPointF(32, 13));
    painter.drawLine(QPointF(32, 32), QPointF(45, 25));
    // The tide: a wave across the lower half.
    QPainterPath wave;
    wave.moveTo(4, 42);
    wave.cubicTo(14, 34, 22, 50, 32, 42);
    wave.cubicTo(42, 34, 50, 50, 60, 42);
    wave.lineTo(54, 54);
    wave.cubicTo(44, 62, 20, 62, 10, 54);
    wave.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xe8, 0xf6, 0xff));
    painter.drawPath(wave);
    return pixmap;
}

}  // namespace

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128}) icon.addPixmap(DrawIcon(size));
    return icon;
}

}  // namespace tidewell
