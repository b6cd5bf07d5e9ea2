#include "ui/shell/ShellIcons.h"

#include <QApplication>
#include <QBuffer>
#include <QFont>
#include <QHash>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>

#include "core/app/ShellCommands.h"

namespace tarvex {
namespace {

constexpr int kSize = 24;

void Page(QPainter& p, QRectF r, QColor fill = Qt::white) {
    QPainterPath path;
    const qreal fold = r.width() * 0.3;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - fold, r.top());
    path.lineTo(r.right(), r.top() + fold);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setPen(QPen(QColor(70, 70, 90), 1));
    p.setBrush(fill);
    p.drawPath(path);
    p.drawLine(QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold));
    p.drawLine(QPointF(r.right() - fold, r.top() + fold), QPointF(r.right(), r.top() + fold));
}

void Glyph(QPainter& p, const QString& text, QRectF r, QColor color, bool bold = true, int px = 13) {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(px);
    f.setBold(bold);
    p.setFont(f);
    p.setPen(color);
    p.drawText(r, Qt::AlignCenter, text);
}

void Lines(QPainter& p, int align) {
    p.setPen(QPen(QColor(30, 30, 30), 2));
    const int widths[] = {18, 12, 18, 10};
    for (int i = 0; i < 4; ++i) {
        const int w = widths[i];
        const int x = align == 0 ? 3 : align == 1 ? (kSize - w) / 2 : kSize - 3 - w;
        p.drawLine(x, 5 + i * 5, x + w, 5 + i * 5);
    }
}

void Triangle(QPainter& p, bool right, qreal x) {
    QPainterPath t;
    if (right) {
        t.moveTo(x, 6);
        t.lineTo(x + 8, 12);
        t.lineTo(x, 18);
    } else {
        t.moveTo(x + 8, 6);
        t.lineTo(x, 12);
        t.lineTo(x + 8, 18);
    }
    t.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 90, 170));
    p.drawPath(t);
}

void Magnifier(QPainter& p, bool plus) {
    p.setPen(QPen(QColor(60, 60, 60), 2));
    p.setBrush(QColor(220, 240, 255));
    p.drawEllipse(QRectF(3, 3, 13, 13));
    p.setPen(QPen(QColor(60, 60, 60), 3));
    p.drawLine(QPointF(14.5, 14.5), QPointF(21, 21));
    p.setPen(QPen(QColor(20, 90, 170), 2));
    p.drawLine(QPointF(6.5, 9.5), QPointF(12.5, 9.5));
    if (plus) p.drawLine(QPointF(9.5, 6.5), QPointF(9.5, 12.5));
}

void Draw(QPainter& p, int command) {
    using namespace cmd;
    switch (command) {
        case kExit:
            p.setPen(QPen(QColor(70, 70, 70), 1));
            p.setBrush(QColor(150, 100, 60));
            p.drawRect(QRectF(5, 2.5, 12, 19));
            p.setBrush(QColor(230, 200, 120));
            p.drawEllipse(QRectF(13, 11, 2.5, 2.5));
            p.setPen(QPen(QColor(190, 30, 30), 2.5));
            p.drawLine(17, 12, 22, 12);
            break;
        case kNew:
            Page(p, QRectF(5, 2.5, 14, 19));
            break;
        case kOpen: {
            p.setPen(QPen(QColor(120, 90, 20), 1));
            p.setBrush(QColor(240, 200, 80));
            p.drawRect(QRectF(2.5, 6.5, 17, 13));
            QPainterPath lid;
            lid.moveTo(5, 10.5);
            lid.lineTo(22, 10.5);
            lid.lineTo(19.5, 19.5);
            lid.lineTo(2.5, 19.5);
            lid.closeSubpath();
            p.setBrush(QColor(250, 225, 130));
            p.drawPath(lid);
            break;
        }
        case kSave:
            p.setPen(QPen(QColor(20, 40, 90), 1));
            p.setBrush(QColor(50, 90, 170));
            p.drawRect(QRectF(3.5, 3.5, 17, 17));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(6.5, 3.5, 11, 7));
            p.setBrush(QColor(200, 200, 200));
            p.drawRect(QRectF(7.5, 14.5, 9, 6));
            break;
        case kCut:
            p.setPen(QPen(QColor(60, 60, 60), 1.5));
            p.drawLine(QPointF(8, 3), QPointF(15, 15));
            p.drawLine(QPointF(16, 3), QPointF(9, 15));
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(QColor(190, 30, 30), 2));
            p.drawEllipse(QRectF(4, 15, 6, 6));
            p.drawEllipse(QRectF(14, 15, 6, 6));
            break;
        case kCopy:
            Page(p, QRectF(3.5, 2.5, 11, 14));
            Page(p, QRectF(9.5, 7.5, 11, 14));
            break;
        case kPaste:
            p.setPen(QPen(QColor(90, 60, 20), 1));
            p.setBrush(QColor(190, 140, 70));
            p.drawRect(QRectF(3.5, 4.5, 14, 17));
            p.setBrush(QColor(200, 200, 200));
            p.drawRect(QRectF(7.5, 2.5, 6, 4));
            Page(p, QRectF(10.5, 9.5, 10, 12));
            break;
        case kInsertDefaults:
            Page(p, QRectF(3.5, 2.5, 17, 19), QColor(255, 255, 220));
            Glyph(p, QStringLiteral("F2"), QRectF(2, 6, 20, 16), QColor(20, 90, 170), true, 10);
            break;
        case kZoomIn:
            Magnifier(p, true);
            break;
        case kZoomOut:
            Magnifier(p, false);
            break;
        case kFontLarger:
            Glyph(p, QStringLiteral("A+"), QRectF(0, 0, kSize, kSize), QColor(30, 30, 30), false, 14);
            break;
        case kFontSmaller:
            Glyph(p, QStringLiteral("A-"), QRectF(0, 0, kSize, kSize), QColor(30, 30, 30), false, 11);
            break;
        case kFontBold:
            Glyph(p, QStringLiteral("F"), QRectF(0, 0, kSize, kSize), QColor(0, 0, 0), true, 17);
            break;
        case kAlignLeft:
            Lines(p, 0);
            break;
        case kAlignCenter:
            Lines(p, 1);
            break;
        case kAlignRight:
            Lines(p, 2);
            break;
        case kDv1Calculate:
            Glyph(p, QString(QChar(0x03A3)), QRectF(0, 0, kSize, kSize), QColor(20, 110, 60), true, 18);
            break;
        case kMargins:
            Page(p, QRectF(4.5, 2.5, 15, 19));
            p.setPen(QPen(QColor(200, 40, 40), 1, Qt::DashLine));
            p.drawRect(QRectF(7.5, 6.5, 9, 12));
            break;
        case kPrint:
            Page(p, QRectF(7.5, 2.5, 10, 9));
            p.setPen(QPen(QColor(60, 60, 60), 1));
            p.setBrush(QColor(170, 170, 180));
            p.drawRect(QRectF(2.5, 10.5, 19, 8));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(6.5, 16.5, 11, 5));
            break;
        case kFirstPage:
            p.fillRect(QRectF(5, 6, 2, 12), QColor(20, 90, 170));
            Triangle(p, false, 9);
            break;
        case kPrevPage:
            Triangle(p, false, 8);
            break;
        case kNextPage:
            Triangle(p, true, 8);
            break;
        case kLastPage:
            Triangle(p, true, 7);
            p.fillRect(QRectF(17, 6, 2, 12), QColor(20, 90, 170));
            break;
        case kAddPage:
            Page(p, QRectF(3.5, 2.5, 13, 17));
            p.setPen(QPen(QColor(20, 130, 40), 2.5));
            p.drawLine(QPointF(18, 13), QPointF(18, 22));
            p.drawLine(QPointF(13.5, 17.5), QPointF(22.5, 17.5));
            break;
        case kAbout:
        case kHelpGeneral:
            p.setPen(Qt::NoPen);
            p.setBrush(command == kAbout ? QColor(20, 90, 170) : QColor(20, 130, 90));
            p.drawEllipse(QRectF(2, 2, 20, 20));
            Glyph(p, command == kAbout ? QStringLiteral("i") : QStringLiteral("?"), QRectF(2, 2, 20, 20),
                  Qt::white, true, 15);
            break;
        default:
            break;
    }
}

}  // namespace

