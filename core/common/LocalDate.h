#pragma once
// Today's date in the local time zone.

namespace tarvex {

struct LocalDay {
    int year = 0, month = 0, day = 0;
};

LocalDay TodayLocal();

}  // namespace tarvex
