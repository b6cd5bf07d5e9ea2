#include "render/app/PrintJob.h"

#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <string>

#include "core/formview/FormViewStrings.h"
#include "core/sad/SadStrings.h"
#include "core/settings/SettingsKeys.h"
#include "render/app/OutputFile.h"

namespace tarvex {
namespace {

// Page units (0.1 mm) to device pixels.
QTransform PageToDevice(double dpi) {
    const double s = dpi / 254.0;
    return QTransform::fromScale(s, s);
}

// Tenths of a millimetre as "2,5" or "-1": the decimal comma, independent of any locale.
QString Millimetres(int tenths) {
    const int a = tenths < 0 ? -tenths : tenths;
    QString s = QString::number(a / 10);
    if (a % 10) s += QLatin1Char(',') + QString::number(a % 10);
    return tenths < 0 ? QLatin1Char('-') + s : s;
}

QFont LabelFont(int cellHeight) {
    QFont f(QStringLiteral("Arial"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(cellHeight);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

// A millimetre scale from `from` to `to` (page units along the axis) at a fixed other
// coordinate; ticks point to the side `dir` (+1 down / right, -1 up / left). 0 lies at `zero`.
void DrawScale(QPainter& p, bool horizontal, int zero, int across, int from, int to, int dir,
               int labelEvery) {
    p.setFont(LabelFont(22));
    const QFontMetrics fm(p.font());
    for (int v = from; v <= to; v += 10) {
        const int mm = (v - zero) / 10;
        const int len = mm % 10 == 0 ? 50 : mm % 5 == 0 ? 35 : 20;
        if (horizontal)
            p.drawLine(QPoint(v, across), QPoint(v, across + dir * len));
        else
            p.drawLine(QPoint(across, v), QPoint(across + dir * len, v));
        if (mm % labelEvery != 0) continue;
        const QString label = QString::number(mm);
        const int w = fm.horizontalAdvance(label);
        QPoint at;
        if (horizontal) {
            const int y = dir > 0 ? across + 55 + fm.ascent() : across - 55 - fm.descent();
            at = QPoint(v - w / 2, y);
        } else {
            const int x = dir > 0 ? across + 55 : across - 55 - w;
            at = QPoint(x, v + fm.ascent() / 2 - 2);
        }
        // A label that would run over the edge of the paper is left out, not cut.
        if (at.x() < 0 || at.y() - fm.ascent() < 0) continue;
        p.drawText(at, label);
    }
}

}  // namespace

QTransform FormToPageTransform(const PrintOrigin& origin, int factorV, int factorH) {
    QTransform t;
    t.scale(factorH / 1000.0, factorV / 1000.0);
    t.translate(origin.x0, -origin.y0);
    return t;
}

QTransform FormToPageTransform(const PrintOrigin& origin, Profile& profile) {
    return FormToPageTransform(origin, settings::Get(profile, settings::kSettings, settings::kPrnFactorV),
                               settings::Get(profile, settings::kSettings, settings::kPrnFactorH));
}

void PaintPrintPage(QPainter& painter, double dpi, const IPrintPageSource& source, int page, PrintMode mode,
                    bool faintForm) {
    painter.save();
    painter.setWorldTransform(PageToDevice(dpi), true);
    painter.setBackgroundMode(Qt::TransparentMode);
    if (mode == PrintMode::WithForm || faintForm) {
        painter.save();
        // Only a hint of the paper form under the entries that go onto it.
        painter.setWorldTransform(source.FormToPage(page), true);
        if (mode == PrintMode::Preprinted) {
            painter.setOpacity(0.3);
            painter.translate(source.PreprintedFormOffset(page));
        }
        source.DrawForm(painter, page);
        painter.restore();
    }
    source.DrawEntries(painter, page, mode);
    painter.restore();
}

PrintOutcome RunPrintJob(QPagedPaintDevice& device, double dpi, const IPrintPageSource& source,
                         const PrintJobOptions& o, QString& error, const PrintProgress& progress) {
    if (o.first < 1 || o.last < o.first || o.last > source.PageCount()) {
        error = QString::fromUtf16(formviewstr::kRangeInvalid).arg(o.first).arg(o.last);
        return PrintOutcome::Failed;
    }
    if (o.copies < 1) {
        error = QString::fromUtf16(formviewstr::kCopiesInvalid);
        return PrintOutcome::Failed;
    }
    QPainter painter;
    if (!painter.begin(&device)) {
        error = QString::fromUtf16(sadstr::kPrintNotStarted);
        return PrintOutcome::Failed;
    }
    const int pages = o.last - o.first + 1;
    const int total = pages * o.copies;
    bool ok = true, cancelled = false;
    int done = 0;
    // Collated: the whole range once per copy. Each page is drawn and handed on before the next,
    // so a long document needs no more memory than one page.
    for (int c = 0; c < o.copies && ok && !cancelled; ++c) {
        for (int page = o.first; page <= o.last && ok; ++page) {
            if (done > 0) ok = device.newPage();
            if (!ok) break;
            PaintPrintPage(painter, dpi, source, page, o.mode, o.faintForm);
            ++done;
            if (progress && !progress(done, total)) {
                cancelled = true;
                break;
            }
        }
    }
    // The end writes out the rest of the job (a PDF's last page): its failure is the job's.
    const bool ended = painter.end();
    if (cancelled) {
        error = QString::fromUtf16(formviewstr::kPrintCancelled);
        return PrintOutcome::Cancelled;
    }
    if (!ended || !ok) {
        error = QString::fromUtf16(sadstr::kPrintNotFinished);
        return PrintOutcome::Failed;
    }
    return PrintOutcome::Done;
}

PrintOutcome PrintJobToPdf(const std::filesystem::path& path, const IPrintPageSource& source,
                           const PrintJobOptions& options, QString& error, const PrintProgress& progress) {
    // The PDF goes page by page into a temporary file beside the target and is saved as a
    // document is saved: a full disk, a failed or a cancelled job leaves the old file as it was.
    COutputFileDevice out(path);
    if (!out.Start(error)) return PrintOutcome::Failed;
    {
        QPdfWriter writer(&out);
        writer.setCreator(QStringLiteral("Tarvex-Import"));
        writer.setResolution(1200);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
        const PrintOutcome outcome =
            RunPrintJob(writer, writer.resolution(), source, options, error, progress);
        if (outcome != PrintOutcome::Done) {
            out.Abandon();
            return outcome;
        }
    }
    return out.Commit(error) ? PrintOutcome::Done : PrintOutcome::Failed;
}

CCalibrationSource::CCalibrationSource(const IPrintPageSource& form, std::vector<PrintOrigin> origins)
    : m_form(form), m_origins(std::move(origins)) {
    m_origins.resize(static_cast<size_t>(std::max(0, m_form.KindCount())));
}

PrintOrigin CCalibrationSource::Origin(int page) const {
    const int kind = page - 1;
    return kind >= 0 && kind < static_cast<int>(m_origins.size()) ? m_origins[static_cast<size_t>(kind)]
                                                                  : PrintOrigin{};
}

QTransform CCalibrationSource::FormToPage(int page) const {
    // The sheet has no form picture; its marks stand at the origin unscaled, as printed marks do.
    const PrintOrigin o = Origin(page);
    return QTransform::fromTranslate(o.x0, -o.y0);
}

void CCalibrationSource::DrawForm(QPainter&, int) const {
    // The calibration sheet is laid on the paper form; it has no form picture of its own.
}

void CCalibrationSource::DrawRegistrationMarks(QPainter& painter, int kind, const PrintOrigin& origin) const {
    m_form.DrawRegistrationMarks(painter, kind, origin);
}

QPoint CCalibrationSource::RegistrationCorner(int kind, const PrintOrigin& origin) const {
    return m_form.RegistrationCorner(kind, origin);
}

void CCalibrationSource::DrawEntries(QPainter& p, int page, PrintMode) const {
    const int kind = page - 1;
    const PrintOrigin o = Origin(page);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::FlatCap));
    // Rulers along the top and the left edge of the paper, 0 at its corner; they start 40 mm
    // in, clear of the registration marks near the corner.
    DrawScale(p, true, 0, 0, kRulerStart, kRulerLength, +1, 10);
    DrawScale(p, false, 0, 0, kRulerStart, 2800, +1, 10);
    m_form.DrawRegistrationMarks(p, kind, o);
    // Scales at the corner of the mark: where the paper form's own mark falls on them is the
    // shift to enter in the margin sheet. The horizontal one lies below the corner, the vertical
    // one to the right of the mark's arm.
    const QPoint c = m_form.RegistrationCorner(kind, o);
    // Near the edge of the paper (a mark close to the paper's edge, as on the D.V.1's
    // back pages, or a large negative margin) a scale ends at the last whole millimetre on the
    // paper instead of running off it.
    auto onPage = [](int zero) { return std::max(zero - kScaleReach, ((zero % 10) + 10) % 10); };
    DrawScale(p, true, c.x(), c.y() + 40, onPage(c.x()), c.x() + kScaleReach, +1, 5);
    const int vx = c.x() + kScaleReach + 40;
    DrawScale(p, false, c.y(), vx, onPage(c.y()), c.y() + kScaleReach, +1, 5);
    p.setPen(QPen(Qt::black, 1, Qt::DotLine, Qt::FlatCap));
    p.drawLine(QPoint(c.x() + 30, c.y()), QPoint(vx, c.y()));

    // What the sheet is and how to read it, clear of the rulers and the marks.
    const int left = 450, top = 1000;
    p.setFont(LabelFont(50));
    p.drawText(QPoint(left, top), QString::fromUtf16(formviewstr::kCalibrationTitle).arg(KindName(kind)));
    p.setFont(LabelFont(32));
    const int shiftX = o.x0 - 30, shiftY = 10 - o.y0;
    p.drawText(QRect(left, top + 40, 1400, 200), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop,
               QString::fromUtf16(formviewstr::kCalibrationHint));
    p.drawText(
        QPoint(left, top + 260),
        QString::fromUtf16(formviewstr::kCalibrationMargins).arg(Millimetres(shiftX), Millimetres(shiftY)));
    p.drawText(QPoint(left, top + 320), QString::fromUtf16(formviewstr::kCalibrationRuler));
    p.restore();
}

}  // namespace tarvex
