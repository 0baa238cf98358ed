// DatumEntry.h: the half that the two date controls share.
//
//   CDatumEntry   an edit window with the custom-control binding: the
//                 character filter, the change handler, the host commands,
//                 the data exchange, and reading the text as a date; and
//                 the typing aids of the option bits DCF_LOCALFORMS,
//                 DCF_STEPKEYS and DCF_HINT (TypingAids.cpp)
//
// CDatumEdit and CDatumCtrl derive from it; each adds its own focus handling,
// its IsValid and Normalize rules and the text form of its bound value.
//
// A control is bound in one of two ways: by its framework dialog's data
// exchange, to the dialog's members, or by window handle (DatumBinding.h)
// under any parent, to a text and a value of its own; the parent then
// reflects the control's notifications through a window subclass.
#pragma once

#include "controls/CustomCtrl.h"
#include "controls/FieldLocale.h"
#include "controls/PreviewTip.h"
#include "controls/RefusalTip.h"
#include "datevalues/DateTimeValue.h"
#include "datevalues/DateValue.h"
#include "platform/window/Edit.h"
#include "textrules/StepKeys.h"
#include "textrules/TextRules.h"

#include <memory>
#include <string>

class CDataExchange;
class CParentReflection;

class CDatumEntry : public CEdit, public CCustomCtrl {
public:
    CDatumEntry();
    // Ends a binding of the control's own with its reflection.
    ~CDatumEntry() override;

    // --- binding ---
    // The dialog's data exchange for this control. The first call binds the
    // control (id, limit, members, option bits, initial text); every call
    // then moves the text between window and member and checks the limit.
    void ExchangeData(CDataExchange* pDX, int nID, std::uint16_t nMaxLen, CString& text, void* pValue, int nFlags,
                      const char* pszInitial);
    // Marks the bound value as a CDateTimeValue rather than a CDateValue; a
    // host calls it before the first exchange that binds such a value.
    void SetDateTimeValue(bool isDateTimeValue) { m_bDateTimeValue = isDateTimeValue; }
    // The earliest and the latest date the control accepts (the empty date:
    // no limit on that side), before or after binding. A date outside is
    // refused wherever an impossible date is. False, and nothing stored,
    // when a side is an impossible date or has a year below 100 or above
    // 9999, or when the earliest lies after the latest.
    bool SetRange(const CDateValue& min, const CDateValue& max);
    // The host's rule on single days (DayRule.h), before or after binding;
    // a null rule removes it. A blocked day is refused wherever a date
    // outside the range is; marked days are bold in the calendar.
    void SetDayRule(DatumDayRule rule, void* context);
    // The locale by name ("de-DE"; null: the user's default), before or
    // after binding: its order of day, month and year for DCF_LOCALFORMS
    // and DCF_HINT, its long dates for the preview; and how a date typed in
    // part is completed. False, and nothing stored, for a name the system
    // does not know.
    bool SetLocale(const wchar_t* name, DatumPartial partial = DatumPartial::Nearest);

    // --- binding without the framework ---
    // Binds the control to a text and a value of its own (a CDateTimeValue
    // when dateTime is set) and has its parent reflect its notifications,
    // then loads the initial text and the limit as a first exchange would.
    // False when the control is bound already or has no parent.
    bool BindOwned(std::uint16_t nMaxLen, int nFlags, const char* pszInitial, bool dateTime);
    // The window text as the focus-out check judges it: false for a refused
    // text and for an empty one under DCF_REQUIRED; else true with the text
    // in the display form. The window is not touched.
    bool ReadAccepted(CString* display) const;
    // Sets the text as if it had been typed and the user had left: a text
    // the control refuses is refused (false) and nothing changes; an
    // accepted one goes into the window in the display form, without an
    // auto-advance, and into the bound text and value.
    bool SetAccepted(const CString& text);

