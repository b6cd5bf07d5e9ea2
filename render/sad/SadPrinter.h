#pragma once
// Printing an SAD page onto the pre-printed paper form: only the field texts, the registration
// marks and the input-tax cross, at the form positions moved by the margins and scaled by the
// print-size correction, with the printer fonts.

#include <QString>
#include <filesystem>
#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace tarvex {

class CEinheitspapierDoc;
class Profile;
struct CFieldDefinitions;

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
