// FieldLocale.cpp: a locale's short-date order and long dates, from the system.
#include "controls/FieldLocale.h"

#include <windows.h>

#include <string>

namespace {

LPCWSTR NameOrDefault(const std::wstring& name) { return name.empty() ? LOCALE_NAME_USER_DEFAULT : name.c_str(); }

} // namespace

bool CFieldLocale::Load(const wchar_t* name)
{
    if (name != nullptr && ::IsValidLocaleName(name) == FALSE)
        return false;
    m_name = name != nullptr ? name : L"";
    wchar_t pattern[80] = {};
    if (::GetLocaleInfoEx(NameOrDefault(m_name), LOCALE_SSHORTDATE, pattern, 80) == 0) {
        m_order = {};
        return true;
    }
    // The letters that matter are ASCII; any other character is a literal
    // or a separator the local forms do not read.
    std::string narrow;
    for (const wchar_t* c = pattern; *c != L'\0'; ++c)
        narrow.push_back(*c < 0x80 ? static_cast<char>(*c) : '?');
    m_order = LocalOrderOfPattern(narrow);
    return true;
}

std::wstring CFieldLocale::LongDate(const CDateValue& date) const
{
    SYSTEMTIME day{};
    day.wYear = date.year;
    day.wMonth = date.month;
    day.wDay = date.day;
    day.wDayOfWeek = static_cast<WORD>((date.GetDayNumber() + 1) % 7);   // day number 0 was a Monday
    wchar_t text[128] = {};
    if (::GetDateFormatEx(NameOrDefault(m_name), DATE_LONGDATE, &day, nullptr, text, 128, nullptr) == 0)
        return {};
    return text;
}