    // --- a linked pair (DatumPair.cpp) ---
    // Links this field as the start of a pair with end, or as the end of a
    // pair with start: the end refuses a date before the start, the start
    // one after the end, a span shorter than shortest or longer than longest
    // days (0: no limit) is refused on either side, and with DLF_KEEPSPAN in
    // flags a start that moves takes the end along. A field leaves the pair
    // it was in. False, and nothing changed, for the field itself, a field
    // without a window or spans PairRule::SpansAllowed refuses.
    bool LinkEnd(CDatumEntry& end, int shortest = 0, int longest = 0, UINT flags = 0);
    bool LinkStart(CDatumEntry& start, int shortest = 0, int longest = 0, UINT flags = 0);
    // The same for the two windows of a request; false when either is no date control.
    static bool Link(const DatumLinkRequest& request);
    // Ends the field's pair for both fields; false when it was in none.
    bool Unlink();

    // --- reading the text ---
    // Parse the window text into the value; 0 for a null value, else the
    // length of the window text.
    virtual int GetDateTimeValue(CDateTimeValue* pValue);
    virtual int GetDateValue(CDateValue* pValue);

    // --- the control interface ---
    int GetText(char* buffer, int capacity) override;
    void SetCtrlFocus() override;
    // With DCF_EXPLAIN, a tip at the field says why its text is refused,
    // when the field has the focus after the refusal.
    void ExplainRefusal() override;

    // --- fields, beside those of CCustomCtrl ---
    BOOL m_bCheckOnKillFocus = TRUE;  // run the focus-out check at the next loss of the focus; a
                                      // DCM_YIELDFOCUS clears it to skip that one check

protected:
    // The text forms in which DCM_VALUETOTEXT can write the bound value.
    enum class TextForm { None, Dashed, Compact, Short };
    virtual TextForm BoundValueForm() const = 0;
    // Which of the two fields this is: its display form and its own
    // narrowing of the forms it reads.
    virtual FieldKind Kind() const = 0;
    // The control's own IsValid rule on any text: nothing refused, the
    // range included.
    BOOL AcceptsText(const CString& text) const { return Judge(text).refusal == DatumRefusal::None; }
    // The text by the control's rules (TextRules.h): why it is refused, the
    // range included, and the date it stands for. An empty text is never
    // refused here (DCF_REQUIRED is the focus-out check's).
    Judgement Judge(const CString& text) const { return JudgeText(Rules(), text); }
    // The rules the control's texts and dates are judged by where a text is
    // judged (leaving, DCM_VERIFY, the reads, a pick): its own, and the
    // rule of its pair.
    EntryRules Rules() const;
    // The control's own rules: its kind, option bits, range and day rule,
    // by which its text is judged while it is typed, and read by the other
    // side of its pair.
    EntryRules OwnRules() const;
    // The change rules judge the text by the control's own rules.
    BOOL IsValidAsTyped() override;
    // An accepted start takes a kept span's end along; either side mended
    // takes the other's tip away.
    void TextAccepted() override;
    // A text that only its pair refuses lets the focus go to the other side,
    // where the pair can be mended.
    BOOL LetsFocusGo() override;
    // A control with a companion window reflects its notifications too.
    virtual void ReflectCompanions(CParentReflection&) {}
    // Whether the focus went to a window that belongs to the control (the
    // date control's own button), which is no leaving at all.
    virtual bool FocusWentToCompanion() const { return false; }

    // The focus-out procedure of both controls: nothing for an unbound
    // control or a move to its companion; a yield skips this one loss;
    // otherwise the exit check on the window text.
    void FocusOut();

    CString WindowText() const;
    // The text rewritten: the date it stands for, in the display form.
    CString Rewritten(const CString& text) const;
    // The shared rewrite: the window text in the display form, set with
    // m_bSettingText raised so the change does not advance the focus.
    void RewriteInDisplayForm();
    // The bound text parsed into the bound value of its kind.
    void ParseBoundValue();

