#include "render/sad/SadPrinter.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

#include "core/app/Profile.h"
#include "core/app/SettingsKeys.h"
#include "core/formview/FieldDefinitions.h"
#include "core/formview/PrintCorrections.h"
#include "core/sad/EinheitspapierDoc.h"
#include "core/sad/SadFields.h"
#include "core/sad/SadLayout.h"
#include "core/sad/SadStrings.h"
#include "render/app/OutputFile.h"
#include "render/sad/SadPageRenderer.h"

namespace tarvex {
namespace {

// Print coordinates grow upward (y0 - form y); the painter's grow downward.
QPoint Up(int x, int y) {
    return QPoint(x, -y);
}

struct PrintBox {
    int field;
    int page;  // the store page the text comes from
    QRect rect;
};

// Every field text the page step prints, with its rectangle in painter units (0.1 mm, y
// downward): the print rectangle moved to the sheet's origin and scaled by the size correction.
std::vector<PrintBox> PrintBoxes(const CEinheitspapierDoc& doc, int page, Profile& profile,
                                 const CFieldDefinitions& definitions) {
    const CFieldStore& store = doc.Store();
    const bool first = page <= 1;
    const SadSheet sheet = first ? SadSheet::First : SadSheet::Continuation;
    const PrintOrigin o = SadPrintOrigin(profile, page);
    const int factorV = settings::Get(profile, settings::kSettings, settings::kPrnFactorV);
    const int factorH = settings::Get(profile, settings::kSettings, settings::kPrnFactorH);
    std::vector<PrintBox> boxes;
    auto add = [&](SadSheet s, int i, int fromPage) {
        const SadRect r = SadPrintRectAt(s, i, o.x0, o.y0);
        const PrintRect c =
            ApplyPrintSizeCorrection({r.left + 2, r.top, r.right + 2, r.bottom}, factorV, factorH);
        // The rectangle ends at its right and bottom coordinates, as on the printer.
        boxes.push_back({i, fromPage, QRect(c.left, -c.top, c.right - c.left, c.top - c.bottom)});
    };
    // Box 1 of the first sheet is repeated on every continuation sheet.
    if (!first)
        for (int i = 0; i <= 2; ++i) add(SadSheet::First, i, 1);
    const int count = first ? store.GetFieldCount1() : store.GetFieldCount2();
    const auto& fields = SadFields(sheet);
    for (int i = 0; i < count && i < static_cast<int>(fields.size()); ++i) {
        if (definitions.Get(first ? 1 : 2, i, doc.m_nFormVariant) & kDefNotPrinted) continue;
        if (fields[static_cast<size_t>(i)].print.IsEmpty()) continue;
        add(sheet, i, page);
    }
    return boxes;
}

FieldFontSet SadPrinterFonts(Profile& profile) {
    return MakePrinterFonts(&profile,
                            settings::Get(profile, settings::kEHForm, settings::kPrinterFontFactor));
}

}  // namespace

void PrintSadPage(QPainter& painter, const CEinheitspapierDoc& doc, int page, Profile& profile,
                  const CFieldDefinitions& definitions, double dpi) {
    const CFieldStore& store = doc.Store();
    const bool first = page <= 1;
    const FieldFontSet fonts = SadPrinterFonts(profile);
    const PrintOrigin o = SadPrintOrigin(profile, page);
    const int variant = doc.m_nFormVariant;

    painter.save();
    painter.setWorldTransform(CSadPageRenderer::LogicalToDevice(dpi), true);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setRenderHint(QPainter::Antialiasing, false);

    // Registration marks: the user lays them over the corner marks of the paper form.
    painter.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    const int x0 = o.x0, y0 = o.y0;
    if (first) {
        painter.drawPolyline(
            QPolygon({Up(x0 + 115, y0 - 100), Up(x0 + 115, y0 - 80), Up(x0 + 135, y0 - 80)}));
        painter.drawLine(Up(x0 + 115, y0 - 2050), Up(x0 + 115, y0 - 2010));
    } else {
        painter.drawPolyline(QPolygon({Up(x0 + 180, y0 - 85), Up(x0 + 180, y0 - 65), Up(x0 + 200, y0 - 65)}));
        painter.drawLine(Up(x0 + 180, y0 - 2025), Up(x0 + 180, y0 - 1985));
    }

    painter.setPen(Qt::black);
    for (const PrintBox& b : PrintBoxes(doc, page, profile, definitions))
        DrawFieldText(painter, b.rect, store.GetFieldText(b.field, b.page),
                      store.GetFieldFlags(b.field, b.page), fonts, false);

    if (first && HasInputTaxBox(variant) && doc.m_nInputTax == 1) {
        painter.setPen(QPen(Qt::black, 4, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        const int x = x0 + settings::Get(profile, settings::kEHForm, settings::kHorPosX2EH);
        const int y = y0 + settings::Get(profile, settings::kEHForm, settings::kVertPosX2EH);
        painter.drawLine(Up(x + 215, y - 1495), Up(x + 245, y - 1525));
        painter.drawLine(Up(x + 245, y - 1495), Up(x + 215, y - 1525));
    }
    painter.restore();
}

std::vector<int> SadPrintOverflow(const CEinheitspapierDoc& doc, int page, Profile& profile,
                                  const CFieldDefinitions& definitions) {
    const FieldFontSet fonts = SadPrinterFonts(profile);
    const CFieldStore& store = doc.Store();
    std::vector<int> fields;
    for (const PrintBox& b : PrintBoxes(doc, page, profile, definitions)) {
        if (b.page != page && page > 1) continue;  // box 1 belongs to the first sheet
        if (FieldTextOverflows(b.rect, store.GetFieldText(b.field, b.page),
                               store.GetFieldFlags(b.field, b.page), fonts))
            fields.push_back(b.field);
    }
    return fields;
}

bool PrintSadPages(QPagedPaintDevice& device, double dpi, const CEinheitspapierDoc& doc, int page, int copies,
                   Profile& profile, const CFieldDefinitions& definitions, QString& error) {
    QPainter painter;
    if (!painter.begin(&device)) {
        error = QString::fromUtf16(sadstr::kPrintNotStarted);
        return false;
    }
    bool ok = true;
    for (int c = 0; c < copies && ok; ++c) {
        if (c > 0) ok = device.newPage();
        if (ok) PrintSadPage(painter, doc, page, profile, definitions, dpi);
    }
    // The end writes out the rest of the job (a PDF's whole page stream): its failure is the job's.
    if (!painter.end() || !ok) {
        error = QString::fromUtf16(sadstr::kPrintNotFinished);
        return false;
    }
    return true;
}

bool PrintSadToPdf(const std::filesystem::path& path, const CEinheitspapierDoc& doc, int page, int copies,
                   Profile& profile, const CFieldDefinitions& definitions, QString& error) {
    // The PDF is made in memory (a few pages of text) and then saved as a document is saved: a
    // full disk or a failed job leaves the old file as it was.
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("Tarvex-Import"));
        writer.setResolution(1200);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
        if (!PrintSadPages(writer, writer.resolution(), doc, page, copies, profile, definitions, error))
            return false;
    }
    return WriteOutputFile(path, bytes, error);
}

bool PrintSadToPdf(const QString& path, const CEinheitspapierDoc& doc, int page, int copies, Profile& profile,
                   const CFieldDefinitions& definitions, QString& error) {
    return PrintSadToPdf(NativePath(path), doc, page, copies, profile, definitions, error);
}

}  // namespace tarvex
