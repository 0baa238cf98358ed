// Start-up cost: from process start to the test dialog shown, Corvanel.exe
// against the bare program that shows the same dialog with a plain edit.
// Both run under the same Wine and display, alternately, many times; the
// report gives the medians and their ratio.
//
//   startup_bench.exe Corvanel.exe bare_dialog.exe [runs [other.exe...]]
//
// Other programs that show the same dialog (startup_work_dialog.exe) take
// their turns in the same rounds and are reported against the bare program
// too.
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

// The program's file name, for the report.
std::string NameOf(const char* program)
{
    const std::string path(program);
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_bench Corvanel.exe bare_dialog.exe [runs [other.exe...]]\n");
        return 2;
    }
    const int runs = argc > 3 ? std::max(3, std::atoi(argv[3])) : 21;
    // The product first, the bare program second, then the others.
    std::vector<const char*> programs{argv[1], argv[2]};
    for (int i = 4; i < argc; ++i)
        programs.push_back(argv[i]);

    // One unmeasured start each, so that all find Wine's files in the cache.
    for (const char* program : programs)
        TimeOneStart(program);
    std::vector<std::vector<double>> times(programs.size());
    for (int run = 0; run < runs; ++run) {
        for (std::size_t i = 0; i < programs.size(); ++i) {
            const double ms = TimeOneStart(programs[i]);
            if (ms < 0)
                return 1;
            times[i].push_back(ms);
        }
    }
    const double bareMs = Median(times[1]);
    std::printf("start-up to the dialog shown, %d runs each (median)\n", runs);
    std::printf("  %-24s %7.1f ms\n", NameOf(programs[1]).c_str(), bareMs);
    for (std::size_t i = 0; i < programs.size(); ++i) {
        if (i == 1)
            continue;
        const double ms = Median(times[i]);
        std::printf("  %-24s %7.1f ms   ratio %.2f\n", NameOf(programs[i]).c_str(), ms, ms / bareMs);
    }
    return 0;
}
