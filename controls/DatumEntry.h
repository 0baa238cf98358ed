// DatumEntry.h: the half that the two date controls share.
//
//   CDatumEntry   an edit window with the custom-control binding: the
//                 character filter, the change handler, the host commands,
//                 the data exchange, and reading the text as a date
//
// CDatumEdit and CDatumCtrl derive from it; each adds its own focus handling,
// its IsValid and Normalize rules and the text form of its bound value.
#pragma once

#include "controls/CustomCtrl.h"
#include "datevalues/DateValue.h"
#include "platform/Edit.h"

class CDataExchange;
class CDateTimeValue;

class CDatumEntry : public CEdit, public CCustomCtrl {
public:
    // --- binding ---
    // The dialog's data exchange for this control. The first call binds the
    // control (id, limit, members, option bits, initial text); every call
    // then moves the text between window and member and checks the limit.
    void ExchangeData(CDataExchange* pDX, int nID, std::uint16_t nMaxLen, CString& text, void* pValue, int nFlags,
                      const char* pszInitial);
    // Marks the bound value as a CDateTimeValue rather than a CDateValue; a
    // host calls it before the first exchange that binds such a value.
    void SetDateTimeValue(bool isDateTimeValue) { m_bDateTimeValue = isDateTimeValue; }
    bool IsDateTimeValue() const { return m_bDateTimeValue; }
    BOOL ChecksOnKillFocus() const { return m_bCheckOnKillFocus; }

    // --- reading the text ---
    // Parse the window text into the value; 0 for a null value, else the
    // length of the window text.
    virtual int GetDateTimeValue(CDateTimeValue* pValue);
    virtual int GetDateValue(CDateValue* pValue);

    // --- the control interface ---
    int GetText(char* buffer, int capacity) override;
    void SetCtrlFocus() override;

protected:
    // The text forms in which DCM_VALUETOTEXT can write the bound value.
    enum class TextForm { None, Dashed, Compact, Short };
    virtual TextForm BoundValueForm() const = 0;

    CString WindowText() const;
    // The window text parsed as a date; the second result says whether a
    // non-empty text gave no date at all, which both controls refuse.
    CDateValue ParseWindowText(bool* textWithoutDate) const;
    // The rule both controls share: the empty text, or a text that parses to
    // a date passing the calendar rule whose year the display forms can hold.
    BOOL IsValidDateText() const;
    // The shared rewrite: parse, window the year, set the text in this form
    // with m_bSettingText raised so the change does not advance the focus.
    void NormalizeTo(TextForm form);

    // Shared message handlers (map below).
    LRESULT OnChar(WPARAM character, LPARAM flags);
    LRESULT OnEnChange();
    LRESULT OnClear(WPARAM, LPARAM);
    LRESULT OnValueToText(WPARAM, LPARAM);
    LRESULT OnTextToValue(WPARAM, LPARAM);
    LRESULT OnVerify(WPARAM, LPARAM);
    LRESULT OnCheckModified(WPARAM, LPARAM);
    LRESULT OnYieldFocus(WPARAM, LPARAM);
    LRESULT OnGetObject(WPARAM, LPARAM objectId);

    const MessageMap* GetMessageMap() const override;
    // The window is gone: the object deletes itself.
    void PostNcDestroy() override;

    BOOL m_bCheckOnKillFocus = TRUE;  // run the focus-out check at the next loss of the focus
    bool m_bDateTimeValue = false;    // m_pValue is a CDateTimeValue
};
