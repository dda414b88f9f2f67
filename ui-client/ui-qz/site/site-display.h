#pragma once

#include <QString>

#include <cstdint>

// Display texts of sizes, durations and times, shared by every view.

// "%1 B" below 1000 bytes, else KB, MB, GB or TB in steps of 1024, the unit
// switching at 1000 of the smaller one.
QString getHumanReadableSize(double size);
// A size as typed ("1.5k", "2M", "100") in bytes. Not a number: 0; negative
// or NaN: 0; beyond the 64-bit range: UINT64_MAX.
uint64_t translateHumanReadableSize(const QString& input);
// "[<days> day(s) ]hh:mm:ss"; empty for a negative value.
QString getHumanReadableDuration(int sec);
// Local time as "yyyy-MM-dd hh:mm:ss".
QString getHumanReadableTime(unsigned int time);
