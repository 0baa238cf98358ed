// CDateTimeValue: an automation date with a status word.
//
// The date counts days since 1899-12-30 00:00:00 with the time of day as the
// fraction, and is read and written only through the platform conversions
// to broken-down time. The calendar day 0100-01-01 (at any time of day) is
// the sentinel that stands for no date: a Valid value holding it, or a Null
// value, is empty and formats as the empty text.
#pragma once

#include "platform/core/String.h"

#include <cstdint>

class CDateTimeValue {
public:
    enum DateTimeStatus : std::int32_t { Error = -1, Valid = 0, Invalid = 1, Null = 2 };

    // The sentinel day, the earliest an automation date can hold.
    static constexpr std::int32_t SentinelYear = 100;
    static constexpr std::int32_t SentinelMonth = 1;
    static constexpr std::int32_t SentinelDay = 1;

    double date = 0.0;
    std::int32_t status = Valid;

    // The confirmed conversion: Valid exactly when the six components (each
    // taken as its low 16 bits) form a real date and time from 0100-01-01
    // 00:00:00 to 9999-12-31 23:59:59, else Invalid.
    void SetComponents(std::int32_t year, std::int32_t month, std::int32_t day,
                       std::int32_t hour, std::int32_t minute, std::int32_t second);

    // Components of the stored date; -1 when the status is not Valid or the
    // date does not convert.
    std::int32_t Year() const;
    std::int32_t Month() const;
    std::int32_t Day() const;
    std::int32_t Hour() const;
    std::int32_t Minute() const;
    std::int32_t Second() const;

    // Null, or Valid on the sentinel day.
    bool IsEmpty() const;

    // Invalid and Error stay as they are (false). An empty value becomes
    // Valid (true). Otherwise Valid exactly when the stored date converts and
    // passes the calendar rule.
    bool Validate();

    // "%04d%02d%02d", "%04d-%02d-%02d" and "%02d%02d%02d" (year mod 100) of
    // Year, Month, Day, so every field prints -1 for a value that is not
    // Valid; the empty text for an empty value.
    CString FormatCompact() const;
    CString FormatDashed() const;
    CString FormatShort() const;

    // Julian Day Number of the stored day; the time of day is ignored.
    std::int32_t GetDayNumber() const;
    // That day at 00:00:00, then Validate; the sentinel day gives the empty value.
    CDateTimeValue& SetDayNumber(std::int32_t dayNumber);
    CDateTimeValue& NextDay();
    CDateTimeValue& PreviousDay();

    // The current local date and time to the second; Invalid with date 0.0
    // when the local time cannot be had.
    CDateTimeValue& SetNow();

    // Replaces the value from text, read like CDateValue::Parse (lengths 10,
    // 8 and 6, else the keyword letters D, G, M), then Validate. Unreadable
    // text leaves the empty value. A null text is empty.
    CDateTimeValue& Parse(const char* text);

private:
    struct Components {
        std::int32_t year = -1, month = -1, day = -1, hour = -1, minute = -1, second = -1;
    };

    // Every component, or all -1.
    Components GetComponents() const;
    bool IsEmpty(const Components& c) const;
    // The sentinel day at 00:00:00, Valid.
    void ResetToSentinel();
    CString Format(const Components& c, const char* separator, bool shortYear) const;
};
