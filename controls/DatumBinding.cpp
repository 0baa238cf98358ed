// DatumBinding.cpp: corvanel.h's functions, which bind, read and set a date
// control by window handle; the C++ face (DatumBinding.h) calls them too.
#include "controls/DatumBinding.h"

#include "controls/ControlClasses.h"
#include "controls/DatumEntry.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace {

// The control object of a date-control window, or null.
CDatumEntry* DateControl(HWND control)
{
    return dynamic_cast<CDatumEntry*>(CWnd::FromHandlePermanent(control));
}

CDatumEntry* BoundControl(HWND control)
{
    CDatumEntry* entry = DateControl(control);
    return entry != nullptr && entry->IsBound() ? entry : nullptr;
}

CDateValue DateValueOf(const DATUMDATE& date) { return CDateValue{date.day, date.month, date.year}; }

// The control's text as it would be accepted on leaving, in its display form.
int ReadAccepted(HWND control, CString* display)
{
    CDatumEntry* entry = BoundControl(control);
    if (entry == nullptr)
        return DATUM_NOTBOUND;
    return entry->ReadAccepted(display) ? DATUM_OK : DATUM_REFUSED;
}

// The accepted text into a caller's buffer of either width: the text is
// plain ASCII, so each character widens as it is.
template <class Char>
int CopyAccepted(HWND control, Char* text, int size)
{
    CString display;
    const int result = ReadAccepted(control, &display);
    if (result != DATUM_OK)
        return result;
    if (text == nullptr || size <= display.GetLength())
        return DATUM_SMALLBUFFER;
    std::copy(display.GetString(), display.GetString() + display.GetLength() + 1, text);
    return DATUM_OK;
}

template <class Value>
int ReadInto(HWND control, Value* value)
{
    CString text;
    const int result = ReadAccepted(control, &text);
    if (result == DATUM_OK)
        value->Parse(text.GetString());
    return result;
}

} // namespace

BOOL WINAPI DatumRegisterClasses()
{
    const INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_DATE_CLASSES};
    ::InitCommonControlsEx(&classes);
    const BOOL edit = RegisterDatumEditClass();
    const BOOL ctrl = RegisterDatumCtrlClass();
    return edit && ctrl;
}

// The size of DATUMBINDING before it had a locale: a program built with that
// header binds its fields on the user's locale, completing to the nearest.
constexpr UINT kBindingSizeBeforeLocale = offsetof(DATUMBINDING, locale);

BOOL WINAPI DatumBindField(HWND control, const DATUMBINDING* given)
{
    if (given == nullptr || (given->cbSize != sizeof(DATUMBINDING) && given->cbSize != kBindingSizeBeforeLocale))
        return FALSE;
    DATUMBINDING copy{};
    std::memcpy(&copy, given, given->cbSize);
    const DATUMBINDING* binding = &copy;
    // The range and the locale are checked once, by SetRange and SetLocale,
    // and stored before anything binds, so that the initial text's change
    // rules judge it with them. A binding that then fails (no parent) leaves
    // them and the day rule on an unbound control, where they change nothing
    // until a binding succeeds.
    CDatumEntry* entry = DateControl(control);
    if (entry == nullptr || entry->IsBound() || binding->partial < DATUM_PARTIAL_NEAREST || binding->partial > DATUM_PARTIAL_FUTURE ||
        !entry->SetRange(DateValueOf(binding->minDate), DateValueOf(binding->maxDate)) ||
        !entry->SetLocale(binding->locale, static_cast<DatumPartial>(binding->partial)))
        return FALSE;
    entry->SetDayRule(DatumDayRuleOfC(binding->dayRule), binding->dayRuleContext);
    return entry->BindOwned(static_cast<std::uint16_t>(binding->maxLen), static_cast<int>(binding->flags),
                            binding->initial, binding->dateTime != FALSE);
}

BOOL WINAPI DatumLinkFields(const DATUMLINK* link)
{
    if (link == nullptr)
        return FALSE;
    DatumLinkRequest request;
    request.start = link->start;
    request.end = link->end;
    request.shortest = link->shortest;
    request.longest = link->longest;
    request.flags = link->flags;
    return CDatumEntry::Link(request) ? TRUE : FALSE;
}

BOOL WINAPI DatumUnlink(HWND field)
{
    CDatumEntry* entry = DateControl(field);
    return entry != nullptr && entry->Unlink() ? TRUE : FALSE;
}

int WINAPI DatumGetTextA(HWND control, LPSTR text, int size) { return CopyAccepted(control, text, size); }

int WINAPI DatumGetTextW(HWND control, LPWSTR text, int size) { return CopyAccepted(control, text, size); }

int WINAPI DatumGetDate(HWND control, DATUMDATE* date)
{
    CDateValue read;
    const int result = ReadInto(control, &read);
    if (result == DATUM_OK && date != nullptr)
        *date = DatumDateOf(read);
    return result;
}

int WINAPI DatumGetDateTime(HWND control, double* oleDate)
{
    CDateTimeValue read;
    const int result = ReadInto(control, &read);
    if (result == DATUM_OK && oleDate != nullptr)
        *oleDate = read.date;
    return result;
}

int WINAPI DatumSetTextA(HWND control, LPCSTR text)
{
    CDatumEntry* entry = BoundControl(control);
    if (entry == nullptr)
        return DATUM_NOTBOUND;
    return entry->SetAccepted(CString(text != nullptr ? text : "")) ? DATUM_OK : DATUM_REFUSED;
}

int WINAPI DatumSetTextW(HWND control, LPCWSTR text)
{
    std::string narrow;
    for (const wchar_t* c = text; c != nullptr && *c != L'\0'; ++c) {
        if (*c > 0x7F)
            return BoundControl(control) != nullptr ? DATUM_REFUSED : DATUM_NOTBOUND;
        narrow.push_back(static_cast<char>(*c));
    }
    return DatumSetTextA(control, narrow.c_str());
}

int WINAPI DatumSetDate(HWND control, const DATUMDATE* date)
{
    const CDateValue value = date != nullptr ? DateValueOf(*date) : CDateValue{};
    return DatumSetTextA(control, value.FormatDashed().GetString());
}

int WINAPI DatumSetDateTime(HWND control, double oleDate)
{
    CDateTimeValue value;
    value.date = oleDate;
    return DatumSetTextA(control, value.FormatDashed().GetString());
}

UINT CALLBACK DatumWeekdaysOnly(const DATUMDATE* day, void* context, LPSTR reason, int reasonSize)
{
    return day != nullptr ? DatumWeekdaysOnly(DateValueOf(*day), context, reason, reasonSize) : 0;
}
