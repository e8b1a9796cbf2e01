#pragma once

#include <QString>

class TimePoint;

// The text a time point shows in its timing segment's list, e.g. "[08:30] [Monday,Friday]":
// its time, its date range when one applies, and its days unless it fires on all seven or
// none. Built from the point's fields in the current interface language.
namespace TimePointText {
QString displayText(const TimePoint &point);
} // namespace TimePointText
