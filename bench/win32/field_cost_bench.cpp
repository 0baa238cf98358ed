// field_cost_bench.cpp: what a date field costs, beside the parts it is made
// of and beside the system's date picker, in a plain Win32 program.
//
//   field_cost_bench.exe [rounds]          the dialogs, alternating (default 21 rounds)
//   field_cost_bench.exe --steps [rounds]  the steps of making one field and of one keystroke
//
// Each kind of dialog holds 40 fields under a plain dialog procedure; each
// round creates it, shows it, types a date into every field and destroys
// it, the kinds taking turns so that drift hits all alike:
//
//   DatumCtrl        "DatumCtrl" fields bound with DatumBind
//   DatumCtrl, DLL   the same fields from corvanel.dll (beside the program),
//                    bound with its DatumBindField: the dialog is made with
//                    the DLL's module, so its template finds the DLL's classes
//   DatumCtrl, framework  the same fields in a dialog of our framework layer,
//                    bound by its data exchange: the dialog reflects the
//                    fields' notifications itself, no parent subclass
//   auto-advance     "DatumCtrl" fields bound with DatumBind and
//                    DCF_AUTOADVANCE: the date's last keystroke judges the
//                    text, moves the focus on and runs the exit check, all
//                    inside the timed keystroke
//   weekdays only    the same with the day rule DatumWeekdaysOnly, asked by
//                    both judgements of the last keystroke: the rule's cost
//                    is this row against the one above
//   DatumEdit        "DatumEdit" fields bound with DatumBind
//   date picker      the system's "SysDateTimePick32"
//   edit + button    an edit with an owner-drawn button beside it: the parts
//                    of a DatumCtrl, and the floor of its dialog
//   edit             a plain edit: the floor of a keystroke and of DatumEdit
//
// A keystroke is WM_KEYDOWN, WM_CHAR and WM_KEYUP sent to the focused field,
// then UpdateWindow. The report gives medians and their ratios to the floor.
#include "corvanel.h"
#include "controls/ControlResources.h"
#include "controls/DatumBinding.h"
#include "controls/DatumEntry.h"
#include "platform/window/DataExchange.h"
#include "platform/window/Dialog.h"
#include "platform/window/Dpi.h"
#include "tests/win32/support/DialogTemplate.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kFields = 40;
constexpr WORD kFirstId = 2000;        // clear of the ids that the controls keep
constexpr WORD kFirstButtonId = 3000;  // the floor's buttons
constexpr const char* kTyped = "20261208";   // a Tuesday: the day rule allows it
constexpr int kTypedLength = 8;

enum class Kind { DatumCtrl, DllCtrl, FrameworkCtrl, AutoAdvance, WeekdaysOnly, DatumEdit, Picker, EditButton, Edit };

struct KindInfo {
    Kind kind;
    const char* name;
    const char* className;
};

constexpr KindInfo kKinds[] = {
    {Kind::DatumCtrl, "DatumCtrl", "DatumCtrl"},
    {Kind::DllCtrl, "  DLL", "DatumCtrl"},
    {Kind::FrameworkCtrl, "  framework", "DatumCtrl"},
    {Kind::AutoAdvance, "  auto-advance", "DatumCtrl"},
    {Kind::WeekdaysOnly, "  weekdays", "DatumCtrl"},
    {Kind::DatumEdit, "DatumEdit", "DatumEdit"},
    {Kind::Picker, "date picker", DATETIMEPICK_CLASSA},
    {Kind::EditButton, "edit + button", "EDIT"},
    {Kind::Edit, "edit", "EDIT"},
};

// corvanel.dll, loaded beside the statically linked controls: its module
// and its own register and bind functions.
struct CorvanelDll {
    HMODULE module = nullptr;
    decltype(&DatumRegisterClasses) registerClasses = nullptr;
    decltype(&DatumBindField) bindField = nullptr;
};
CorvanelDll g_dll;

