#include "render/dv1/Dv1Printer.h"

#include <QPainter>
#include <algorithm>

#include "core/dv1/Dv1Doc.h"
#include "core/dv1/Dv1Geometry.h"
#include "core/formview/PrintCorrections.h"
#include "core/settings/Profile.h"
#include "core/settings/SettingsKeys.h"
#include "render/dv1/Dv1PageRenderer.h"
#include "render/formview/FieldText.h"

namespace tarvex {
namespace {

// Print coordinates grow upward (y0 - form y); the painter's grow downward.
QPoint Up(int x, int y) {
    return QPoint(x, -y);
}

// A rectangle in print coordinates (y upward) with the print-size correction applied, as a
// painter rectangle that ends at its right and bottom coordinates, as on the printer.
QRect Corrected(Profile& profile, const PrintRect& r) {
    const int factorV = settings::Get(profile, settings::kSettings, settings::kPrnFactorV);
    const int factorH = settings::Get(profile, settings::kSettings, settings::kPrnFactorH);
    const PrintRect c = ApplyPrintSizeCorrection(r, factorV, factorH);
    return QRect(c.left, -c.top, c.right - c.left, c.top - c.bottom);
}

FieldFontSet Dv1PrinterFonts(Profile& profile) {
    return MakePrinterFonts(&profile,
                            settings::Get(profile, settings::kDV1Form, settings::kPrinterFontFactor));
}

int PrintedFieldCount(const CDV1_Doc& doc, int page) {
    const CFieldStore& s = doc.Store();
    const Dv1PageKind kind = Dv1PageKindOf(page);
    return std::min<int>(Dv1FieldCount(kind),
                         kind == Dv1PageKind::Front ? s.GetFieldCount1() : s.GetFieldCount2());
}

}  // namespace

QRect Dv1PrintFieldRect(Profile& profile, int page, int field) {
    const Dv1PageKind kind = Dv1PageKindOf(page);
    const Dv1Rect r = Dv1PrintRect(kind, field);
    if (r.IsEmpty()) return {};
    const Dv1PrintOrigin o = Dv1PrintOriginOf(profile, page);
    return Corrected(profile, {o.x0 + r.left, o.y0 - r.top, o.x0 + r.right, o.y0 - r.bottom});
}

QRect Dv1PrintBoxRect(Profile& profile, int box) {
    const Dv1Rect b = Dv1BoxRectDown(box);
    if (b.IsEmpty()) return {};
    // The box is placed like a field (y0 - top), so that its cross stays in the printed box and
    // follows the fields when the top margin changes.
    const Dv1PrintOrigin o = Dv1PrintOriginOf(profile, 1);
    return Corrected(profile, {o.x0 + b.left, o.y0 - b.top, o.x0 + b.right, o.y0 - b.bottom});
}

void PrintDv1Page(QPainter& painter, const CDV1_Doc& doc, int page, Profile& profile, double dpi) {
    const CFieldStore& store = doc.Store();
    const bool front = Dv1PageKindOf(page) == Dv1PageKind::Front;
    const FieldFontSet fonts = Dv1PrinterFonts(profile);
    const Dv1PrintOrigin o = Dv1PrintOriginOf(profile, page);
    const int storePage = std::max(page, 1);

    painter.save();
    painter.setWorldTransform(CDv1PageRenderer::LogicalToDevice(dpi), true);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setRenderHint(QPainter::Antialiasing, false);

    // Registration marks: the user lays them over the corner marks of the paper form.
    painter.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    const int x0 = o.x0, y0 = o.y0;
    const int mx = front ? 100 : 10, my = front ? 70 : 80;
    painter.drawPolyline(
        QPolygon({Up(x0 + mx, y0 - my - 20), Up(x0 + mx, y0 - my), Up(x0 + mx + 20, y0 - my)}));
    painter.drawLine(Up(x0 + mx, y0 - 2040), Up(x0 + mx, y0 - 2000));

    painter.setPen(Qt::black);
    for (int i = 0; i < PrintedFieldCount(doc, page); ++i) {
        const QRect r = Dv1PrintFieldRect(profile, page, i);
        if (r.isNull()) continue;  // a field without a place on this page is not printed
        DrawFieldText(painter, r, store.GetFieldText(i, storePage), store.GetFieldFlags(i, storePage), fonts,
                      false);
    }

    if (front) {
        painter.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        for (int b = 0; b < kDv1BoxCount && static_cast<size_t>(b) < doc.m_Checks.size(); ++b) {
            if (doc.m_Checks[static_cast<size_t>(b)] == 0) continue;
            const QRect r = Dv1PrintBoxRect(profile, b);
            const QPoint tl = r.topLeft(), br = r.topLeft() + QPoint(r.width(), r.height());
            const QPoint tr(br.x(), tl.y()), bl(tl.x(), br.y());
            painter.drawLine(tl, br);
            painter.drawLine(tr, bl);
        }
    }
    painter.restore();
}

std::vector<int> Dv1PrintOverflow(const CDV1_Doc& doc, int page, Profile& profile) {
    const FieldFontSet fonts = Dv1PrinterFonts(profile);
    const CFieldStore& store = doc.Store();
    const int storePage = std::max(page, 1);
    std::vector<int> fields;
    for (int i = 0; i < PrintedFieldCount(doc, page); ++i) {
        const QRect r = Dv1PrintFieldRect(profile, page, i);
        // Field 52 of the back is a line whose text runs downward by design.
        if (r.isNull() || r.height() == 0) continue;
        if (FieldTextOverflows(r, store.GetFieldText(i, storePage), store.GetFieldFlags(i, storePage), fonts))
            fields.push_back(i);
    }
    return fields;
}

}  // namespace tarvex
