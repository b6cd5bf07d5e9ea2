#pragma once
// Printing an SAD page onto the pre-printed paper form: only the field texts, the registration
// marks and the input-tax cross, at the form positions moved by the margins and scaled by the
// print-size correction, with the printer fonts.

#include <QString>
#include <filesystem>
#include <vector>

#include "render/app/PrintJob.h"
#include "render/sad/SadPageRenderer.h"

class QPagedPaintDevice;
class QPainter;

namespace tarvex {

class CEinheitspapierDoc;
class Profile;
struct CFieldDefinitions;

// The pages of an SAD document for printing: the settings are read once, when the source is
// made (a print reads them anew at its start); the document and definitions must outlive it.
class CSadPrintSource final : public IPrintPageSource {
public:
    CSadPrintSource(const CEinheitspapierDoc& doc, Profile& profile, const CFieldDefinitions& definitions);

    int PageCount() const override;
    int PageKind(int page) const override { return page <= 1 ? 0 : 1; }
    int KindCount() const override { return 2; }
    QString KindName(int kind) const override;
    PrintOrigin Origin(int page) const override;
    QTransform FormToPage(int page) const override;
    QPoint PreprintedFormOffset(int page) const override;
    void DrawForm(QPainter& painter, int page) const override;
    void DrawEntries(QPainter& painter, int page, PrintMode mode) const override;
    void DrawRegistrationMarks(QPainter& painter, int kind, const PrintOrigin& origin) const override;
    QPoint RegistrationCorner(int kind, const PrintOrigin& origin) const override;

    // Where an entry lands in a mode, page units (0.1 mm, y downward): the print rectangle for
    // pre-printed paper, the box of the drawn form with it. field of the sheet of `page`
    // (first-sheet fields 0-2 on a continuation page with firstSheetBox1).
    QRectF EntryRect(int page, int field, PrintMode mode, bool firstSheetBox1 = false) const;
    // Fields of the page whose text does not fit the box it is printed in, in the mode.
    std::vector<int> OverflowingFields(int page, PrintMode mode) const;

private:
    const CEinheitspapierDoc& m_doc;
    const CFieldDefinitions& m_definitions;
    Profile& m_profile;
    PrintOrigin m_origin[2];
    int m_factorV = 1000, m_factorH = 1000;
    int m_taxX = 0, m_taxY = 0;
    FieldFontSet m_printerFonts;
    CSadPageRenderer m_renderer;
    SadRenderOptions m_options;
};

// Paints page `page` (1 = first sheet) with the painter's origin at the top-left corner of the
// printable area; dpi is the device resolution.
void PrintSadPage(QPainter& painter, const CEinheitspapierDoc& doc, int page, Profile& profile,
                  const CFieldDefinitions& definitions, double dpi);

// Fields of the printed sheet whose text does not fit its box with the printer fonts, size
// correction and field definitions the page step uses, in index order.
std::vector<int> SadPrintOverflow(const CEinheitspapierDoc& doc, int page, Profile& profile,
                                  const CFieldDefinitions& definitions);

// One print job on a printer or PDF writer of resolution dpi: the page once per copy, each on a
// sheet of its own. False with a message when the device cannot be started.
bool PrintSadPages(QPagedPaintDevice& device, double dpi, const CEinheitspapierDoc& doc, int page, int copies,
                   Profile& profile, const CFieldDefinitions& definitions, QString& error);

// Writes what the print command prints into a PDF file on A4, the whole page being the printable
// area; text stays text. The file is replaced only when the whole PDF was written (as a document
// is saved); otherwise the old file stays and error says why.
bool PrintSadToPdf(const std::filesystem::path& path, const CEinheitspapierDoc& doc, int page, int copies,
                   Profile& profile, const CFieldDefinitions& definitions, QString& error);
bool PrintSadToPdf(const QString& path, const CEinheitspapierDoc& doc, int page, int copies, Profile& profile,
                   const CFieldDefinitions& definitions, QString& error);

}  // namespace tarvex
