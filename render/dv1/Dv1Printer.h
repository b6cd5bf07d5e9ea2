#pragma once
// Printing a D.V.1 page onto the pre-printed paper form: only the field texts, the two
// registration marks and, on the front, the crosses of the ticked yes/no boxes, at the form
// positions moved by the page's margin pair and scaled by the print-size correction, with the
// printer fonts.

#include <QRect>
#include <vector>

class QPainter;

namespace tarvex {

class CDV1_Doc;
class Profile;

// Where a field's text or a box's cross lands on the paper, in painter units of the printed page
// (0.1 mm from the top-left corner of the paper, y downward). Null for a field the page
// does not print.
QRect Dv1PrintFieldRect(Profile& profile, int page, int field);
QRect Dv1PrintBoxRect(Profile& profile, int box);

// Paints page `page` (1 = front) with the painter's origin at the top-left corner of the
// paper; dpi is the device resolution.
void PrintDv1Page(QPainter& painter, const CDV1_Doc& doc, int page, Profile& profile, double dpi);

// Fields of the printed page whose text does not fit its box with the printer fonts and size
// correction, in index order.
std::vector<int> Dv1PrintOverflow(const CDV1_Doc& doc, int page, Profile& profile);

}  // namespace tarvex
