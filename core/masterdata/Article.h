#pragma once
// One entry of the article master data: what goes into boxes 31, 33 and 34 of a goods item.

#include <array>
#include <string>

namespace tarvex {

inline constexpr int kArticleCodes = 7;  // WNR1..WNR5, LAND1, LAND2

struct CArticle {
    std::u16string description;                       // box 31, lines separated by CR LF
    std::array<std::u16string, kArticleCodes> codes;  // box 33 A..E, 34 A, 34 B
};

}  // namespace tarvex