namespace {

// Paints a command's picture when Qt first asks for it, at the size and scale asked for, and keeps
// it: the start of the program does not wait for pictures of buttons nobody has seen yet.
class CommandIconEngine : public QIconEngine {
public:
    explicit CommandIconEngine(int command) : m_command(command) {}
    QIconEngine* clone() const override { return new CommandIconEngine(m_command); }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        const qreal dpr = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        painter->drawPixmap(rect, Picture(rect.size() * dpr, mode, state, dpr));
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Picture(size, mode, state, 1.0);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
        return Picture(size * scale, mode, state, scale);
    }
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = std::min({size.width(), size.height(), kSize});
        return {side, side};
    }

private:
    QPixmap Picture(QSize pixels, QIcon::Mode mode, QIcon::State state, qreal dpr) {
        const QString key =
            QStringLiteral("%1x%2@%3/%4").arg(pixels.width()).arg(pixels.height()).arg(dpr).arg(int(mode));
        if (auto it = m_cache.constFind(key); it != m_cache.constEnd()) return *it;
        QPixmap pixmap(pixels);
        pixmap.fill(Qt::transparent);
        {
            QPainter p(&pixmap);
            p.setRenderHint(QPainter::Antialiasing);
            p.scale(pixels.width() / qreal(kSize), pixels.height() / qreal(kSize));
            Draw(p, m_command);
        }
        pixmap.setDevicePixelRatio(dpr);
        if (mode != QIcon::Normal && mode != QIcon::Active) {
            QStyleOption option;
            option.palette = QApplication::palette();
            pixmap = QApplication::style()->generatedIconPixmap(mode, pixmap, &option);
        }
        m_cache.insert(key, pixmap);
        return pixmap;
    }

    int m_command;
    QHash<QString, QPixmap> m_cache;
};

}  // namespace

QIcon CommandIcon(int command) {
    for (int id : StandardToolbarButtons())
        if (id == command && id != 0) return QIcon(new CommandIconEngine(command));
    return {};
}

QImage DocumentIconImage(int index, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 48.0, size / 48.0);
    const QColor band = index == 2 ? QColor(30, 130, 70) : QColor(30, 80, 160);
    Page(p, QRectF(8.5, 3.5, 31, 41));
    p.fillRect(QRectF(9, 12, 22, 6), band);
    p.setPen(QPen(QColor(150, 150, 160), 1.5));
    for (int y = 23; y <= 39; y += 4) p.drawLine(QPointF(12, y), QPointF(index == 0 ? 28 : 36, y));
    if (index == 0) {
        // The program: a form with a customs stamp.
        p.setPen(QPen(QColor(190, 30, 30), 2.5));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(26, 27, 17, 17));
        p.drawEllipse(QRectF(30.5, 31.5, 8, 8));
    }
    p.end();
    return image;
}

QByteArray DocumentIconPng(int index, int size) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    DocumentIconImage(index, size).save(&buffer, "PNG");
    return bytes;
}

}  // namespace tarvex
