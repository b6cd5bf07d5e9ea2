#include "render/sad/SadPrinter.h"

#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include "core/app/Profile.h"
#include "core/app/SettingsKeys.h"
#include "core/formview/FieldDefinitions.h"
#include "core/formview/PrintCorrections.h"
#include "core/sad/EinheitspapierDoc.h"
#include "core/sad/SadFields.h"
#include "core/sad/SadLayout.h"
#include "render/sad/SadPageRenderer.h"

namespace tarvex {
namespace {

// Print coordinates grow upward (y0 - form y); the painter's grow downward.
QPoint Up(int x, int y) { return QPoint(x, -y); }

FieldFontSet MakePrinterFonts(Profile& profile, int percent) {
    FieldFontSet set;
    for (int s = 0; s < 5; ++s)
        for (int b = 0; b < 2; ++b)
            set.fonts[static_cast<size_t>(s * 2 + b)] =
                ArialCellHeight(PrinterFontHeight(profile, s, b != 0, percent), b ? 700 : 400);
    set.ready = true;
    return set;
}

void PrintField(QPainter& painter, const FieldFontSet& fonts, const SadRect& r, const std::u16string& text,
                uint16_t flags, int factorV, int factorH) {
    if (text.empty()) return;
    const PrintRect c = ApplyPrintSizeCorrection({r.left + 2, r.top, r.right + 2, r.bottom}, factorV, factorH);
    // The rectangle ends at its right and bottom coordinates, as on the printer.
    DrawFieldText(painter, QRect(c.left, -c.top, c.right - c.left, c.top - c.bottom), text, flags, fonts, false);
}

}  // namespace

void PrintSadPage(QPainter& painter, const CEinheitspapierDoc& doc, int page, Profile& profile,
                  const CFieldDefinitions& definitions, double dpi) {
    const CFieldStore& store = doc.Store();
    const bool first = page <= 1;
    const SadSheet sheet = first ? SadSheet::First : SadSheet::Continuation;
    const FieldFontSet fonts = MakePrinterFonts(profile, settings::Get(profile, settings::kEHForm, settings::kPrinterFontFactor));
    const PrintOrigin o = SadPrintOrigin(profile, page);
    const int factorV = settings::Get(profile, settings::kSettings, settings::kPrnFactorV);
    const int factorH = settings::Get(profile, settings::kSettings, settings::kPrnFactorH);
    const int variant = doc.m_nFormVariant;

    painter.save();
    painter.setWorldTransform(CSadPageRenderer::LogicalToDevice(dpi), true);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setRenderHint(QPainter::Antialiasing, false);

    // Registration marks: the user lays them over the corner marks of the paper form.
    painter.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    const int x0 = o.x0, y0 = o.y0;
    if (first) {
        painter.drawPolyline(QPolygon({Up(x0 + 115, y0 - 100), Up(x0 + 115, y0 - 80), Up(x0 + 135, y0 - 80)}));
        painter.drawLine(Up(x0 + 115, y0 - 2050), Up(x0 + 115, y0 - 2010));
    } else {
        painter.drawPolyline(QPolygon({Up(x0 + 180, y0 - 85), Up(x0 + 180, y0 - 65), Up(x0 + 200, y0 - 65)}));
        painter.drawLine(Up(x0 + 180, y0 - 2025), Up(x0 + 180, y0 - 1985));
    }

    painter.setPen(Qt::black);
    if (!first) {
        // Box 1 of the first sheet is repeated on every continuation sheet.
        for (int i = 0; i <= 2; ++i)
            PrintField(painter, fonts, SadPrintRectAt(SadSheet::First, i, x0, y0), store.GetFieldText(i, 1),
                       store.GetFieldFlags(i, 1), factorV, factorH);
    }
    const int count = first ? store.GetFieldCount1() : store.GetFieldCount2();
    const auto& fields = SadFields(sheet);
    for (int i = 0; i < count && i < static_cast<int>(fields.size()); ++i) {
        if (definitions.Get(first ? 1 : 2, i, variant) & kDefNotPrinted) continue;
        if (fields[static_cast<size_t>(i)].print.IsEmpty()) continue;
        PrintField(painter, fonts, SadPrintRectAt(sheet, i, x0, y0), store.GetFieldText(i, page),
                   store.GetFieldFlags(i, page), factorV, factorH);
    }

    if (first && HasInputTaxBox(variant) && doc.m_nInputTax == 1) {
        painter.setPen(QPen(Qt::black, 4, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        const int x = x0 + settings::Get(profile, settings::kEHForm, settings::kHorPosX2EH);
        const int y = y0 + settings::Get(profile, settings::kEHForm, settings::kVertPosX2EH);
        painter.drawLine(Up(x + 215, y - 1495), Up(x + 245, y - 1525));
        painter.drawLine(Up(x + 245, y - 1495), Up(x + 215, y - 1525));
    }
    painter.restore();
}

bool PrintSadPages(QPagedPaintDevice& device, double dpi, const CEinheitspapierDoc& doc, int page, int copies,
                Profile& profile, const CFieldDefinitions& definitions, QString& error) {
    QPainter painter;
    if (!painter.begin(&device)) {
        error = QStringLiteral("Der Druck konnte nicht gestartet werden.");
        return false;
    }
    for (int c = 0; c < copies; ++c) {
        if (c > 0) device.newPage();
        PrintSadPage(painter, doc, page, profile, definitions, dpi);
    }
    painter.end();
    return true;
}

bool PrintSadToPdf(const QString& path, const CEinheitspapierDoc& doc, int page, int copies, Profile& profile,
                   const CFieldDefinitions& definitions, QString& error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    {
        QPdfWriter writer(&file);
        writer.setCreator(QStringLiteral("Tarvex-Import"));
        writer.setResolution(1200);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                                         QPageLayout::Millimeter));
        if (!PrintSadPages(writer, writer.resolution(), doc, page, copies, profile, definitions, error)) {
            file.cancelWriting();
            return false;
        }
    }
    if (!file.commit()) {
        error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

}  // namespace tarvex
