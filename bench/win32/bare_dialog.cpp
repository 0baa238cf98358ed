// The floor for the start-up benchmark: a bare Win32 program that shows the
// test dialog from the same template as Corvanel.exe, with a plain edit in
// place of the date control, and nothing else: no framework, no OLE, no
// document. It ends when the dialog closes.
//
// Built a second time with CORVANEL_STARTUP_WORK, it first does by hand the
// system work that Corvanel.exe must do before its dialog: the common controls
// with the same classes, OLE, and a hidden frame window with the menu and a
// child view. That program shows how much of the start-up cost the system
// calls take, apart from the framework and the controls.
#include <windows.h>
#if defined(CORVANEL_STARTUP_WORK)
#include <commctrl.h>
#include <ole2.h>
#endif

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

#if defined(CORVANEL_STARTUP_WORK)
constexpr WORD kMainFrame = 128;

void DoStartupWork(HINSTANCE instance)
{
    ::InitCommonControls();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_USEREX_CLASSES |
                                                       ICC_COOL_CLASSES | ICC_INTERNET_CLASSES |
                                                       ICC_PAGESCROLLER_CLASS};
    ::InitCommonControlsEx(&controls);
    ::OleInitialize(nullptr);
    WNDCLASSA frameClass{};
    frameClass.lpfnWndProc = DefWindowProcA;
    frameClass.hInstance = instance;
    frameClass.hIcon = ::LoadIconA(instance, MAKEINTRESOURCEA(kMainFrame));
    frameClass.lpszClassName = "BareFrame";
    ::RegisterClassA(&frameClass);
    HWND frame = ::CreateWindowExA(0, "BareFrame", "Corvanel", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                                   ::LoadMenuA(instance, MAKEINTRESOURCEA(kMainFrame)), instance, nullptr);
    ::CreateWindowExA(WS_EX_CLIENTEDGE, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, frame, nullptr,
                      instance, nullptr);
}
#endif

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
#if defined(CORVANEL_STARTUP_WORK)
    DoStartupWork(instance);
#endif
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(kTestDialog), reinterpret_cast<LPCSTR>(RT_DIALOG));
    if (found == nullptr)
        return 1;
    const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(instance, found)));
    std::vector<BYTE> dialogTemplate = WithPlainEdit(data, SizeofResource(instance, found));
    DialogBoxIndirectParamA(instance, reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()), nullptr,
                            &BareDialogProc, 0);
    return 0;
}
