// UnicodeDialog.cpp: the date controls in a Unicode program: UNICODE and
// _UNICODE defined, a wide dialog procedure, and a manifest that asks for
// common controls 6 and per-monitor DPI awareness.
//
// The same dialog as the plain example: a required due date with the
// calendar button and a start date that moves the focus on once whole. The
// texts go in and out as wide strings; the controls' notifications arrive
// at the wide procedure as they do at a single-byte one.
#include "controls/DatumBinding.h"
#include "UnicodeDialogIds.h"

#include <string>

namespace {

// OK: both dates as the fields accept them on leaving. A refused or missing
// date keeps the dialog open with the focus in its field.
void OnOk(HWND dialog)
{
    std::wstring due;
    std::wstring start;
    for (auto [id, text] : {std::pair{IDC_DUE_DATE, &due}, std::pair{IDC_START_DATE, &start}}) {
        if (DatumGetTextW(GetDlgItem(dialog, id), text) != DatumResult::Ok) {
            SetFocus(GetDlgItem(dialog, id));
            return;
        }
    }
    const std::wstring shown = L"Due date: " + due + L"\nStart date: " + (start.empty() ? L"(none)" : start);
    MessageBox(dialog, shown.c_str(), TEXT("Unicode dialog"), MB_OK | MB_ICONINFORMATION);
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK UnicodeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        DatumBind(GetDlgItem(dialog, IDC_DUE_DATE), {.maxLen = 10, .flags = DCF_REQUIRED});
        DatumBind(GetDlgItem(dialog, IDC_START_DATE), {.maxLen = 8, .flags = DCF_AUTOADVANCE});
        DatumSetTextW(GetDlgItem(dialog, IDC_START_DATE), L"070115");   // shows 20070115
        return TRUE;
    case DCN_EXITCHANGED:   // wParam: the field that was left with a new date
        SetWindowText(dialog, wParam == IDC_DUE_DATE ? TEXT("Unicode dialog: due date changed")
                                                     : TEXT("Unicode dialog: start date changed"));
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK)
            OnOk(dialog);
        else if (LOWORD(wParam) == IDCANCEL)
            EndDialog(dialog, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    DatumRegisterClasses();
    DialogBoxParam(instance, MAKEINTRESOURCE(IDD_UNICODE_DIALOG), nullptr, &UnicodeDialogProc, 0);
    return 0;
}
