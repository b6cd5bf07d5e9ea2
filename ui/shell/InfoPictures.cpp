#include "ui/shell/InfoPictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "core/common/ShellStrings.h"
#include "ui/common/QtText.h"

namespace tarvex {
namespace {

const QColor kInk(24, 52, 112);          // dark blue of the name and the band
const QColor kFormGreen(222, 240, 226);  // the tint of the paper form
const QColor kRuling(70, 120, 90);
const QColor kStampInk(176, 32, 40);

// A sheet of the SAD: tinted paper, the ruled boxes of its upper half, box numbers, a few
// typed lines and a round customs stamp over the lower right.
void DrawFormSheet(QPainter& p, const QRectF& r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    // Shadow, then the sheet with a folded corner.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 40));
    p.drawRect(r.translated(4, 5));
    const qreal fold = r.width() * 0.12;
    QPainterPath sheet;
    sheet.moveTo(r.topLeft());
    sheet.lineTo(r.right() - fold, r.top());
    sheet.lineTo(r.right(), r.top() + fold);
    sheet.lineTo(r.bottomRight());
    sheet.lineTo(r.bottomLeft());
    sheet.closeSubpath();
    p.setBrush(kFormGreen);
    p.setPen(QPen(kRuling, 1.2));
    p.drawPath(sheet);
    QPainterPath corner;
    corner.moveTo(r.right() - fold, r.top());
    corner.lineTo(r.right() - fold, r.top() + fold);
    corner.lineTo(r.right(), r.top() + fold);
    corner.closeSubpath();
    p.setBrush(QColor(200, 224, 206));
    p.drawPath(corner);

    // Header band and the grid of boxes.
    const qreal m = r.width() * 0.06;
    const QRectF inner = r.adjusted(m, fold + m * 0.5, -m, -m);
    const qreal row = inner.height() / 11.0;
    p.setPen(QPen(kRuling, 0.9));
    p.setBrush(Qt::NoBrush);
    p.fillRect(QRectF(inner.left(), inner.top(), inner.width(), row), QColor(190, 220, 198));
    p.drawRect(inner);
    const qreal splits[11][3] = {{0.62, -1, -1}, {0.5, -1, -1},     {0.5, 0.75, -1}, {0.33, 0.66, -1},
                                 {0.5, -1, -1},  {0.25, 0.5, 0.75}, {0.6, -1, -1},   {0.4, 0.7, -1},
                                 {-1, -1, -1},   {0.55, -1, -1},    {-1, -1, -1}};
    for (int i = 0; i < 11; ++i) {
        const qreal y = inner.top() + row * i;
        if (i) p.drawLine(QPointF(inner.left(), y), QPointF(inner.right(), y));
        for (qreal s : splits[i])
            if (s > 0) {
                const qreal x = inner.left() + inner.width() * s;
                p.drawLine(QPointF(x, y), QPointF(x, y + row));
            }
    }
    // Box numbers and typed text.
    QFont small(QStringLiteral("Arial"));
    small.setPixelSize(std::max(5, int(row * 0.32)));
    p.setFont(small);
    p.setPen(kRuling);
    int number = 1;
    for (int i = 1; i < 11; ++i) {
        const qreal y = inner.top() + row * i;
        p.drawText(QPointF(inner.left() + 2, y + small.pixelSize() + 1), QString::number(number));
        number += 3;
    }
    p.setPen(QPen(QColor(30, 60, 170), std::max(1.0, row * 0.1)));
    for (int i = 1; i < 10; ++i) {
        const qreal y = inner.top() + row * i + row * 0.68;
        const qreal len = inner.width() * (0.25 + 0.05 * ((i * 7) % 5));
        p.drawLine(QPointF(inner.left() + inner.width() * 0.1, y),
                   QPointF(inner.left() + inner.width() * 0.1 + len, y));
    }
    // Header title.
    QFont head(QStringLiteral("Arial"));
    head.setPixelSize(std::max(6, int(row * 0.5)));
    head.setBold(true);
    p.setFont(head);
    p.setPen(kInk);
    p.drawText(QRectF(inner.left() + 3, inner.top(), inner.width() * 0.6, row),
               Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("EINHEITSPAPIER"));

    // The stamp: two rings, a star and the word "ZOLL".
    const qreal d = r.width() * 0.42;
    const QPointF c(r.right() - d * 0.45, r.bottom() - d * 0.55);
    p.translate(c);
    p.rotate(-14);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(kStampInk.red(), kStampInk.green(), kStampInk.blue(), 210), d * 0.045));
    p.drawEllipse(QPointF(0, 0), d / 2, d / 2);
    p.setPen(QPen(QColor(kStampInk.red(), kStampInk.green(), kStampInk.blue(), 210), d * 0.025));
    p.drawEllipse(QPointF(0, 0), d * 0.38, d * 0.38);
    QFont stamp(QStringLiteral("Arial"));
    stamp.setPixelSize(std::max(6, int(d * 0.2)));
    stamp.setBold(true);
    p.setFont(stamp);
    p.drawText(QRectF(-d / 2, -d * 0.2, d, d * 0.4), Qt::AlignCenter, QStringLiteral("ZOLL"));
    p.restore();
}

}  // namespace

QImage SplashPicture() {
    QImage img(500, 330, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient bg(0, 0, 0, 330);
    bg.setColorAt(0, QColor(250, 252, 255));
    bg.setColorAt(1, QColor(214, 228, 246));
    p.fillRect(img.rect(), bg);
    p.setPen(QPen(kInk, 2));
    p.drawRect(QRectF(1, 1, 498, 328));

    DrawFormSheet(p, QRectF(34, 44, 168, 236));

    // The name over the version band.
    QFont name(QStringLiteral("Arial"));
    name.setPixelSize(36);
    name.setBold(true);
    p.setFont(name);
    p.setPen(kInk);
    p.drawText(QRectF(226, 78, 270, 50), Qt::AlignCenter, Str(shellstr::kAppTitle));
    QFont sub(QStringLiteral("Arial"));
    sub.setPixelSize(15);
    p.setFont(sub);
    p.setPen(QColor(60, 80, 120));
    p.drawText(QRectF(226, 128, 270, 22), Qt::AlignCenter, QStringLiteral("Einheitspapier  ·  D.V.1"));
    // Band for the white version text (its top edge at y 175).
    QLinearGradient band(0, 166, 0, 200);
    band.setColorAt(0, QColor(40, 76, 150));
    band.setColorAt(1, kInk);
    p.setPen(Qt::NoPen);
    p.setBrush(band);
    p.drawRoundedRect(QRectF(246, 166, 230, 32), 6, 6);
    // A thin rule over the address line at the bottom.
    p.setPen(QPen(QColor(150, 170, 200), 1));
    p.drawLine(QPointF(40, 302), QPointF(460, 302));
    p.end();
    return img;
}

QImage AboutPicture() {
    QImage img(132, 176, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    DrawFormSheet(p, QRectF(6, 6, 118, 160));
    p.end();
    return img;
}

}  // namespace tarvex
