// Keystroke cost: characters typed into a "DatumCtrl" (key filter, change
// rules, DCN_CHANGE to the parent) against characters typed into a plain
// edit whose only reaction is the EN_CHANGE its parent receives. Both sit in
// the same framework dialog in one process, so the difference is what the
// date control adds per keystroke.
//
//   keystroke_bench.exe [rounds]
//
// Each round sends a burst of digits to each field as WM_CHAR and clears the
// field again; the report gives the median time per character over the
// rounds and the ratio of the two.
#include "controls/ControlClasses.h"
#include "controls/DatumEntry.h"
#include "platform/window/DataExchange.h"
#include "platform/window/Dialog.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kDateId = 1000;
constexpr int kPlainId = 1002;
constexpr int kBurst = 10;          // a dashed date's worth of characters
constexpr int kBurstsPerRound = 50;

// DLGTEMPLATE with two 80x12 edit fields: the date control and a plain edit.
struct BenchTemplate {
    std::vector<WORD> words;

    void Add(WORD w) { words.push_back(w); }
    void AddDword(DWORD d)
    {
        Add(static_cast<WORD>(d & 0xFFFF));
        Add(static_cast<WORD>(d >> 16));
    }
    void AddText(const char* text)
    {
        do
            Add(static_cast<WORD>(static_cast<unsigned char>(*text)));
        while (*text++ != '\0');
    }
    void Align()
    {
        if (words.size() % 2 != 0)
            Add(0);
    }
    void AddItem(const char* className, WORD id, short y)
    {
        Align();
        AddDword(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP);
        AddDword(0);
        for (short v : {short{10}, y, short{80}, short{12}})
            Add(static_cast<WORD>(v));
        Add(id);
        AddText(className);
        AddText("");
        Add(0);
    }

    const DLGTEMPLATE* Build()
    {
        AddDword(WS_POPUP | WS_CAPTION | WS_VISIBLE | DS_SETFONT);
        AddDword(0);
        Add(2);
        for (short v : {short{10}, short{10}, short{120}, short{60}})
            Add(static_cast<WORD>(v));
        Add(0);
        Add(0);
        AddText("Keystrokes");
        Add(8);
        AddText("MS Shell Dlg");
        AddItem("DatumCtrl", kDateId, 10);
        AddItem("EDIT", kPlainId, 30);
        return reinterpret_cast<const DLGTEMPLATE*>(words.data());
    }
};

class CBenchDialog : public CDialog {
public:
    explicit CBenchDialog(const DLGTEMPLATE* dialogTemplate) : CDialog(dialogTemplate) {}

    CString text;
    CDateValue date;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        if (auto* control = dynamic_cast<CDatumEntry*>(GetDlgItem(kDateId)))
            control->ExchangeData(pDX, kDateId, 0, text, &date, 0, nullptr);
    }
};

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to, const LARGE_INTEGER& frequency)
{
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// One round: bursts of digits into the field, each burst cleared again.
// Returns nanoseconds per typed character.
double TypeRound(HWND field)
{
    // The field being typed into has the focus, as a user's field does (the
    // caret makes typing into a focused edit dearer than into any other).
    SetFocus(field);
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (int burst = 0; burst < kBurstsPerRound; ++burst) {
        for (int i = 0; i < kBurst; ++i)
            SendMessageA(field, WM_CHAR, static_cast<WPARAM>('0' + i), 1);
        SetWindowTextA(field, "");
    }
    QueryPerformanceCounter(&end);
    return Seconds(start, end, frequency) * 1e9 / (kBurst * kBurstsPerRound);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(3, std::atoi(argv[1])) : 41;
    RegisterDatumCtrlClass();

    BenchTemplate form;
    const DLGTEMPLATE* dialogTemplate = form.Build();
    CBenchDialog dialog(dialogTemplate);
    if (!dialog.CreateIndirect(dialogTemplate)) {
        std::fprintf(stderr, "keystroke_bench: the dialog could not be created\n");
        return 1;
    }
    const HWND date = GetDlgItem(dialog.m_hWnd, kDateId);
    const HWND plain = GetDlgItem(dialog.m_hWnd, kPlainId);

    // Warm up both paths, then alternate them so that drift hits both alike.
    TypeRound(date);
    TypeRound(plain);
    std::vector<double> dateTimes, plainTimes;
    for (int round = 0; round < rounds; ++round) {
        dateTimes.push_back(TypeRound(date));
        plainTimes.push_back(TypeRound(plain));
    }
    dialog.DestroyWindow();

    const double dateNs = Median(dateTimes);
    const double plainNs = Median(plainTimes);
    std::printf("keystrokes: %d rounds of %d characters per field\n", rounds, kBurst * kBurstsPerRound);
    std::printf("  plain edit notifying its parent: %8.0f ns per character (median)\n", plainNs);
    std::printf("  DatumCtrl:                       %8.0f ns per character (median)\n", dateNs);
    std::printf("  ratio:                           %8.2f\n", dateNs / plainNs);
    return 0;
}
