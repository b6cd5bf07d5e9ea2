#include "core/dv1/Dv1Geometry.h"

#include <array>

#include "core/settings/SettingsKeys.h"

namespace tarvex {
namespace {

// The tables as the paper form gives them. Print rectangles equal the screen rectangles except
// on the BIS front, where the sums 53-56 start at 1030, and on the back, where field 52 is a
// line at y 2800 whose text runs downward (printing does not clip). Field 52 of the BIS front
// has no place at all.
constexpr Dv1FieldGeometry kFrontFields[kDv1FrontFieldCount] = {
    {0, {130, 90, 1090, 300}, {130, 90, 1090, 300}, Dv1Align::Left},
    {1, {130, 345, 1090, 555}, {130, 345, 1090, 555}, Dv1Align::Left},
    {2, {130, 595, 1090, 805}, {130, 595, 1090, 805}, Dv1Align::Left},
    {3, {1150, 740, 1910, 800}, {1150, 740, 1910, 800}, Dv1Align::Left},
    {4, {1150, 870, 1910, 930}, {1150, 870, 1910, 930}, Dv1Align::Left},
    {5, {1150, 990, 1910, 1050}, {1150, 990, 1910, 1050}, Dv1Align::Left},
    {6, {1150, 1080, 1910, 1140}, {1150, 1080, 1910, 1140}, Dv1Align::Left},
    {7, {130, 1435, 1910, 1565}, {130, 1435, 1910, 1565}, Dv1Align::Left},
    {8, {130, 1930, 1910, 1990}, {130, 1930, 1910, 1990}, Dv1Align::Left},
    {9, {130, 2210, 1910, 2330}, {130, 2210, 1910, 2330}, Dv1Align::Left},
    {10, {1150, 2410, 1910, 2480}, {1150, 2410, 1910, 2480}, Dv1Align::Left},
    {11, {1150, 2560, 1910, 2820}, {1150, 2560, 1910, 2820}, Dv1Align::Left},
};
constexpr Dv1Rect kBoxes[kDv1BoxCount] = {
    {1365, -1185, 1415, -1235}, {1620, -1185, 1670, -1235},  // 7 (a)
    {1365, -1270, 1415, -1320}, {1620, -1270, 1670, -1320},  // 7 (b)
    {1365, -1355, 1415, -1405}, {1620, -1355, 1670, -1405},  // 7 (c)
    {1365, -1690, 1415, -1740}, {1620, -1690, 1670, -1740},  // 8 (a)
    {1365, -1780, 1415, -1830}, {1620, -1780, 1670, -1830},  // 8 (b)
    {1365, -2030, 1415, -2080}, {1620, -2030, 1670, -2080},  // 9 (a)
    {1365, -2115, 1415, -2165}, {1620, -2115, 1670, -2165},  // 9 (b)
};
constexpr Dv1FieldGeometry kBackFields[kDv1PageFieldCount] = {
    {0, {1000, 75, 1225, 125}, {1000, 75, 1225, 125}, Dv1Align::Left},
    {1, {800, 150, 950, 210}, {800, 150, 950, 210}, Dv1Align::Right},
    {2, {1000, 150, 1225, 210}, {1000, 150, 1225, 210}, Dv1Align::Right},
    {3, {650, 255, 950, 305}, {650, 255, 950, 305}, Dv1Align::Left},
    {4, {1000, 235, 1225, 295}, {1000, 235, 1225, 295}, Dv1Align::Right},
    {5, {650, 338, 950, 388}, {650, 338, 950, 388}, Dv1Align::Left},
    {6, {1000, 320, 1225, 380}, {1000, 320, 1225, 380}, Dv1Align::Right},
    {7, {1000, 490, 1225, 550}, {1000, 490, 1225, 550}, Dv1Align::Right},
    {8, {1000, 575, 1225, 635}, {1000, 575, 1225, 635}, Dv1Align::Right},
    {9, {1000, 660, 1225, 720}, {1000, 660, 1225, 720}, Dv1Align::Right},
    {10, {1000, 1000, 1225, 1060}, {1000, 1000, 1225, 1060}, Dv1Align::Right},
    {11, {1000, 1080, 1225, 1140}, {1000, 1080, 1225, 1140}, Dv1Align::Right},
    {12, {1000, 1170, 1225, 1230}, {1000, 1170, 1225, 1230}, Dv1Align::Right},
    {13, {1000, 1255, 1225, 1315}, {1000, 1255, 1225, 1315}, Dv1Align::Right},
    {14, {1000, 1335, 1225, 1395}, {1000, 1335, 1225, 1395}, Dv1Align::Right},
    {15, {1000, 1420, 1225, 1480}, {1000, 1420, 1225, 1480}, Dv1Align::Right},
    {16, {250, 1530, 985, 1575}, {250, 1530, 985, 1575}, Dv1Align::Left},
    {17, {1000, 1510, 1225, 1570}, {1000, 1510, 1225, 1570}, Dv1Align::Right},
    {18, {250, 1580, 985, 1625}, {250, 1580, 985, 1625}, Dv1Align::Left},
    {19, {1000, 1590, 1225, 1650}, {1000, 1590, 1225, 1650}, Dv1Align::Right},
    {20, {250, 1665, 985, 1710}, {250, 1665, 985, 1710}, Dv1Align::Left},
    {21, {1000, 1675, 1225, 1735}, {1000, 1675, 1225, 1735}, Dv1Align::Right},
    {22, {250, 1750, 985, 1795}, {250, 1750, 985, 1795}, Dv1Align::Left},
    {23, {1000, 1760, 1225, 1820}, {1000, 1760, 1225, 1820}, Dv1Align::Right},
    {24, {1000, 1930, 1225, 1990}, {1000, 1930, 1225, 1990}, Dv1Align::Right},
    {25, {1000, 2015, 1225, 2075}, {1000, 2015, 1225, 2075}, Dv1Align::Right},
    {26, {1000, 2100, 1225, 2160}, {1000, 2100, 1225, 2160}, Dv1Align::Right},
    {27, {1000, 2185, 1225, 2245}, {1000, 2185, 1225, 2245}, Dv1Align::Right},
    {28, {1250, 75, 1480, 125}, {1250, 75, 1480, 125}, Dv1Align::Left},
    {29, {1250, 150, 1480, 210}, {1250, 150, 1480, 210}, Dv1Align::Right},
    {30, {1250, 235, 1480, 295}, {1250, 235, 1480, 295}, Dv1Align::Right},
    {31, {1250, 320, 1480, 380}, {1250, 320, 1480, 380}, Dv1Align::Right},
    {32, {1250, 490, 1480, 550}, {1250, 490, 1480, 550}, Dv1Align::Right},
    {33, {1250, 575, 1480, 635}, {1250, 575, 1480, 635}, Dv1Align::Right},
    {34, {1250, 660, 1480, 720}, {1250, 660, 1480, 720}, Dv1Align::Right},
    {35, {1250, 1000, 1480, 1060}, {1250, 1000, 1480, 1060}, Dv1Align::Right},
    {36, {1250, 1080, 1480, 1140}, {1250, 1080, 1480, 1140}, Dv1Align::Right},
    {37, {1250, 1170, 1480, 1230}, {1250, 1170, 1480, 1230}, Dv1Align::Right},
    {38, {1250, 1255, 1480, 1315}, {1250, 1255, 1480, 1315}, Dv1Align::Right},
    {39, {1250, 1335, 1480, 1395}, {1250, 1335, 1480, 1395}, Dv1Align::Right},
    {40, {1250, 1420, 1480, 1480}, {1250, 1420, 1480, 1480}, Dv1Align::Right},
    {41, {1250, 1510, 1480, 1570}, {1250, 1510, 1480, 1570}, Dv1Align::Right},
    {42, {1250, 1590, 1480, 1650}, {1250, 1590, 1480, 1650}, Dv1Align::Right},
    {43, {1250, 1675, 1480, 1735}, {1250, 1675, 1480, 1735}, Dv1Align::Right},
    {44, {1250, 1760, 1480, 1820}, {1250, 1760, 1480, 1820}, Dv1Align::Right},
    {45, {1250, 1930, 1480, 1990}, {1250, 1930, 1480, 1990}, Dv1Align::Right},
    {46, {1250, 2015, 1480, 2075}, {1250, 2015, 1480, 2075}, Dv1Align::Right},
    {47, {1250, 2100, 1480, 2160}, {1250, 2100, 1480, 2160}, Dv1Align::Right},
    {48, {1250, 2185, 1480, 2245}, {1250, 2185, 1480, 2245}, Dv1Align::Right},
    {49, {70, 2505, 950, 2670}, {70, 2505, 950, 2670}, Dv1Align::Left},
    {50, {990, 2505, 1470, 2670}, {990, 2505, 1470, 2670}, Dv1Align::Left},
    {51, {1500, 2505, 1900, 2670}, {1500, 2505, 1900, 2670}, Dv1Align::Left},
    {52, {350, 2675, 1900, 2840}, {350, 2800, 1900, 2800}, Dv1Align::Left},
    {53, {1000, 405, 1225, 465}, {1000, 405, 1225, 465}, Dv1Align::Right},
    {54, {1000, 1850, 1225, 1910}, {1000, 1850, 1225, 1910}, Dv1Align::Right},
    {55, {1000, 2265, 1225, 2335}, {1000, 2265, 1225, 2335}, Dv1Align::Right},
    {56, {1000, 2360, 1225, 2420}, {1000, 2360, 1225, 2420}, Dv1Align::Right},
    {57, {1250, 405, 1480, 465}, {1250, 405, 1480, 465}, Dv1Align::Right},
    {58, {1250, 1850, 1480, 1910}, {1250, 1850, 1480, 1910}, Dv1Align::Right},
    {59, {1250, 2265, 1480, 2335}, {1250, 2265, 1480, 2335}, Dv1Align::Right},
    {60, {1250, 2360, 1480, 2420}, {1250, 2360, 1480, 2420}, Dv1Align::Right},
};
constexpr Dv1FieldGeometry kBisFrontFields[kDv1PageFieldCount] = {
    {0, {1130, 330, 1355, 380}, {1130, 330, 1355, 380}, Dv1Align::Left},
    {1, {930, 405, 1080, 465}, {930, 405, 1080, 465}, Dv1Align::Right},
    {2, {1130, 405, 1355, 465}, {1130, 405, 1355, 465}, Dv1Align::Right},
    {3, {700, 510, 1080, 560}, {700, 510, 1080, 560}, Dv1Align::Left},
    {4, {1130, 490, 1355, 550}, {1130, 490, 1355, 550}, Dv1Align::Right},
    {5, {700, 593, 1080, 643}, {700, 593, 1080, 643}, Dv1Align::Left},
    {6, {1130, 575, 1355, 635}, {1130, 575, 1355, 635}, Dv1Align::Right},
    {7, {1130, 745, 1355, 805}, {1130, 745, 1355, 805}, Dv1Align::Right},
    {8, {1130, 830, 1355, 890}, {1130, 830, 1355, 890}, Dv1Align::Right},
    {9, {1130, 915, 1355, 975}, {1130, 915, 1355, 975}, Dv1Align::Right},
    {10, {1130, 1255, 1355, 1315}, {1130, 1255, 1355, 1315}, Dv1Align::Right},
    {11, {1130, 1335, 1355, 1395}, {1130, 1335, 1355, 1395}, Dv1Align::Right},
    {12, {1130, 1425, 1355, 1485}, {1130, 1425, 1355, 1485}, Dv1Align::Right},
    {13, {1130, 1510, 1355, 1570}, {1130, 1510, 1355, 1570}, Dv1Align::Right},
    {14, {1130, 1590, 1355, 1650}, {1130, 1590, 1355, 1650}, Dv1Align::Right},
    {15, {1130, 1675, 1355, 1735}, {1130, 1675, 1355, 1735}, Dv1Align::Right},
    {16, {380, 1785, 1115, 1830}, {380, 1785, 1115, 1830}, Dv1Align::Left},
    {17, {1130, 1765, 1355, 1825}, {1130, 1765, 1355, 1825}, Dv1Align::Right},
    {18, {380, 1835, 1115, 1880}, {380, 1835, 1115, 1880}, Dv1Align::Left},
    {19, {1130, 1845, 1355, 1905}, {1130, 1845, 1355, 1905}, Dv1Align::Right},
    {20, {380, 1920, 1115, 1965}, {380, 1920, 1115, 1965}, Dv1Align::Left},
    {21, {1130, 1930, 1355, 1990}, {1130, 1930, 1355, 1990}, Dv1Align::Right},
    {22, {380, 2005, 1115, 2050}, {380, 2005, 1115, 2050}, Dv1Align::Left},
    {23, {1130, 2015, 1355, 2075}, {1130, 2015, 1355, 2075}, Dv1Align::Right},
    {24, {1130, 2185, 1355, 2245}, {1130, 2185, 1355, 2245}, Dv1Align::Right},
    {25, {1130, 2270, 1355, 2330}, {1130, 2270, 1355, 2330}, Dv1Align::Right},
    {26, {1130, 2355, 1355, 2415}, {1130, 2355, 1355, 2415}, Dv1Align::Right},
    {27, {1130, 2440, 1355, 2500}, {1130, 2440, 1355, 2500}, Dv1Align::Right},
    {28, {1380, 330, 1610, 380}, {1380, 330, 1610, 380}, Dv1Align::Left},
    {29, {1380, 405, 1610, 465}, {1380, 405, 1610, 465}, Dv1Align::Right},
    {30, {1380, 490, 1610, 550}, {1380, 490, 1610, 550}, Dv1Align::Right},
    {31, {1380, 575, 1610, 635}, {1380, 575, 1610, 635}, Dv1Align::Right},
    {32, {1380, 745, 1610, 805}, {1380, 745, 1610, 805}, Dv1Align::Right},
    {33, {1380, 830, 1610, 890}, {1380, 830, 1610, 890}, Dv1Align::Right},
    {34, {1380, 915, 1610, 975}, {1380, 915, 1610, 975}, Dv1Align::Right},
    {35, {1380, 1255, 1610, 1315}, {1380, 1255, 1610, 1315}, Dv1Align::Right},
    {36, {1380, 1335, 1610, 1395}, {1380, 1335, 1610, 1395}, Dv1Align::Right},
    {37, {1380, 1425, 1610, 1485}, {1380, 1425, 1610, 1485}, Dv1Align::Right},
    {38, {1380, 1510, 1610, 1570}, {1380, 1510, 1610, 1570}, Dv1Align::Right},
    {39, {1380, 1590, 1610, 1650}, {1380, 1590, 1610, 1650}, Dv1Align::Right},
    {40, {1380, 1675, 1610, 1735}, {1380, 1675, 1610, 1735}, Dv1Align::Right},
    {41, {1380, 1765, 1610, 1825}, {1380, 1765, 1610, 1825}, Dv1Align::Right},
    {42, {1380, 1845, 1610, 1905}, {1380, 1845, 1610, 1905}, Dv1Align::Right},
    {43, {1380, 1930, 1610, 1990}, {1380, 1930, 1610, 1990}, Dv1Align::Right},
    {44, {1380, 2015, 1610, 2075}, {1380, 2015, 1610, 2075}, Dv1Align::Right},
    {45, {1380, 2185, 1610, 2245}, {1380, 2185, 1610, 2245}, Dv1Align::Right},
    {46, {1380, 2270, 1610, 2330}, {1380, 2270, 1610, 2330}, Dv1Align::Right},
    {47, {1380, 2355, 1610, 2415}, {1380, 2355, 1610, 2415}, Dv1Align::Right},
    {48, {1380, 2440, 1610, 2500}, {1380, 2440, 1610, 2500}, Dv1Align::Right},
    {49, {120, 2780, 1080, 2840}, {120, 2780, 1080, 2840}, Dv1Align::Left},
    {50, {1120, 2780, 1600, 2840}, {1120, 2780, 1600, 2840}, Dv1Align::Left},
    {51, {1630, 2780, 1900, 2840}, {1630, 2780, 1900, 2840}, Dv1Align::Left},
    {52, {0, 0, 0, 0}, {0, 0, 0, 0}, Dv1Align::Left},
    {53, {1130, 660, 1355, 720}, {1030, 660, 1355, 720}, Dv1Align::Right},
    {54, {1130, 2105, 1355, 2165}, {1030, 2105, 1355, 2165}, Dv1Align::Right},
    {55, {1130, 2520, 1355, 2590}, {1030, 2520, 1355, 2590}, Dv1Align::Right},
    {56, {1130, 2615, 1355, 2675}, {1030, 2615, 1355, 2675}, Dv1Align::Right},
    {57, {1380, 660, 1610, 720}, {1380, 660, 1610, 720}, Dv1Align::Right},
    {58, {1380, 2105, 1610, 2165}, {1380, 2105, 1610, 2165}, Dv1Align::Right},
    {59, {1380, 2520, 1610, 2590}, {1380, 2520, 1610, 2590}, Dv1Align::Right},
    {60, {1380, 2615, 1610, 2675}, {1380, 2615, 1610, 2675}, Dv1Align::Right},
};
constexpr Dv1Segment kFrontRulings1[] = {
    {100, -50, 1110, -50},      {100, -50, 100, -2845},    {100, -305, 1110, -305},
    {1110, -680, 1110, -810},   {1110, -810, 1920, -810},  {1110, -940, 1920, -940},
    {1110, -1065, 1920, -1065}, {100, -1150, 1920, -1150}, {100, -1235, 1920, -1235},
    {100, -1320, 1920, -1320},  {100, -1570, 1920, -1570}, {100, -1740, 1920, -1740},
    {100, -1995, 1920, -1995},  {100, -2080, 1920, -2080}, {100, -2165, 1920, -2165},
    {100, -2335, 1920, -2335},  {100, -2845, 1920, -2845}, {1110, -2505, 1920, -2505},
    {1110, -2335, 1110, -2845},
};
constexpr Dv1Segment kFrontRulings2[] = {
    {100, -560, 1110, -560},
};
constexpr Dv1Segment kFrontRulings3[] = {
    {1110, -50, 1920, -50},    {1110, -50, 1110, -680},   {1110, -680, 1920, -680}, {100, -810, 1110, -810},
    {1110, -810, 1110, -1065}, {1110, -1065, 100, -1065}, {100, -810, 100, -1065},
};
constexpr Dv1Segment kBackRulings1[] = {
    {225, -135, 225, -2330},   {985, -50, 985, -2415},    {1240, -50, 1240, -2415},
    {225, -220, 1870, -220},   {225, -305, 1870, -305},   {225, -560, 1870, -560},
    {225, -645, 1870, -645},   {225, -730, 1870, -730},   {225, -1065, 1870, -1065},
    {225, -1150, 1870, -1150}, {225, -1235, 1870, -1235}, {225, -1320, 1870, -1320},
    {225, -1405, 1870, -1405}, {225, -1490, 1870, -1490}, {225, -1575, 1870, -1575},
    {225, -1660, 1870, -1660}, {225, -1745, 1870, -1745}, {225, -1995, 1870, -1995},
    {225, -2080, 1870, -2080}, {225, -2165, 1870, -2165}, {50, -2670, 1870, -2670},
    {50, -2840, 1870, -2840},
};
constexpr Dv1Segment kBackRulings2[] = {
    {1490, -50, 1490, -2415}, {50, -50, 50, -2840},     {50, -50, 1870, -50},      {50, -135, 1870, -135},
    {225, -390, 1870, -390},  {225, -390, 225, -475},   {50, -475, 1870, -475},    {225, -1830, 1870, -1830},
    {225, -1830, 225, -1915}, {50, -1915, 1870, -1915}, {225, -2250, 1870, -2250}, {225, -2250, 225, -2330},
    {50, -2330, 1870, -2330}, {50, -2415, 1870, -2415},
};
constexpr Dv1Segment kBisFrontRulings1[] = {
    {275, -390, 275, -2585},   {1115, -305, 1115, -2670}, {1370, -305, 1370, -2670},
    {275, -475, 1870, -475},   {275, -560, 1870, -560},   {275, -815, 1870, -815},
    {275, -900, 1870, -900},   {275, -985, 1870, -985},   {275, -1320, 1870, -1320},
    {275, -1405, 1870, -1405}, {275, -1490, 1870, -1490}, {275, -1575, 1870, -1575},
    {275, -1660, 1870, -1660}, {275, -1745, 1870, -1745}, {275, -1830, 1870, -1830},
    {275, -1915, 1870, -1915}, {275, -2000, 1870, -2000}, {275, -2250, 1870, -2250},
    {275, -2335, 1870, -2335}, {275, -2420, 1870, -2420}, {100, -2840, 1870, -2840},
};
constexpr Dv1Segment kBisFrontRulings2[] = {
    {1625, -305, 1625, -2670}, {100, -50, 100, -2840},    {100, -50, 1870, -50},
    {100, -305, 1870, -305},   {100, -390, 1870, -390},   {275, -645, 1870, -645},
    {275, -645, 275, -730},    {100, -730, 1870, -730},   {275, -2085, 1870, -2085},
    {275, -2085, 275, -2170},  {100, -2170, 1870, -2170}, {275, -2505, 1870, -2505},
    {275, -2505, 275, -2585},  {100, -2585, 1870, -2585}, {100, -2670, 1870, -2670},
};
constexpr Dv1Caption kFrontCaptions[] = {
    {0, 100, -40, u"EUROPÄISCHE UNION", true},
    {1, 110, -85, u"1 Verkäufer", true},
    {2, 110, -340, u"2 (a) Käufer", true},
    {3, 110, -595, u"2 (b) Zollwertanmelder", true},
    {4, 1120, -715, u"3 Lieferbedingung", true},
    {5, 1120, -845, u"4 Nummer und Datum der Rechnung", true},
    {6, 1120, -975, u"5 Nummer und Datum des Vertrags", true},
    {7, 110, -1100, u"6 Nummer und Datum der früheren Zollentscheidungen zu den Feldern 7 bis 9", true},
    {8, 110, -1185, u"7 (a)", true},
    {9, 110, -1305, u"   (b)", true},
    {10, 110, -1355, u"   (c)", true},
    {11, 190, -1185, u"Sind Käufer und Verkäufer VERBUNDEN im Sinne von Artikel 143 der Verordnung", true},
    {12, 190, -1220, u"(EWG) Nr. 2454/93 ?*) - Falls NEIN, weiter zu Feld 8", true},
    {13, 190, -1305, u"Hat die Verbundenheit den Preis der eingeführten Waren BEEINFLUSST?", true},
    {14, 190, -1355, u"(Antwort freigestellt) Kommt der Transaktionswert der eingeführten Waren einem der",
     true},
    {15, 190, -1390, u"Werte in Artikel 29 Abs. 2b der Verordnung (EWG) 2930/92 SEHR NAHE?", true},
    {16, 190, -1425, u"Falls JA, Einzelheiten angeben", true},
    {17, 110, -1610, u"8 (a)", true},
    {18, 190, -1610, u"Bestehen EINSCHRÄNKUNGEN bezüglich der Verwendung und des Gebrauchs der Waren", true},
    {19, 190, -1645, u"durch den Käufer, ausgenommen solche, die", true},
    {20, 190, -1680,
     u"- durch das Gesetz oder von den Behörden in der Gemeinschaft auferlegt oder gefordert werden,", true},
    {21, 190, -1710, u"- das Gebiet abgrenzen, innerhalb dessen die Waren weiterverkauft werden können,",
     true},
    {22, 190, -1740, u"- sich auf den Wert der Waren nicht wesentlich auswirken?", true},
    {23, 190, -1780, u"Liegen hinsichtlich des Kaufgeschäfts oder des Preises BEDINGUNGEN vor oder sind",
     true},
    {24, 190, -1810, u"LEISTUNGEN zu erbringen, deren Wert im Hinblick auf die zu bewertenden Waren nicht",
     true},
    {25, 190, -1840, u"bestimmt werden kann?", true},
    {26, 190, -1870, u"Art der Einschränkungen, Bedingungen oder Leistungen angeben.", true},
    {27, 190, -1900,
     u"Falls der Wert im Hinblick auf die zu bewertenden Waren bestimmt werden kann, Betrag im Feld 11b "
     u"angeben.",
     true},
    {28, 110, -2030, u"9 (a)", true},
    {29, 190, -2030, u"Hat der Käufer unmittelbar oder mittelbar LIZENZGEBÜHREN für die eingeführten Waren",
     true},
    {30, 190, -2060, u"nach den Bestimmungen des Kaufgeschäfts zu zahlen?", true},
    {31, 130, -2200,
     u"Falls JA zu (a) oder auch (b): Die Umstände angeben und, wenn möglich, die Beträge in den Feldern 15 "
     u"und 16 angeben.",
     true},
    {32, 1120, -2370, u"10 (a) Anzahl der beigefügten Ergänzungsblätter D.V.1 BIS", true},
    {33, 1120, -2540, u"10 (b) Ort, Datum, Unterschrift", true},
    {34, 1050, -45, u"ANMELDUNGEN DER ANGABEN ÜBER DEN ZOLLWERT D. V. 1", true},
    {35, 1130, -95, u"FÜR AMTLICHE ZWECKE", true},
    {36, 110, -850, u"WICHTIGER HINWEIS", true},
    {37, 135, -1780, u"(b)", true},
    {38, 135, -2110, u"(b)", true},
    {39, 100, -2890, u"0464 Anmeldung der Angaben über den Zollwert + - III B 4 - (1994)", true},
    {40, 1425, -1215, u"JA", true},
    {41, 1425, -1300, u"JA", true},
    {42, 1425, -1390, u"JA", true},
    {43, 1425, -1725, u"JA", true},
    {44, 1425, -1810, u"JA", true},
    {45, 1425, -2060, u"JA", true},
    {46, 1425, -2150, u"JA", true},
    {47, 1680, -1215, u"NEIN", true},
    {48, 1680, -1300, u"NEIN", true},
    {49, 1680, -1390, u"NEIN", true},
    {50, 1680, -1725, u"NEIN", true},
    {51, 1680, -1810, u"NEIN", true},
    {52, 1680, -2060, u"NEIN", true},
    {53, 1680, -2150, u"NEIN", true},
    {54, 110, -890,
     u"Mit Unterzeichnung und Vorlage dieser Anmeldung übernimmt der Zollwertanmelder die Verant-", false},
    {55, 110, -920,
     u"wortung bezüglich der Richtigkeit und Vollständigkeit der auf diesem Vordruck und sämtlichen mit",
     false},
    {56, 110, -950,
     u"ihm zusammen vorgelegten Ergänzungsblättern gemachten Angaben und bezüglich der Echtheit", false},
    {57, 110, -980,
     u"aller als Nachweis vorgelegten Unterlagen. Der Zollwertanmelder verpflichtet sich auch zur Erteilung",
     false},
    {58, 110, -1010,
     u"aller zusätzlichen Informationen und zur Vorlage aller weiteren Unterlagen, die für die Ermittlung "
     u"des",
     false},
    {59, 110, -1040, u"Zollwerts der Waren erforderlich sind.", false},
    {60, 110, -2380, u"*)", false},
    {61, 140, -2380, u"PERSONEN GELTEN NUR DANN ALS VERBUNDEN, WENN", false},
    {62, 140, -2420, u"(a) sie der Leitung des Geschäftsbetriebs der jeweils anderen Person angehören;",
     false},
    {63, 140, -2450, u"(b) sie Teilhaber oder Gesellschafter von Personengesellschaften sind;", false},
    {64, 140, -2480, u"(c) sie sich in einem Arbeitgeber-/Arbeitnehmerverhältnis zueinander befinden;",
     false},
    {65, 140, -2510,
     u"(d) eine beliebige Person unmittelbar oder mittelbar 5% oder mehr der im Umlauf befindlichen", false},
    {66, 140, -2540, u"     stimmberechtigten Anteile oder Aktien beider Personen besitzt oder kontrolliert;",
     false},
    {67, 140, -2570, u"(e) eine von ihnen unmittelbar die andere kontrolliert;", false},
    {68, 140, -2600,
     u"(f)  beide von ihnen unmittelbar oder mittelbar von einer dritten Person kontrolliert werden;", false},
    {69, 140, -2630, u"(g) sie zusammen unmittelbar oder mittelbar eine dritte Person kontrollieren;", false},
    {70, 140, -2660, u"(h) sie Mitglieder derselben Familie sind;", false},
    {71, 140, -2690,
     u"Die Tatsache, daß ein Käufer und ein Verkäufer miteinander verbunden sind, schließt die An-", false},
    {72, 140, -2720, u"(EWG) Nr. 2913/92 und Anhang 23 zu der VO (EWG) Nr. 2454/93).", false},
    {73, 140, -2750, u"Auf das Merkblatt \"Zollwert\" (Vordruck 0466) wird hingewiesen.", false},
    {74, 140, -2780, u"Zu den Angaben in diesem Vordruck sind Sie nach Artikel 178 der Verordnung (EWG)",
     false},
    {75, 140, -2810, u"Nr. 2454/93 und nach § 11 Abs. 1 Umsatzsteuergesetz verpflichtet.", false},
    {76, 190, -2110,
     u"Ist das Kaufgeschäft mit einer Vereinbarung verbunden, nach der ein Teil der Erlöse aus späteren",
     false},
    {77, 190, -2136, u"WEITERVERKÄUFEN, sonstigen ÜBERLASSUNGEN oder VERWENDUNGEN unmittelbar oder", false},
    {78, 190, -2162, u"mittelbar dem Verkäufer zugute kommt?", false},
};
constexpr Dv1Caption kBackCaptions[] = {
    {0, 60, -170, u"A.", true},
    {1, 60, -510, u"B.", true},
    {2, 60, -1955, u"C.", true},
    {3, 90, -170, u"Grundlage", true},
    {4, 90, -200, u"der", true},
    {5, 90, -230, u"Berech-", true},
    {6, 90, -260, u"nung", true},
    {7, 90, -510, u"HINZU-", true},
    {8, 90, -540, u"RECH-", true},
    {9, 90, -570, u"NUNGEN:", true},
    {10, 90, -620, u"Kosten in", true},
    {11, 90, -650, u"NATIO-", true},
    {12, 90, -680, u"NALER", true},
    {13, 90, -710, u"WÄH-", true},
    {14, 90, -740, u"RUNG, die", true},
    {15, 90, -770, u"NICHT in A", true},
    {16, 90, -800, u"ethalten", true},
    {17, 90, -830, u"sind*)", true},
    {18, 90, -860, u"Gegebe-", true},
    {19, 90, -890, u"nenfalls", true},
    {20, 90, -920, u"NACH-", true},
    {21, 90, -950, u"STEHEND", true},
    {22, 90, -980, u"frühere", true},
    {23, 90, -1010, u"Zollent-", true},
    {24, 90, -1040, u"scheidun-", true},
    {25, 90, -1070, u"gen hierzu", true},
    {26, 90, -1100, u"angeben", true},
    {27, 90, -1955, u"ABZÜGE:", true},
    {28, 90, -1985, u"Kosten in ", true},
    {29, 90, -2015, u"NATIO-", true},
    {30, 90, -2045, u"NALER", true},
    {31, 90, -2075, u"WÄH-", true},
    {32, 90, -2105, u"RUNG, die", true},
    {33, 90, -2135, u"in A ENT-", true},
    {34, 90, -2165, u"HALTEN", true},
    {35, 90, -2195, u"sind *)", true},
    {36, 1000, -85, u"Ware(Pos)", true},
    {37, 1260, -85, u"Ware(Pos)", true},
    {38, 1530, -95, u"Vermerke der Zollstelle", true},
    {39, 235, -170, u"11", true},
    {40, 235, -470, u"12", true},
    {41, 235, -510, u"13", true},
    {42, 235, -765, u"14", true},
    {43, 235, -1405, u"15", true},
    {44, 235, -1445, u"16", true},
    {45, 235, -1530, u"17", true},
    {46, 235, -1910, u"18", true},
    {47, 235, -1955, u"19", true},
    {48, 235, -2040, u"20", true},
    {49, 235, -2115, u"21", true},
    {50, 235, -2210, u"22", true},
    {51, 235, -2325, u"23", true},
    {52, 60, -2410, u"24", true},
    {53, 270, -170, u"(a)", true},
    {54, 270, -340, u"(b)", true},
    {55, 270, -550, u"(a)", true},
    {56, 270, -640, u"(b)", true},
    {57, 270, -725, u"(c)", true},
    {58, 270, -995, u"(a)", true},
    {59, 270, -1105, u"(b)", true},
    {60, 270, -1190, u"(c)", true},
    {61, 270, -1275, u"(d)", true},
    {62, 270, -1655, u"(a)", true},
    {63, 270, -1745, u"(b)", true},
    {64, 270, -1825, u"(c)", true},
    {65, 310, -170, u"Nettopreis in der RECHNUNGSWÄHRUNG", true},
    {66, 310, -255, u"Nettopreis in NATIONALER WÄHRUNG", true},
    {67, 310, -300, u"(Umrechnungskurs:", true},
    {68, 970, -300, u")", true},
    {69, 310, -340, u"Mittelbare Zahlungen (siehe Feld 8b)", true},
    {70, 310, -385, u"(Umrechnungskurs:", true},
    {71, 970, -385, u")", true},
    {72, 270, -470, u"Summe A in NATIONALER WÄHRUNG", true},
    {73, 270, -510, u"Kosten, die für den Käufer entstanden sind", true},
    {74, 310, -550, u"Provisionen (ausgenommen Einkaufsprovisionen)", true},
    {75, 310, -640, u"Maklerlöhne", true},
    {76, 340, -725, u"Umschließungen und Verpackung", true},
    {77, 270, -765, u"Gegenstände und Leistungen, die vom Käufer unent-", true},
    {78, 270, -795, u"geltlich oder zu ermäßigten Preisen für die Verwen-", true},
    {79, 270, -825, u"dung im Zusammenhang mit der Herstellung und dem", true},
    {80, 270, -855, u"Verkauf zur Ausfuhr der eingeführten Waren geliefert", true},
    {81, 270, -885, u"werden", true},
    {82, 270, -925, u"Die aufgeführten Werte sind ggf. entsprechend auf-", true},
    {83, 270, -955, u"geteilt", true},
    {84, 310, -995, u"In den eingeführten Waren enthaltene Materia-", true},
    {85, 310, -1025, u"lien, Bestandteile und dergleichen", true},
    {86, 310, -1105, u"Bei der Herstellung der eingeführten Waren ver-", true},
    {87, 310, -1135, u"wendete Werkzeuge, Gußformen und dergleichen", true},
    {88, 310, -1190, u"Bei der Herstellung der eingeführten Waren ver-", true},
    {89, 310, -1225, u"brauchte Materialien", true},
    {90, 270, -1405, u"Lizenzgebühren", true},
    {91, 270, -1530, u"Lieferungskosten bis (Ort des Verbringens)", true},
    {92, 310, -1655, u"Beförderung", true},
    {93, 310, -1745, u"Ladekosten und Behandlungskosten", true},
    {94, 310, -1825, u"Versicherung", true},
    {95, 270, -1910, u"Summe B", true},
    {96, 270, -1955, u"Beförderungskosten nach Ankunft am Ort des", true},
    {97, 270, -1985, u"Verbringens", true},
    {98, 270, -2115, u"Andere Zahlungen (Art)", true},
    {99, 270, -2210, u"Zölle und Steuern, die in der Gemeinschaft wegen der", true},
    {100, 270, -2245, u"Einfuhr oder des Verkaufs zu zahlen sind", true},
    {101, 270, -2325, u"Summe C", true},
    {102, 105, -2410, u"ANGEMELDETER WERT (A + B - C)", true},
    {103, 60, -2455, u"*)", true},
    {104, 90, -2455,
     u"Wenn Beträge in AUSLÄNDISCHER WÄHRUNG zu zahlen sind, hier den Betrag in ausländischer Währung und "
     u"den Umrechnungskurs",
     true},
    {105, 90, -2480, u"unter Bezug auf jede Ware und Zeile angeben.", true},
    {106, 60, -2510, u"Bezug", true},
    {107, 1010, -2510, u"Betrag", true},
    {108, 1510, -2510, u"Umrechnungskurs", true},
    {109, 60, -2705, u"Zusätzliche Angaben", true},
    {110, 310, -190, u"(Tatsächlich gezahlter Preis oder Preis im maßgebenden", false},
    {111, 310, -215, u"Bewertungszeitpunkt)", false},
    {112, 310, -1270, u"Für die Herstellung der eingeführten Waren notwendige", false},
    {113, 310, -1295, u"Techniken, Entwicklungen, Entwürfe, Pläne und Skizzen,", false},
    {114, 310, -1320, u"die außerhalb der Gemeinschaft erarbeitet wurden", false},
    {115, 270, -1440, u"Erlöse aus Weiterverkäufen, sonstigen Überlassungen oder", false},
    {116, 270, -1465, u"Verwendung, die dem Verkäufer zugute kommen", false},
    {117, 270, -1490, u"(siehe Feld 9b)", false},
    {118, 270, -2040, u"Zahlungen für den Bau, die Errichtung, Montage, Instand-", false},
    {119, 270, -2075, u"haltung oder technische Unterstützung nach der Einfuhr", false},
};
constexpr Dv1Caption kBisFrontCaptions[] = {
    {0, 110, -425, u"A.", true},
    {1, 110, -765, u"B.", true},
    {2, 110, -2210, u"C.", true},
    {3, 140, -425, u"Grundlage", true},
    {4, 140, -455, u"der", true},
    {5, 140, -485, u"Berech-", true},
    {6, 140, -515, u"nung", true},
    {7, 140, -765, u"HINZU-", true},
    {8, 140, -795, u"RECH-", true},
    {9, 140, -825, u"NUNGEN:", true},
    {10, 140, -875, u"Kosten in", true},
    {11, 140, -905, u"NATIO-", true},
    {12, 140, -935, u"NALER", true},
    {13, 140, -965, u"WÄH-", true},
    {14, 140, -995, u"RUNG, die", true},
    {15, 140, -1025, u"NICHT in A", true},
    {16, 140, -1055, u"ethalten", true},
    {17, 140, -1085, u"sind*)", true},
    {18, 140, -1115, u"Gegebe-", true},
    {19, 140, -1145, u"nenfalls", true},
    {20, 140, -1175, u"NACH-", true},
    {21, 140, -1205, u"STEHEND", true},
    {22, 140, -1235, u"frühere", true},
    {23, 140, -1265, u"Zollent-", true},
    {24, 140, -1295, u"scheidun-", true},
    {25, 140, -1325, u"gen hierzu", true},
    {26, 140, -1355, u"angeben", true},
    {27, 140, -2210, u"ABZÜGE:", true},
    {28, 140, -2240, u"Kosten in ", true},
    {29, 140, -2270, u"NATIO-", true},
    {30, 140, -2300, u"NALER", true},
    {31, 140, -2330, u"WÄH-", true},
    {32, 140, -2360, u"RUNG, die", true},
    {33, 140, -2390, u"in A ENT-", true},
    {34, 140, -2420, u"HALTEN", true},
    {35, 140, -2450, u"sind *)", true},
    {36, 1130, -340, u"Ware(Pos)", true},
    {37, 1385, -340, u"Ware(Pos)", true},
    {38, 110, -85, u"Vermerke der Zollstelle", true},
    {39, 285, -425, u"11", true},
    {40, 285, -725, u"12", true},
    {41, 285, -765, u"13", true},
    {42, 285, -1020, u"14", true},
    {43, 285, -1660, u"15", true},
    {44, 285, -1700, u"16", true},
    {45, 285, -1785, u"17", true},
    {46, 285, -2165, u"18", true},
    {47, 285, -2210, u"19", true},
    {48, 285, -2295, u"20", true},
    {49, 285, -2370, u"21", true},
    {50, 285, -2465, u"22", true},
    {51, 285, -2580, u"23", true},
    {52, 110, -2665, u"24", true},
    {53, 320, -425, u"(a)", true},
    {54, 320, -595, u"(b)", true},
    {55, 320, -805, u"(a)", true},
    {56, 320, -895, u"(b)", true},
    {57, 320, -980, u"(c)", true},
    {58, 320, -1250, u"(a)", true},
    {59, 320, -1360, u"(b)", true},
    {60, 320, -1445, u"(c)", true},
    {61, 320, -1530, u"(d)", true},
    {62, 320, -1910, u"(a)", true},
    {63, 320, -2000, u"(b)", true},
    {64, 320, -2080, u"(c)", true},
    {65, 360, -425, u"Nettopreis in der RECHNUNGSWÄHRUNG", true},
    {66, 360, -510, u"Nettopreis in NATIONALER WÄHRUNG", true},
    {67, 360, -555, u"(Umrechnungskurs:", true},
    {68, 1100, -555, u")", true},
    {69, 360, -595, u"Mittelbare Zahlungen (siehe Feld 8b)", true},
    {70, 360, -640, u"(Umrechnungskurs:", true},
    {71, 1100, -640, u")", true},
    {72, 320, -725, u"Summe A in NATIONALER WÄHRUNG", true},
    {73, 320, -765, u"Kosten, die für den Käufer entstanden sind", true},
    {74, 360, -805, u"Provisionen (ausgenommen Einkaufsprovisionen)", true},
    {75, 360, -895, u"Maklerlöhne", true},
    {76, 390, -980, u"Umschließungen und Verpackung", true},
    {77, 320, -1020, u"Gegenstände und Leistungen, die vom Käufer unent-", true},
    {78, 320, -1050, u"geltlich oder zu ermäßigten Preisen für die Verwen-", true},
    {79, 320, -1080, u"dung im Zusammenhang mit der Herstellung und dem", true},
    {80, 320, -1110, u"Verkauf zur Ausfuhr der eingeführten Waren geliefert", true},
    {81, 320, -1140, u"werden", true},
    {82, 320, -1180, u"Die aufgeführten Werte sind ggf. entsprechend auf-", true},
    {83, 320, -1210, u"geteilt", true},
    {84, 360, -1250, u"In den eingeführten Waren enthaltene Materia-", true},
    {85, 360, -1280, u"lien, Bestandteile und dergleichen", true},
    {86, 360, -1360, u"Bei der Herstellung der eingeführten Waren ver-", true},
    {87, 360, -1390, u"wendete Werkzeuge, Gußformen und dergleichen", true},
    {88, 360, -1445, u"Bei der Herstellung der eingeführten Waren ver-", true},
    {89, 360, -1480, u"brauchte Materialien", true},
    {90, 320, -1660, u"Lizenzgebühren", true},
    {91, 320, -1785, u"Lieferungskosten bis (Ort des Verbringens)", true},
    {92, 360, -1910, u"Beförderung", true},
    {93, 360, -2000, u"Ladekosten und Behandlungskosten", true},
    {94, 360, -2080, u"Versicherung", true},
    {95, 320, -2165, u"Summe B", true},
    {96, 320, -2210, u"Beförderungskosten nach Ankunft am Ort des", true},
    {97, 320, -2240, u"Verbringens", true},
    {98, 320, -2370, u"Andere Zahlungen (Art)", true},
    {99, 320, -2465, u"Zölle und Steuern, die in der Gemeinschaft wegen der", true},
    {100, 320, -2500, u"Einfuhr oder des Verkaufs zu zahlen sind", true},
    {101, 320, -2580, u"Summe C", true},
    {102, 155, -2665, u"ANGEMELDETER WERT (A + B - C)", true},
    {103, 110, -2710, u"*)", true},
    {104, 140, -2710,
     u"Wenn Beträge in AUSLÄNDISCHER WÄHRUNG zu zahlen sind, hier den Betrag in ausländischer Währung und "
     u"den Umrechnungskurs",
     true},
    {105, 140, -2735, u"unter Bezug auf jede Ware und Zeile angeben.", true},
    {106, 110, -2765, u"Bezug", true},
    {107, 1120, -2765, u"Betrag", true},
    {108, 1630, -2765, u"Umrechnungskurs", true},
    {109, 360, -4000, u"Zusätzliche Angaben", true},
    {110, 360, -450, u"(Tatsächlich gezahlter Preis oder Preis im maßgebenden", false},
    {111, 360, -475, u"Bewertungszeitpunkt)", false},
    {112, 360, -1530, u"Für die Herstellung der eingeführten Waren notwendige", false},
    {113, 320, -1555, u"Techniken, Entwicklungen, Entwürfe, Pläne und Skizzen,", false},
    {114, 320, -1580, u"die außerhalb der Gemeinschaft erarbeitet wurden", false},
    {115, 320, -1700, u"Erlöse aus Weiterverkäufen, sonstigen Überlassungen oder", false},
    {116, 320, -1725, u"Verwendung, die dem Verkäufer zugute kommen", false},
    {117, 320, -1750, u"(siehe Feld 9b)", false},
    {118, 320, -2295, u"Zahlungen für den Bau, die Errichtung, Montage, Instand-", false},
    {119, 320, -2325, u"haltung oder technische Unterstützung nach der Einfuhr", false},
    {120, 1710, -340, u"Vermerke", true},
    {121, 1680, -374, u"der Zollstelle", true},
    {122, 100, -45, u"EUROPÄISCHE UNION", true},
    {123, 1340, -45, u"ERGÄNZUNGSBLATT D.V.1 BIS", true},
};

constexpr std::span<const Dv1Segment> kFrontRulings[] = {kFrontRulings1, kFrontRulings2, kFrontRulings3};
constexpr std::span<const Dv1Segment> kBackRulings[] = {kBackRulings1, kBackRulings2};
constexpr std::span<const Dv1Segment> kBisFrontRulings[] = {kBisFrontRulings1, kBisFrontRulings2};

}  // namespace

std::span<const Dv1FieldGeometry> Dv1Fields(Dv1PageKind kind) {
    switch (kind) {
        case Dv1PageKind::Front:
            return kFrontFields;
        case Dv1PageKind::Back:
            return kBackFields;
        case Dv1PageKind::BisFront:
            break;
    }
    return kBisFrontFields;
}

std::span<const Dv1Rect> Dv1Boxes() {
    return kBoxes;
}

Dv1Rect Dv1BoxRectDown(int box) {
    if (box < 0 || box >= kDv1BoxCount) return {};
    const Dv1Rect& b = kBoxes[box];
    return {b.left, -b.top, b.right, -b.bottom};
}

std::span<const std::span<const Dv1Segment>> Dv1Rulings(Dv1PageKind kind) {
    switch (kind) {
        case Dv1PageKind::Front:
            return kFrontRulings;
        case Dv1PageKind::Back:
            return kBackRulings;
        case Dv1PageKind::BisFront:
            break;
    }
    return kBisFrontRulings;
}

std::span<const Dv1BorderSegment> Dv1RightBorder(Dv1PageKind kind) {
    // Front: the thick box at the top right, then the thin frame down to the bottom line. Back
    // and BIS front: their thick outer frame.
    static constexpr Dv1BorderSegment kFront[] = {{{1920, -50, 1920, -680}, true},
                                                  {{1920, -680, 1920, -2845}, false}};
    static constexpr Dv1BorderSegment kOther[] = {{{1870, -50, 1870, -2840}, true}};
    if (kind == Dv1PageKind::Front) return kFront;
    return kOther;
}

std::span<const Dv1Caption> Dv1Captions(Dv1PageKind kind) {
    switch (kind) {
        case Dv1PageKind::Front:
            return kFrontCaptions;
        case Dv1PageKind::Back:
            return kBackCaptions;
        case Dv1PageKind::BisFront:
            break;
    }
    return kBisFrontCaptions;
}

Dv1Rect Dv1FieldRect(Dv1PageKind kind, int field) {
    const auto fields = Dv1Fields(kind);
    if (field < 0 || field >= static_cast<int>(fields.size())) return {};
    return fields[static_cast<size_t>(field)].rect;
}

Dv1Rect Dv1PrintRect(Dv1PageKind kind, int field) {
    const auto fields = Dv1Fields(kind);
    if (field < 0 || field >= static_cast<int>(fields.size())) return {};
    return fields[static_cast<size_t>(field)].printRect;
}

Dv1Rect Dv1ZoomedRect(Dv1PageKind kind, int field, int zoom) {
    const Dv1Rect r = Dv1FieldRect(kind, field);
    return {r.left * zoom / 10, r.top * zoom / 10, r.right * zoom / 10, r.bottom * zoom / 10};
}

Dv1PrintOrigin Dv1PrintOriginOf(Profile& profile, int page) {
    const size_t k = static_cast<size_t>(Dv1MarginPair(page) - 1);
    return {settings::Get(profile, settings::kDV1Form, settings::kLeftMarginDV1[k]) + 30,
            10 - settings::Get(profile, settings::kDV1Form, settings::kTopMarginDV1[k])};
}

}  // namespace tarvex