    // Shared message handlers (map below).
    LRESULT OnChar(WPARAM character, LPARAM flags);
    LRESULT OnPaste(WPARAM, LPARAM);
    LRESULT OnEnChange();
    LRESULT OnClear(WPARAM, LPARAM);
    LRESULT OnValueToText(WPARAM, LPARAM);
    LRESULT OnTextToValue(WPARAM, LPARAM);
    LRESULT OnSetRange(WPARAM, LPARAM range);
    LRESULT OnSetDayRule(WPARAM, LPARAM ruleSpec);
    LRESULT OnLink(WPARAM, LPARAM linkRequest);
    LRESULT OnSetLocale(WPARAM partial, LPARAM name);
    LRESULT OnVerify(WPARAM, LPARAM);
    LRESULT OnCheckModified(WPARAM, LPARAM);
    LRESULT OnYieldFocus(WPARAM, LPARAM);
    LRESULT OnGetObject(WPARAM, LPARAM objectId);
    // The typing aids (TypingAids.cpp).
    LRESULT OnKeyDown(WPARAM virtualKey, LPARAM flags);
    LRESULT OnMouseWheel(WPARAM keysAndDelta, LPARAM point);
    LRESULT OnPaint(WPARAM, LPARAM);

    const MessageMap* GetMessageMap() const override;
    // The refusal tip goes at the next key, click or focus change, before
    // any handler sees it.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The window is gone: the object deletes itself.
    void PostNcDestroy() override;

    bool m_bDateTimeValue = false;    // m_pValue is a CDateTimeValue
    DateRange m_range;                // the dates the control accepts
    DayRule m_dayRule;                // the days among them it refuses, and marks
    CRefusalTip m_tip;                // the tip that explains a refusal (DCF_EXPLAIN)

    // --- the typing aids (TypingAids.cpp) ---
    // The hint for the field's rules: to the edit of common controls 6 as
    // its cue banner, else drawn by OnPaint; nothing without DCF_HINT.
    void ApplyHint();
    // After every change of the window text: the hint drawn anew, the
    // preview shown, changed or taken away.
    void AfterTextChange(const CString& text);
    // A + or - typed at the end of an accepted date under DCF_STEPKEYS,
    // with nothing selected: the date steps a day, and the sign is not typed.
    bool StepsOnSign(WPARAM character);
    // The date stepped and rewritten in the display form, as typing
    // rewrites (DCN_CHANGE), with a beep where it stays; false when the
    // text is no date a step starts from.
    bool StepDate(DateStep step);

    CFieldLocale m_locale;                          // the order, hint and long dates of the field's locale
    DatumPartial m_partial = DatumPartial::Nearest; // how a date typed in part is completed
    CPreviewTip m_preview;                          // the date a shorthand stands for (DCF_HINT)
    std::wstring m_hint;                            // the hint's text; empty without DCF_HINT
    bool m_drawsHint = false;                       // the edit has no cue banner: OnPaint draws the hint
    int m_wheelDelta = 0;                           // wheel turns short of a whole notch

private:
    // The client object's description: the refusal tip's sentence, else
    // the preview, else the form of the hint; read at each request.
    static LPCWSTR Description(HWND window);

    // What a control bound without the framework owns.
    struct OwnedBinding;
    std::unique_ptr<OwnedBinding> m_pOwned;

    // The link to the other side of a pair, kept by both sides.
    struct PairLink {
        HWND self = nullptr;            // this field's window, which the other side's link names
        HWND other = nullptr;           // the other side's window; null: not linked
        PairSide side = PairSide::None;
        int shortest = 0;
        int longest = 0;
        bool keepSpan = false;
        CDateValue keptFrom{};          // the start's: its date when it was last accepted
    };
    static bool Link(CDatumEntry& start, CDatumEntry& end, int shortest, int longest, UINT flags);
    // The other side's object while both windows live, else null.
    CDatumEntry* Partner() const;
    // The date of the window text by the control's own rules; empty when none or refused.
    CDateValue OwnDate() const;
    // The focus is at the other side of the pair, or at its button.
    bool FocusIsWithPartner() const;
    // The end takes the date its start moved it to, as a change of its text.
    void MoveAlong(const CDateValue& date);
    // The tip goes when the text it explains is now accepted.
    void HideTipWhenMended();

    PairLink m_link;
};
