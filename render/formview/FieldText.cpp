#include "render/formview/FieldText.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <functional>

#include "core/app/SettingsKeys.h"
#include "core/formview/FieldStore.h"
#include "core/formview/PrintCorrections.h"

namespace tarvex {

QFont ArialCellHeight(int cellHeight, int weight) {
    QFont f(QStringLiteral("Arial"));
    f.setStyleHint(QFont::SansSerif);
    // Windows sizes a font by its cell height (ascent + descent); Arial's em is 2048/2288 of it.
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(cellHeight * 2048.0 / 2288.0))));
    f.setWeight(static_cast<QFont::Weight>(weight));
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

const QFont* FieldFontSet::Get(uint16_t flags) const {
    const int size = flags & kFlagSizeMask;
    if (!ready || size > 4) return nullptr;
    return &fonts[static_cast<size_t>(size * 2 + ((flags & kFlagBold) ? 1 : 0))];
}

namespace {

FieldFontSet MakeFontSet(const std::function<int(int size, bool bold)>& height) {
    FieldFontSet set;
    for (int s = 0; s < 5; ++s)
        for (int b = 0; b < 2; ++b)
            set.fonts[static_cast<size_t>(s * 2 + b)] = ArialCellHeight(height(s, b != 0), b ? 700 : 400);
    set.ready = true;
    return set;
}

QString DrawnText(const std::u16string& text) {
    QString s = QString::fromStdU16String(text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.remove(QLatin1Char('\r'));
    return s;
}

// The rectangle the text is laid out in and the alignment flags, as the edit control does it.
QRect TextRect(const QRect& rect, uint16_t flags, int& align, bool singleLine) {
    QRect r = rect;
    align = Qt::AlignTop | Qt::TextDontClip | (singleLine ? Qt::TextSingleLine : Qt::TextWordWrap);
    switch (flags & kFlagAlignMask) {
        case kAlignLeft:
            r.setLeft(r.left() + 10);
            align |= Qt::AlignLeft;
            break;
        case kAlignCentre:
            align |= Qt::AlignHCenter;
            break;
        case kAlignRight:
            r.setRight(r.right() - 12);
            align |= Qt::AlignRight;
            break;
        default:
            align |= Qt::AlignLeft;
            break;
    }
    return r;
}

}  // namespace

FieldFontSet MakeDrawingFonts(Profile* profile, int zoom) {
    return MakeFontSet(
        [&](int s, bool b) { return ScreenFontHeight(profile, settings::kDFont, s, b, zoom); });
}

FieldFontSet MakePrinterFonts(Profile* profile, int percent) {
    return MakeFontSet([&](int s, bool b) { return PrinterFontHeight(profile, s, b, percent); });
}

bool DrawFieldText(QPainter& painter, const QRect& rect, const std::u16string& text, uint16_t flags,
                   const FieldFontSet& fonts, bool singleLine) {
    if (!fonts.ready) return false;
    if (text.empty()) return true;
    if (const QFont* f = fonts.Get(flags)) painter.setFont(*f);
    int align = 0;
    const QRect r = TextRect(rect, flags, align, singleLine);
    painter.drawText(r, align, DrawnText(text));
    return true;
}

bool FieldTextOverflows(const QRect& rect, const std::u16string& text, uint16_t flags,
                        const FieldFontSet& fonts) {
    if (text.empty() || !fonts.ready) return false;
    const QFont* f = fonts.Get(flags);
    if (!f) return false;
    int align = 0;
    const QRect r = TextRect(rect, flags, align, false);
    // Laid out from the origin with unlimited height: what sticks out to the right is a word
    // that cannot be broken, what goes below is a line too many.
    const QRectF used = QFontMetricsF(*f).boundingRect(QRectF(0, 0, r.width(), 1e6),
                                                       align & ~Qt::AlignHorizontal_Mask, DrawnText(text));
    constexpr double kSlack = 0.5;  // rounding of the layout
    return used.right() > r.width() + kSlack || used.left() < -kSlack ||
           used.bottom() > rect.height() + kSlack;
}

}  // namespace tarvex
