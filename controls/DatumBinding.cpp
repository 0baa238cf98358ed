// DatumBinding.cpp: binding, reading and setting a date control by window handle.
#include "controls/DatumBinding.h"

#include "controls/ControlClasses.h"
#include "controls/DatumEntry.h"

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

// The control's text as it would be accepted on leaving, in its display form.
DatumResult ReadAccepted(HWND control, CString* display)
{
    CDatumEntry* entry = BoundControl(control);
    if (entry == nullptr)
        return DatumResult::NotBound;
    return entry->ReadAccepted(display) ? DatumResult::Ok : DatumResult::Refused;
}

template <class Value>
DatumResult ReadInto(HWND control, Value* value)
{
    CString text;
    const DatumResult result = ReadAccepted(control, &text);
    if (result == DatumResult::Ok)
        value->Parse(text.GetString());
    return result;
}

} // namespace

BOOL DatumRegisterClasses()
{
    const INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_DATE_CLASSES};
    ::InitCommonControlsEx(&classes);
    const BOOL edit = RegisterDatumEditClass();
    const BOOL ctrl = RegisterDatumCtrlClass();
    return edit && ctrl;
}

bool DatumBind(HWND control, const DatumBinding& binding)
{
    // The range and the locale are checked once, by SetRange and SetLocale,
    // and stored before anything binds, so that the initial text's change
    // rules judge it with them. A binding that then fails (no parent) leaves
    // them and the day rule on an unbound control, where they change nothing
    // until a binding succeeds.
    CDatumEntry* entry = DateControl(control);
    if (entry == nullptr || entry->IsBound() || !entry->SetRange(binding.minDate, binding.maxDate) ||
        !entry->SetLocale(binding.locale, binding.partial))
        return false;
    entry->SetDayRule(binding.dayRule, binding.dayRuleContext);
    return entry->BindOwned(static_cast<std::uint16_t>(binding.maxLen), binding.flags, binding.initial,
                            binding.dateTime);
}

DatumResult DatumGetText(HWND control, std::string* text)
{
    CString display;
    const DatumResult result = ReadAccepted(control, &display);
    if (result == DatumResult::Ok)
        text->assign(display.GetString());
    return result;
}

DatumResult DatumGetDate(HWND control, CDateValue* date) { return ReadInto(control, date); }

DatumResult DatumGetDateTime(HWND control, CDateTimeValue* value) { return ReadInto(control, value); }

DatumResult DatumSetText(HWND control, const char* text)
{
    CDatumEntry* entry = BoundControl(control);
    if (entry == nullptr)
        return DatumResult::NotBound;
    return entry->SetAccepted(CString(text != nullptr ? text : "")) ? DatumResult::Ok : DatumResult::Refused;
}

DatumResult DatumSetDate(HWND control, const CDateValue& date)
{
    return DatumSetText(control, date.FormatDashed().GetString());
}

DatumResult DatumSetDateTime(HWND control, const CDateTimeValue& value)
{
    return DatumSetText(control, value.FormatDashed().GetString());
}

DatumResult DatumGetTextW(HWND control, std::wstring* text)
{
    std::string narrow;
    const DatumResult result = DatumGetText(control, &narrow);
    if (result == DatumResult::Ok)
        text->assign(narrow.begin(), narrow.end());   // an accepted text is digits and dashes
    return result;
}

DatumResult DatumSetTextW(HWND control, const wchar_t* text)
{
    std::string narrow;
    for (const wchar_t* c = text; c != nullptr && *c != L'\0'; ++c) {
        if (*c > 0x7F)
            return BoundControl(control) != nullptr ? DatumResult::Refused : DatumResult::NotBound;
        narrow.push_back(static_cast<char>(*c));
    }
    return DatumSetText(control, narrow.c_str());
}
