#include "core/common/LocalDate.h"

#include <ctime>

namespace tarvex {

LocalDay TodayLocal() {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
#ifdef _WIN32
    localtime_s(&tm, &now);
#else
    localtime_r(&now, &tm);
#endif
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday};
}

}  // namespace tarvex
