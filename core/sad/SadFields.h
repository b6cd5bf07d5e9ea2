#pragma once
// Names of the SAD fields that the program handles one by one, as the layout tables
// (SadLayoutData.inc) list them. kField...: first sheet (page 1); kContField...: continuation
// sheet (pages 2 and later), whose three goods items are blocks of 21 fields each.

namespace tarvex {

// --- first sheet
// "Stempel Feld A (1)" to "(6)" and "Stempel Feld C (1)" to "(6)", line 1 to 6.
constexpr int FieldStampA(int line) {
    return 2 + line;
}
constexpr int FieldStampC(int line) {
    return 79 + line;
}
inline constexpr int kFieldBox1 = 0;        // "Feld 1 A" to "C": fields 0-2
inline constexpr int kFieldBox2Number = 9;  // "Feld 2 (Nr.)"
inline constexpr int kFieldBox2 = 10;
inline constexpr int kFieldBox3a = 11;
inline constexpr int kFieldBox3b = 12;
inline constexpr int kFieldBox5 = 14;
inline constexpr int kFieldBox8Number = 17;  // "Feld 8 (Nr.)"
inline constexpr int kFieldBox8 = 18;
inline constexpr int kFieldBox14Number = 24;  // "Feld 14 (Nr.)"
inline constexpr int kFieldBox11 = 21;
inline constexpr int kFieldBox12 = 22;
inline constexpr int kFieldBox14 = 25;
inline constexpr int kFieldBox15Text = 26;
inline constexpr int kFieldBox15a = 27;
inline constexpr int kFieldBox17a = 29;
inline constexpr int kFieldBox17b = 30;
inline constexpr int kFieldBox16 = 31;
inline constexpr int kFieldBox17Text = 32;
inline constexpr int kFieldBox18b = 34;
inline constexpr int kFieldBox19 = 35;
inline constexpr int kFieldBox20 = 36;
inline constexpr int kFieldBox21b = 39;
inline constexpr int kFieldBox22a = 40;
inline constexpr int kFieldBox24a = 43;
inline constexpr int kFieldBox24b = 44;
inline constexpr int kFieldBox25 = 45;
inline constexpr int kFieldBox26 = 46;
inline constexpr int kFieldBox29 = 50;
inline constexpr int kFieldBox31 = 52;
inline constexpr int kFieldBox32 = 53;
inline constexpr int kFieldBox33 = 54;  // "Feld 33 A" to "E": fields 54-58
inline constexpr int kFieldBox34a = 59;
inline constexpr int kFieldBox34b = 60;
inline constexpr int kFieldBox36 = 62;
inline constexpr int kFieldBox37a = 63;
inline constexpr int kFieldBox37b = 64;
inline constexpr int kFieldBox44 = 69;
inline constexpr int kFieldBox42 = 70;
inline constexpr int kFieldBox47 = 73;
inline constexpr int kFieldBox54 = 96;
inline constexpr int kFieldOldBox44 = 106;    // five one-line fields 106-110 of old files
inline constexpr int kFieldOffSheet = 111;    // kept empty; old files used it
inline constexpr int kFieldBox44Text = 113;   // "box 44 further text"
inline constexpr int kFieldBox44Frist = 114;  // "box 44 further text, Frist"
inline constexpr int kFieldBox47Table = 115;  // 7 rows of 5: Art, Bemessungsgrundl., Satz, Betrag, ZA
inline constexpr int kFieldBox47Total = 150;
inline constexpr int kFieldReference = 151;  // "(reference number, top)"

// --- continuation sheet
inline constexpr int kContFieldNummer = 0;
// "Stempel Feld A (1)" to "(6)", line 1 to 6.
constexpr int ContFieldStampA(int line) {
    return line;
}
inline constexpr int kContFieldBox2Number = 7;  // "2 Zollnummer"
inline constexpr int kContFieldBox2 = 8;
inline constexpr int kContFieldBox3a = 9;
inline constexpr int kContFieldBox3b = 10;
// Goods item 0-2: its block starts at 11, 32 or 53; the offsets name the boxes within it.
inline constexpr int kItemBox31 = 0, kItemBox32 = 1, kItemBox33 = 2, kItemBox34a = 7, kItemBox34b = 8,
                     kItemBox37a = 11, kItemBox37b = 12, kItemBox44 = 17, kItemBox42 = 18;
constexpr int ContFieldOfItem(int item, int offset) {
    return 11 + 21 * item + offset;
}
// Written in font size 1 on every continuation sheet: box 2 with its number and each box 44.
inline constexpr int kContFieldsSize1[] = {kContFieldBox2Number, kContFieldBox2,
                                           ContFieldOfItem(0, kItemBox44), ContFieldOfItem(1, kItemBox44),
                                           ContFieldOfItem(2, kItemBox44)};
inline constexpr int kContFieldBox47 = 74;         // 74-76: box 47 of goods item 1-3
inline constexpr int kContFieldBox47Summary = 77;  // "47 (Summe)"
// Duty table of goods item 0-2: 7 rows of 5 columns, then the total (36 fields).
constexpr int ContFieldDutyTable(int item) {
    return 78 + 36 * item;
}
inline constexpr int kContFieldSummaryTable = 186;  // 7 rows of 3: Art, Betrag, ZA
inline constexpr int kContFieldSummaryTotal = 207;

// Form variants 0 (0737 / 0738), 1 (0747 / 0748) and 3 (0779 / 0780) carry the input-tax check
// box with its statement, and box 44 keeps its first line for it; the simplified declaration
// 0777 / 0778 (variant 2) has neither.
constexpr bool HasInputTaxBox(int variant) {
    return variant == 0 || variant == 1 || variant == 3;
}

}  // namespace tarvex
