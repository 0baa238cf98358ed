// Start-up cost: from process start to the test dialog shown, Corvanel.exe
// against the bare program that shows the same dialog with a plain edit.
// Both run under the same Wine and display, alternately, many times; the
// report gives the medians and their ratio.
//
//   startup_bench.exe Corvanel.exe bare_dialog.exe [runs]
//
// A run starts the program, waits until a visible window titled
// "About Corvanel" exists, stops the clock, closes the dialog with Cancel and
// waits for the process to end with status 0.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr DWORD kGiveUpMs = 30000;

double NowMs()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

HWND ShownDialog()
{
    HWND dialog = FindWindowA(nullptr, "About Corvanel");
    return dialog != nullptr && IsWindowVisible(dialog) ? dialog : nullptr;
}

// Milliseconds until the dialog was shown, or a negative number on failure.
double TimeOneStart(const char* program)
{
    std::string commandLine = std::string("\"") + program + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const double start = NowMs();
    if (!CreateProcessA(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        std::fprintf(stderr, "startup_bench: cannot start %s (error %lu)\n", program, GetLastError());
        return -1;
    }
    HWND dialog = nullptr;
    double shown = -1;
    while (NowMs() - start < kGiveUpMs) {
        if ((dialog = ShownDialog()) != nullptr) {
            shown = NowMs() - start;
            break;
        }
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0)
            break;
        Sleep(1);
    }
    if (dialog != nullptr)
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    DWORD status = 1;
    if (WaitForSingleObject(process.hProcess, kGiveUpMs) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 2);
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (status != 0) {
        std::fprintf(stderr, "startup_bench: %s ended with status %lu\n", program, status);
        return -1;
    }
    return shown;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_bench Corvanel.exe bare_dialog.exe [runs]\n");
        return 2;
    }
    const int runs = argc > 3 ? std::max(3, std::atoi(argv[3])) : 21;

    // One unmeasured start each, so that both find Wine's files in the cache.
    TimeOneStart(argv[1]);
    TimeOneStart(argv[2]);
    std::vector<double> product, bare;
    for (int run = 0; run < runs; ++run) {
        const double a = TimeOneStart(argv[1]);
        const double b = TimeOneStart(argv[2]);
        if (a < 0 || b < 0)
            return 1;
        product.push_back(a);
        bare.push_back(b);
    }
    const double productMs = Median(product);
    const double bareMs = Median(bare);
    std::printf("start-up to the dialog shown, %d runs each (median)\n", runs);
    std::printf("  bare Win32 program: %7.1f ms\n", bareMs);
    std::printf("  Corvanel.exe:       %7.1f ms\n", productMs);
    std::printf("  ratio:              %7.2f\n", productMs / bareMs);
    return 0;
}
