// FieldLocale.h: what a date field takes from its locale.
//
//   CFieldLocale   a locale by name, or the user's default: the order and
//                  separator of its short date (LOCALE_SSHORTDATE), and its
//                  long form of a date (DATE_LONGDATE)
//
// The text rules get the order as data; only this class asks the system.
#pragma once

#include "datevalues/DateValue.h"
#include "textrules/LocalForms.h"

#include <string>

class CFieldLocale {
public:
    // The user's default locale.
    CFieldLocale() { Load(nullptr); }

    // Takes the locale of the name ("de-DE"); null for the user's default.
    // False, and nothing changes, for a name the system does not know.
    bool Load(const wchar_t* name);

    const LocalOrder& Order() const { return m_order; }
    // The date in the locale's long date form ("Dienstag, 15. Dezember
    // 2026"); empty when the system cannot write it.
    std::wstring LongDate(const CDateValue& date) const;

private:
    std::wstring m_name;   // empty: the user's default
    LocalOrder m_order;
};