template <class Function>
Function DllFunction(HMODULE module, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

bool LoadCorvanelDll()
{
    g_dll.module = LoadLibraryA("corvanel.dll");
    if (!g_dll.module)
        return false;
    g_dll.registerClasses = DllFunction<decltype(g_dll.registerClasses)>(g_dll.module, "DatumRegisterClasses");
    g_dll.bindField = DllFunction<decltype(g_dll.bindField)>(g_dll.module, "DatumBindField");
    return g_dll.registerClasses && g_dll.bindField && g_dll.registerClasses();
}

double Now()
{
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / frequency;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

void Pump()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// 40 fields in four columns, 64 by 14 dialog units each; the floor's buttons
// take the right 10 units of their field's place, as a DatumCtrl's does.
std::vector<WORD> BuildTemplate(const KindInfo& info, test::DialogTemplate& dialog)
{
    std::vector<WORD> ids;
    for (int i = 0; i < kFields; ++i) {
        const auto x = static_cast<short>(10 + (i % 4) * 72);
        const auto y = static_cast<short>(10 + (i / 4) * 18);
        const auto id = static_cast<WORD>(kFirstId + i);
        const short width = info.kind == Kind::EditButton ? 54 : 64;
        dialog.Add(test::EditBox(id, x, y, width, info.className));
        if (info.kind == Kind::EditButton)
            dialog.Add({.className = "BUTTON", .id = static_cast<WORD>(kFirstButtonId + i),
                        .style = WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, .x = static_cast<short>(x + 54),
                        .y = y, .cx = 10, .cy = 14});
        ids.push_back(id);
    }
    return ids;
}

// The floor's button: a pushable frame with a down arrow, drawn by the system.
void DrawFloorButton(const DRAWITEMSTRUCT* item)
{
    const UINT state = DFCS_SCROLLDOWN | ((item->itemState & ODS_SELECTED) ? DFCS_PUSHED : 0u);
    RECT area = item->rcItem;
    DrawFrameControl(item->hDC, &area, DFC_SCROLL, state);
}

INT_PTR CALLBACK BenchDialogProc(HWND dialog, UINT message, WPARAM, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        const auto kind = static_cast<Kind>(lParam);
        const bool advancing = kind == Kind::AutoAdvance || kind == Kind::WeekdaysOnly;
        if (kind == Kind::DatumCtrl || kind == Kind::DatumEdit || advancing) {
            const DatumDayRule rule = kind == Kind::WeekdaysOnly ? DatumDayRule{DatumWeekdaysOnly} : nullptr;
            for (int i = 0; i < kFields; ++i)
                DatumBind(GetDlgItem(dialog, kFirstId + i),
                          {.maxLen = 10, .flags = advancing ? DCF_AUTOADVANCE : 0, .dayRule = rule});
        } else if (kind == Kind::DllCtrl) {
            DATUMBINDING binding{};
            binding.cbSize = sizeof binding;
            binding.maxLen = 10;
            for (int i = 0; i < kFields; ++i)
                g_dll.bindField(GetDlgItem(dialog, kFirstId + i), &binding);
        }
        return FALSE;
    }
    case WM_DRAWITEM:
        DrawFloorButton(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    default:
        return FALSE;
    }
}

// The framework host: 40 fields bound by the first data exchange, as a
// framework program binds them.
class CFrameworkDialog : public CDialog {
public:
    explicit CFrameworkDialog(const DLGTEMPLATE* dialogTemplate) : CDialog(dialogTemplate) {}

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        for (int i = 0; i < kFields; ++i) {
            if (auto* control = dynamic_cast<CDatumEntry*>(GetDlgItem(kFirstId + i)))
                control->ExchangeData(pDX, kFirstId + i, 10, m_text[i], &m_date[i], 0, nullptr);
        }
    }

private:
    CString m_text[kFields];
    CDateValue m_date[kFields];
};

struct RoundTimes {
    double createShow = 0;   // seconds: create, show, paint
    double keystroke = 0;    // seconds per keystroke
    double destroy = 0;      // seconds
};

