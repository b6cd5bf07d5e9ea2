#pragma once
// What every form's printing shares: a page source (the pages of one document, what is drawn on
// them and where the sheet of each page lies), the composition of a printed page in both print
// modes, print jobs over a range of pages (printer, preview or PDF) and the calibration sheet.
// A form plugs in by implementing IPrintPageSource; nothing of a form's geometry lives here.

#include <QPoint>
#include <QString>
#include <QTransform>
#include <filesystem>
#include <functional>
#include <vector>

#include "core/formview/PrintCorrections.h"
#include "core/formview/PrintMode.h"

class QPagedPaintDevice;
class QPainter;

namespace tarvex {

class Profile;

// Page units are 0.1 mm, y downward, origin at the top-left corner of the paper. Form
// units are the form's own table units (0.1 mm, y downward from the form's top-left corner).
class IPrintPageSource {
public:
    virtual ~IPrintPageSource() = default;

    virtual int PageCount() const = 0;
    // The kind of sheet a page is printed on, 0-based: the page of the margin sheet that holds its
    // margins (SAD: 0 first sheet, 1 continuation; D.V.1: 0 to 3).
    virtual int PageKind(int page) const = 0;
    virtual int KindCount() const = 0;
    virtual QString KindName(int kind) const = 0;

    // The sheet origin of a page (margins applied, y upward as the print tables count).
    virtual PrintOrigin Origin(int page) const = 0;
    // Form units to page units for a page: the sheet origin and the print-size correction.
    virtual QTransform FormToPage(int page) const = 0;

    // Where the pre-printed paper form lies against the form picture when the print tables place
    // the entries, in form units: the faint picture under pre-printed entries is moved by it.
    virtual QPoint PreprintedFormOffset(int /*page*/) const { return {}; }
    // The form picture of a page in the form's colours; the painter is in form units.
    virtual void DrawForm(QPainter& painter, int page) const = 0;
    // What the printer puts on a page in a mode; the painter is in page units. With the form the
    // entries sit in the form picture's boxes (FormToPage); on pre-printed paper at the print
    // positions, with the registration marks.
    virtual void DrawEntries(QPainter& painter, int page, PrintMode mode) const = 0;
    // The registration marks of a sheet kind at an origin; the painter is in page units.
    virtual void DrawRegistrationMarks(QPainter& painter, int kind, const PrintOrigin& origin) const = 0;
    // The corner of a kind's upper registration mark at an origin, page units.
    virtual QPoint RegistrationCorner(int kind, const PrintOrigin& origin) const = 0;
};

// Sheet origin and size correction (factors in 0.1 %) as one transform from form to page units:
// a form point (x, y) goes to ((x0 + x) * h, (y - y0) * v), as the print tables place it.
QTransform FormToPageTransform(const PrintOrigin& origin, int factorV, int factorH);
// The same from the profile's "PrnFactorV" and "PrnFactorH".
QTransform FormToPageTransform(const PrintOrigin& origin, Profile& profile);

// Paints one page as the printer gets it; the painter's origin is the top-left corner of the
// paper, dpi the device resolution. faintForm lays the form picture faintly under the
// entries of a page for pre-printed paper (the preview shows where each text lands).
void PaintPrintPage(QPainter& painter, double dpi, const IPrintPageSource& source, int page, PrintMode mode,
                    bool faintForm = false);

struct PrintJobOptions {
    int first = 1, last = 1;  // page range, 1-based, inclusive
    int copies = 1;           // the whole range once per copy
    PrintMode mode = PrintMode::Preprinted;
    bool faintForm = false;
};

// Told after every printed sheet (done of total); returning false cancels the job.
using PrintProgress = std::function<bool(int done, int total)>;

enum class PrintOutcome { Done, Cancelled, Failed };

// One job on a printer, a preview or a PDF writer: pages first..last, once per copy, rendered one
// at a time. A range outside the document or copies below 1 fail with a message.
PrintOutcome RunPrintJob(QPagedPaintDevice& device, double dpi, const IPrintPageSource& source,
                         const PrintJobOptions& options, QString& error, const PrintProgress& progress = {});

// The job into a PDF file on A4 whose whole page is the paper. The file is replaced
// only when the job is complete; a cancelled or failed job leaves the old file as it was.
PrintOutcome PrintJobToPdf(const std::filesystem::path& path, const IPrintPageSource& source,
                           const PrintJobOptions& options, QString& error,
                           const PrintProgress& progress = {});

// The calibration sheet of a form: one page per sheet kind with its registration marks at the
// origins given (the margins being set), millimetre rulers along the top and left edges of the
// paper, and scales through the corner of each mark to read the offset from.
class CCalibrationSource final : public IPrintPageSource {
public:
    // origins: one per sheet kind of the form.
    CCalibrationSource(const IPrintPageSource& form, std::vector<PrintOrigin> origins);
    int PageCount() const override { return m_form.KindCount(); }
    int PageKind(int page) const override { return page - 1; }
    int KindCount() const override { return m_form.KindCount(); }
    QString KindName(int kind) const override { return m_form.KindName(kind); }
    PrintOrigin Origin(int page) const override;
    QTransform FormToPage(int page) const override;
    void DrawForm(QPainter& painter, int page) const override;
    void DrawEntries(QPainter& painter, int page, PrintMode mode) const override;
    void DrawRegistrationMarks(QPainter& painter, int kind, const PrintOrigin& origin) const override;
    QPoint RegistrationCorner(int kind, const PrintOrigin& origin) const override;

    static constexpr int kRulerStart = 400;    // the edge rulers run from 40 mm
    static constexpr int kRulerLength = 2000;  // to 200 mm along the top
    static constexpr int kScaleReach = 60;     // the scales at a mark reach 6 mm either way

private:
    const IPrintPageSource& m_form;
    std::vector<PrintOrigin> m_origins;
};

}  // namespace tarvex
