// The floor for the start-up benchmark: a bare Win32 program that shows the
// test dialog from the same template as Corvanel.exe, with a plain edit in
// place of the date control, and nothing else: no framework, no OLE, no
// document. It ends when the dialog closes.
#include <windows.h>

#include <cstring>
#include <vector>

namespace {

constexpr WORD kTestDialog = 100;

// The template's item class "DatumCtrl" (UTF-16, terminated) becomes "EDIT".
// The date control is the template's last item, so only its title and extra
// count follow the class name and nothing after it needs re-aligning.
std::vector<BYTE> WithPlainEdit(const BYTE* data, DWORD size)
{
    static const wchar_t kFrom[] = L"DatumCtrl";
    static const wchar_t kTo[] = L"EDIT";
    std::vector<BYTE> copy(data, data + size);
    const std::size_t fromBytes = sizeof kFrom;
    for (std::size_t at = 0; at + fromBytes <= copy.size(); at += 2) {
        if (std::memcmp(copy.data() + at, kFrom, fromBytes) == 0) {
            copy.erase(copy.begin() + static_cast<std::ptrdiff_t>(at),
                       copy.begin() + static_cast<std::ptrdiff_t>(at + fromBytes));
            const BYTE* to = reinterpret_cast<const BYTE*>(kTo);
            copy.insert(copy.begin() + static_cast<std::ptrdiff_t>(at), to, to + sizeof kTo);
            break;
        }
    }
    return copy;
}

INT_PTR CALLBACK BareDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        SendDlgItemMessageA(dialog, 1000, EM_LIMITTEXT, 10, 0);
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(kTestDialog), reinterpret_cast<LPCSTR>(RT_DIALOG));
    if (found == nullptr)
        return 1;
    const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(instance, found)));
    std::vector<BYTE> dialogTemplate = WithPlainEdit(data, SizeofResource(instance, found));
    DialogBoxIndirectParamA(instance, reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()), nullptr,
                            &BareDialogProc, 0);
    return 0;
}