// One keystroke as the system delivers a typed character to the focus.
void Keystroke(HWND field, char character)
{
    const auto key = static_cast<WPARAM>(static_cast<unsigned char>(character));
    SendMessageA(field, WM_KEYDOWN, key, 1);
    SendMessageA(field, WM_CHAR, key, 1);
    SendMessageA(field, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
    UpdateWindow(field);
}

RoundTimes Round(const KindInfo& info)
{
    test::DialogTemplate layout({.style = WS_POPUP | WS_CAPTION | DS_SETFONT, .cx = 300, .cy = 200,
                                 .title = "Field cost"});
    const std::vector<WORD> ids = BuildTemplate(info, layout);
    RoundTimes times;

    const double start = Now();
    std::unique_ptr<CFrameworkDialog> framework;
    HWND dialog = nullptr;
    if (info.kind == Kind::FrameworkCtrl) {
        framework = std::make_unique<CFrameworkDialog>(layout.Get());
        if (framework->CreateIndirect(layout.Get()))
            dialog = framework->m_hWnd;
    } else {
        const HMODULE module = info.kind == Kind::DllCtrl ? g_dll.module : GetModuleHandleA(nullptr);
        dialog = CreateDialogIndirectParamA(module, layout.Get(), nullptr, &BenchDialogProc,
                                            static_cast<LPARAM>(info.kind));
    }
    if (!dialog)
        return times;
    ShowWindow(dialog, SW_SHOW);
    UpdateWindow(dialog);
    Pump();
    times.createShow = Now() - start;

    double typing = 0;
    for (WORD id : ids) {
        HWND field = GetDlgItem(dialog, id);
        SetFocus(field);
        Pump();
        const double typed = Now();
        for (int i = 0; i < kTypedLength; ++i)
            Keystroke(field, kTyped[i]);
        typing += Now() - typed;
    }
    times.keystroke = typing / (kFields * kTypedLength);

    const double destroying = Now();
    DestroyWindow(dialog);
    Pump();
    times.destroy = Now() - destroying;
    return times;
}

int RunDialogs(int rounds)
{
    constexpr size_t kKindCount = sizeof kKinds / sizeof kKinds[0];
    std::vector<RoundTimes> all[kKindCount];
    for (const KindInfo& info : kKinds)   // warm-up: classes, libraries, caches
        Round(info);
    for (int round = 0; round < rounds; ++round) {
        for (size_t k = 0; k < kKindCount; ++k) {
            const size_t turn = (k + static_cast<size_t>(round)) % kKindCount;   // each kind starts a round in turn
            all[turn].push_back(Round(kKinds[turn]));
        }
    }
    struct Result {
        double createShow, keystroke, destroy;
    };
    Result results[kKindCount];
    for (size_t k = 0; k < kKindCount; ++k) {
        std::vector<double> c, s, d;
        for (const RoundTimes& t : all[k]) {
            c.push_back(t.createShow);
            s.push_back(t.keystroke);
            d.push_back(t.destroy);
        }
        results[k] = {Median(c), Median(s), Median(d)};
    }
    auto of = [&](Kind kind) -> const Result& {
        for (size_t k = 0; k < kKindCount; ++k)
            if (kKinds[k].kind == kind)
                return results[k];
        return results[0];
    };
    std::printf("field cost: %d rounds, %d fields per dialog, %d keystrokes per field (medians)\n", rounds, kFields,
                kTypedLength);
    std::printf("  %-14s %14s %16s %12s %12s %12s\n", "dialog of", "create+show ms", "keystroke us", "destroy ms",
                "dialog/floor", "key/edit");
    for (size_t k = 0; k < kKindCount; ++k) {
        const Kind kind = kKinds[k].kind;
        const Result& floor = of(kind == Kind::DatumEdit || kind == Kind::Edit ? Kind::Edit : Kind::EditButton);
        std::printf("  %-14s %14.2f %16.1f %12.2f %12.2f %12.2f\n", kKinds[k].name, results[k].createShow * 1e3,
                    results[k].keystroke * 1e6, results[k].destroy * 1e3, results[k].createShow / floor.createShow,
                    results[k].keystroke / of(Kind::Edit).keystroke);
    }
    const Result& ctrl = of(Kind::DatumCtrl);
    const Result& fromDll = of(Kind::DllCtrl);
    std::printf("  DatumCtrl from corvanel.dll against the static one: dialog %.2f, keystroke %.2f\n",
                fromDll.createShow / ctrl.createShow, fromDll.keystroke / ctrl.keystroke);
    const Result& picker = of(Kind::Picker);
    std::printf("  DatumCtrl against the date picker: dialog %.2f, keystroke %.2f\n",
                ctrl.createShow / picker.createShow, ctrl.keystroke / picker.keystroke);
    const Result& advancing = of(Kind::AutoAdvance);
    const Result& weekdays = of(Kind::WeekdaysOnly);
    std::printf("  the day rule against auto-advance alone: dialog %.2f, keystroke %.2f\n",
                weekdays.createShow / advancing.createShow, weekdays.keystroke / advancing.keystroke);
    return 0;
}

// The steps of making one field and of one keystroke, each timed alone 40
// times in one empty dialog (medians, microseconds). The whole of a field's
// creation and of its keystroke stands beside the parts it is made of.
HWND Child(HWND parent, const char* className, DWORD style, int id)
{
    return CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | WS_BORDER | style, 10, 10, 96, 22, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
}

// Median microseconds of `step` over kFields runs; `prepare` and `undo` run
// around each, untimed.
template <class Prepare, class Step, class Undo>
double TimeStep(Prepare prepare, Step step, Undo undo)
{
    std::vector<double> times;
    for (int i = 0; i < kFields; ++i) {
        auto made = prepare();
        const double start = Now();
        auto result = step(made);
        times.push_back(Now() - start);
        undo(made, result);
        Pump();
    }
    return Median(times) * 1e6;
}

LRESULT CALLBACK PassOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    return DefSubclassProc(window, message, wParam, lParam);
}

