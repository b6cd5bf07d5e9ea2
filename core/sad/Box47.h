#pragma once
// Box 47 arithmetic: amounts with a decimal comma and two decimals, the totals of a goods
// item's duty table and of a sheet's summary, and the check of the method of payment.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvex {

class CFieldStore;

// A goods item's table: 7 rows of type, base, rate, amount, method, then the total (36 values).
inline constexpr int kFeld47Rows = 7;
inline constexpr int kFeld47Columns = 5;
inline constexpr int kFeld47AmountColumn = 3;
inline constexpr int kFeld47MethodColumn = 4;
// A sheet's summary: 7 rows of type, amount, method, then the grand total (22 values).
inline constexpr int kFeld47SummeColumns = 3;
inline constexpr int kFeld47SummeAmountColumn = 1;
inline constexpr int kFeld47SummeMethodColumn = 2;

// An amount as ReadAmountText reads it, the same in every form: "1.234,56" = 1234.56, "-5",
// ",5", "100,-" and "100 EUR" = 100; an empty text is 0. A text that is no amount ("12.5",
// "ca. 100", "1,2,3") is nullopt.
std::optional<double> ParseAmount(std::u16string_view text);

// The number in a cell for the totals: ParseAmount's, 0 for a text that is no amount.
double ReadAmount(std::u16string_view text);
// Two decimals (rounded from the exact binary value, halfway cases to even), decimal comma;
// zero, which includes amounts that round to -0,00, is the empty text.
std::u16string FormatAmount(double value);
// "12,5" -> "12,50", "3.456" -> "3456,00", "0" -> ""; a text that is no amount stays as it is.
std::u16string NormaliseAmount(std::u16string_view text);

// Normalises the seven amount cells of a table (in field order, total last) and sets its total.
// columns is kFeld47Columns or kFeld47SummeColumns; the vector is resized to hold the total.
void NormaliseDutyTable(std::vector<std::u16string>& values, int columns, int amountColumn);
// The total of a table's seven amount cells, formatted as an amount.
std::u16string DutyTableTotal(const std::vector<std::u16string>& values, int columns, int amountColumn);

// What a cell of a duty table or a summary holds. The printed columns are narrow (the type
// column 8 mm, the method column 3 mm), so every column has an input limit in the dialogs and
// the font size at which the longest text those limits allow fits its cell, on paper with the
// printer fonts at the default "PrinterFontFactor" and on the screen at every zoom.
enum class Feld47Column { Type, Base, Rate, Amount, Method, Total };

// The column of cell `index` of a table in field order (columns kFeld47Columns or
// kFeld47SummeColumns, the total last).
Feld47Column Feld47ColumnOf(int index, int columns);
// Characters the dialogs accept in a cell of the column: a duty-type code, a base such as
// "1.234.567,89", a rate such as "19,00 %" or "4,20 EUR/kg", one letter for the method, an
// amount with thousands points; what an amount prints as is bounded by kFeld47MaxAmount. 0: the
// column is not typed (the total).
int Feld47MaxLength(Feld47Column column);
// The largest amount a cell takes, in either sign: below 100 million, so that the seven lines
// and their total still print whole.
inline constexpr double kFeld47MaxAmount = 99999999.99;
// Font size index (0-4) of the column's cells.
uint16_t Feld47FontSize(Feld47Column column);
// Sets the column font sizes on the cells and the total of the table that starts at `base`
// on `page` (bold goes, the alignment stays).
void SetDutyTableFontSizes(CFieldStore& store, int base, int page, int columns);

// How a typed amount is taken: a number within kFeld47MaxAmount, no number at all, or too large.
enum class Feld47AmountCheck { Ok, NotANumber, TooLarge };
Feld47AmountCheck CheckFeld47Amount(std::u16string_view text);

// A duty-type cell read as a decimal integer ("A00" is 0); saturates instead of overflowing.
long long ReadTypeNumber(std::u16string_view text);
// False when the method of payment must be reported: the row's type is 100 or more and the
// method, leading white space ignored, is none of "B", "C", "D", "E" and the empty text.
bool PaymentMethodAccepted(std::u16string_view type, std::u16string_view method);

}  // namespace tarvex
