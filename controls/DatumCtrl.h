// DatumCtrl.h: the date control with its popup button, window class "DatumCtrl".
//
//   CDatumCtrl   the date edit's twin with the dashed display form: a
//                bitmap button at its right edge (15 pixels wide at 96
//                DPI, in proportion at others) and the keys Down,
//                F4 and Alt+Down open a month-calendar popup under the
//                field, whose picked day replaces the text
//
// The binding, the change rules, the host commands and the character filter
// are the shared half in CDatumEntry; this class adds the button, its own
// IsValid and Normalize rules, the focus handling that ignores a move to its
// own button, and the popup.
#pragma once

#include "controls/DatumEntry.h"

#include <memory>

class CKodPopupButton;

class CDatumCtrl : public CDatumEntry {
public:
    CDatumCtrl();
    // Deletes the button object, which destroys the button window if it still exists.
    ~CDatumCtrl() override;

    // Acceptable: the empty text, or a text that parses to a date that
    // passes the calendar rule, inside the range; a text that begins with
    // "2" and is shorter than 8 characters never is.
    BOOL IsValid() override;
    // Rewrites the text as yyyy-mm-dd (two-digit year below 100, empty for no date).
    void Normalize() override;

    // Moves the edit to rect (the parent's client coordinates) and the
    // button to the rect's right edge, keeping the button's top, width and
    // height. Only after WM_CREATE, which makes the button.
    virtual void MoveControl(const RECT* rect, BOOL repaint);

    // The button's width at a DPI: 15 pixels at 96, in proportion elsewhere.
    static LONG ButtonWidthAt(UINT dpi);

protected:
    TextForm BoundValueForm() const override { return TextForm::Dashed; }
    // Shows yyyy-mm-dd; no text that begins with "2" and is shorter than 8
    // characters: the year is typed in full.
    FieldKind Kind() const override { return FieldKind::Calendar; }
    // The popup button's click and drawing reach it through the parent too.
    void ReflectCompanions(CParentReflection& reflection) override;

    // WM_CREATE: narrows the edit by the button's width for the window's
    // DPI and creates the button beside it, in the same parent.
    LRESULT OnCreate(WPARAM, LPARAM createStruct);
    // WM_DPICHANGED_AFTERPARENT: the dialog moved to a monitor of another
    // DPI and the system has placed the edit anew; the button takes the
    // width for the new DPI at the edit's right edge, as high as the edit.
    LRESULT OnDpiChangedAfterParent(WPARAM, LPARAM);
    // EN_SETFOCUS: arms the focus-out check, forgets the button's focus and
    // remembers the entry text.
    LRESULT OnEnSetFocus();
    // EN_KILLFOCUS: the focus-out procedure.
    LRESULT OnEnKillFocus();
    // WM_KEYDOWN: Down and F4 open the popup once the key is processed; the
    // edit sees every key but the step keys of DCF_STEPKEYS.
    LRESULT OnKeyDown(WPARAM virtualKey, LPARAM flags);
    // WM_SYSKEYDOWN: Alt+Down opens the popup the same way.
    LRESULT OnSysKeyDown(WPARAM virtualKey, LPARAM flags);
    // WM_SYSKEYUP: the release of an Alt that closed the popup is its own.
    LRESULT OnSysKeyUp(WPARAM virtualKey, LPARAM);
    // WM_ENABLE, WM_SHOWWINDOW: the button follows the control.
    LRESULT OnEnable(WPARAM enabled, LPARAM);
    LRESULT OnShowWindow(WPARAM shown, LPARAM);
    // DCM_EXITCHECK: the focus-out procedure now, unless the button has
    // taken the focus; either way the button's signal is consumed.
    LRESULT OnExitCheck(WPARAM, LPARAM);
    // DCM_OPENPOPUP: runs the calendar popup under the field.
    LRESULT OnOpenPopup(WPARAM, LPARAM);
    // DCM_BUTTONFOCUS: the own button has taken the focus.
    LRESULT OnButtonFocus(WPARAM, LPARAM);

    const MessageMap* GetMessageMap() const override;

    // The focus went to the own button. Every date control's button has id
    // 1001: the own one is told apart by its position at this control's
    // right edge.
    bool FocusWentToCompanion() const override;

private:
    void OpenPopup();

    std::unique_ptr<CKodPopupButton> m_pPopupButton;
    BOOL m_bButtonFocus = FALSE;   // the own button took the focus since the control last had it
    // Alt was still held when the popup closed (Alt+Up): its repeats and its
    // release are the end of that chord, not a press of Alt alone.
    bool m_bAltOfClosingChord = false;
};