double TypeInto(HWND field)
{
    SetFocus(field);
    Pump();
    const double start = Now();
    for (int i = 0; i < kTypedLength; ++i)
        Keystroke(field, kTyped[i]);
    return (Now() - start) / kTypedLength;
}

// Median microseconds per keystroke over kFields fields of the kind, each
// made (and bound) untimed.
template <class Make>
double TimeKeystrokes(HWND parent, Make make)
{
    std::vector<double> times;
    for (int i = 0; i < kFields; ++i) {
        HWND field = make(parent);
        times.push_back(TypeInto(field));
        DestroyWindow(field);
        Pump();
    }
    return Median(times) * 1e6;
}

int RunSteps()
{
    test::DialogTemplate layout({.style = WS_POPUP | WS_CAPTION | WS_VISIBLE | DS_SETFONT, .title = "Field steps"});
    HWND dialog = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), layout.Get(), nullptr, &BenchDialogProc,
                                             static_cast<LPARAM>(Kind::Edit));
    if (!dialog)
        return 1;
    Pump();
    const HINSTANCE module = GetModuleHandleA(nullptr);
    auto nothing = [] { return 0; };
    auto window = [&](const char* className, DWORD style) {
        return TimeStep(nothing, [&](int) { return Child(dialog, className, style, kFirstId); },
                        [](int, HWND made) { DestroyWindow(made); });
    };
    auto newCtrl = [&] { return Child(dialog, "DatumCtrl", 0, kFirstId); };
    auto destroy = [](HWND made, bool) { DestroyWindow(made); };

    std::printf("making one field (median microseconds of %d)\n", kFields);
    std::printf("  %-44s %9.1f\n", "edit window", window("EDIT", 0));
    std::printf("  %-44s %9.1f\n", "DatumEdit window (class procedure, attach)", window("DatumEdit", 0));
    std::printf("  %-44s %9.1f\n", "DatumCtrl window (+ narrowing, button, faces)", window("DatumCtrl", 0));
    std::printf("  %-44s %9.1f\n", "owner-drawn button window", window("BUTTON", BS_OWNERDRAW));
    std::printf("  %-44s %9.1f\n", "faces: four LoadBitmapA",
                TimeStep(nothing,
                         [&](int) {
                             std::vector<HBITMAP> faces;
                             for (int id : {IDB_KODPOPUP_UP, IDB_KODPOPUP_DOWN, IDB_KODPOPUP_UP, IDB_KODPOPUP_DISABLED})
                                 faces.push_back(LoadBitmapA(module, MAKEINTRESOURCEA(id)));
                             return faces;
                         },
                         [](int, const std::vector<HBITMAP>& faces) {
                             for (HBITMAP face : faces)
                                 DeleteObject(face);
                         }));
    std::printf("  %-44s %9.1f\n", "DPI of the window",
                TimeStep(nothing, [&](int) { return platform::DpiForWindow(dialog); }, [](int, UINT) {}));
    std::printf("  %-44s %9.1f\n", "narrowing (window placement)",
                TimeStep([&] { return Child(dialog, "EDIT", 0, kFirstId); },
                         [](HWND edit) {
                             WINDOWPLACEMENT placement{};
                             placement.length = sizeof placement;
                             GetWindowPlacement(edit, &placement);
                             placement.rcNormalPosition.right -= 15;
                             return SetWindowPlacement(edit, &placement) != FALSE;
                         },
                         destroy));
    std::printf("  %-44s %9.1f\n", "DatumBind (parent subclass, no text)",
                TimeStep(newCtrl, [](HWND ctrl) { return DatumBind(ctrl, {}); }, destroy));
    std::printf("  %-44s %9.1f\n", "DatumBind with an initial text",
                TimeStep(newCtrl, [](HWND ctrl) { return DatumBind(ctrl, {.initial = "2026-12-08"}); }, destroy));
    std::printf("  %-44s %9.1f\n", "a parent subclass alone",
                TimeStep(nothing, [&](int) { return SetWindowSubclass(dialog, &PassOn, 1, 0) != FALSE; },
                         [&](int, bool) { RemoveWindowSubclass(dialog, &PassOn, 1); }));

    std::printf("one message to the dialog (median microseconds of %d)\n", kFields);
    auto message = [&] {
        return TimeStep(nothing, [&](int) { return SendMessageA(dialog, DCN_CHANGE, kFirstId, 0); },
                        [](int, LRESULT) {});
    };
    std::printf("  %-44s %9.1f\n", "no subclass", message());
    SetWindowSubclass(dialog, &PassOn, 1, 0);
    std::printf("  %-44s %9.1f\n", "under a SetWindowSubclass subclass", message());
    RemoveWindowSubclass(dialog, &PassOn, 1);
    HWND boundField = newCtrl();
    DatumBind(boundField, {});
    std::printf("  %-44s %9.1f\n", "under DatumBind's reflection (one bound field)", message());
    DestroyWindow(boundField);
    Pump();

    std::printf("one keystroke into a focused field (median microseconds of %d fields)\n", kFields);
    const double edit = TimeKeystrokes(dialog, [](HWND parent) { return Child(parent, "EDIT", 0, kFirstId); });
    std::printf("  %-44s %9.1f\n", "edit", edit);
    SetWindowSubclass(dialog, &PassOn, 1, 0);
    std::printf("  %-44s %9.1f\n", "edit under a subclassed parent",
                TimeKeystrokes(dialog, [](HWND parent) { return Child(parent, "EDIT", 0, kFirstId); }));
    RemoveWindowSubclass(dialog, &PassOn, 1);
    std::printf("  %-44s %9.1f\n", "DatumEdit, not bound (filter, no rules)",
                TimeKeystrokes(dialog, [](HWND parent) { return Child(parent, "DatumEdit", 0, kFirstId); }));
    auto bound = [](const char* className) {
        return [className](HWND parent) {
            HWND field = Child(parent, className, 0, kFirstId);
            DatumBind(field, {});
            return field;
        };
    };
    std::printf("  %-44s %9.1f\n", "DatumEdit, bound (+ rules, DCN_CHANGE)", TimeKeystrokes(dialog, bound("DatumEdit")));
    std::printf("  %-44s %9.1f\n", "DatumCtrl, bound", TimeKeystrokes(dialog, bound("DatumCtrl")));
    DestroyWindow(dialog);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    DatumRegisterClasses();
    if (!LoadCorvanelDll()) {
        std::printf("field cost: corvanel.dll could not be loaded from beside the program\n");
        return 1;
    }
    const bool steps = argc > 1 && std::strcmp(argv[1], "--steps") == 0;
    const char* roundsArg = argc > (steps ? 2 : 1) ? argv[steps ? 2 : 1] : nullptr;
    const int rounds = roundsArg ? std::max(3, std::atoi(roundsArg)) : 21;
    return steps ? RunSteps() : RunDialogs(rounds);
}
