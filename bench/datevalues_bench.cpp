// The normalising path of typed text: Parse, ApplyYearWindow, IsValid and,
// for an accepted date, FormatDashed. Measured over a mix of typed digit
// texts of all three lengths, about a quarter of them refused, next to a
// baseline doing the same job with the C library (sscanf, a mktime round
// trip as the calendar check, strftime). The keyword letters read the clock
// and are measured on their own.
#include "datevalues/DateValue.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kTexts = 1024;  // a power of two

// Texts as users type them: years 1950..2049, every form, some impossible days.
const std::vector<std::string>& TypedTexts()
{
    static const std::vector<std::string> texts = [] {
        std::mt19937 random(20240229);
        std::vector<std::string> out;
        char text[32];
        for (std::size_t i = 0; i < kTexts; ++i) {
            const int year = 1950 + static_cast<int>(random() % 100);
            int month = 1 + static_cast<int>(random() % 12);
            int day = 1 + static_cast<int>(random() % 28);
            switch (random() % 8) {
            case 0: day = 29 + static_cast<int>(random() % 3); break;  // month ends, some refused
            case 1: month = 13; break;                                  // refused
            case 2: day = 0; break;                                     // refused
            default: break;
            }
            switch (i % 3) {
            case 0: std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day); break;
            case 1: std::snprintf(text, sizeof text, "%04d%02d%02d", year, month, day); break;
            default: std::snprintf(text, sizeof text, "%02d%02d%02d", year % 100, month, day); break;
            }
            out.emplace_back(text);
        }
        return out;
    }();
    return texts;
}

void NormaliseTypedText(benchmark::State& state)
{
    const auto& texts = TypedTexts();
    std::size_t i = 0, accepted = 0;
    for (auto _ : state) {
        CDateValue value;
        value.Parse(texts[i++ % kTexts].c_str()).ApplyYearWindow();
        if (value.IsValid()) {
            CString text = value.FormatDashed();
            benchmark::DoNotOptimize(text.GetString());
            ++accepted;
        }
        benchmark::DoNotOptimize(value);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
    state.counters["accepted"] = benchmark::Counter(static_cast<double>(accepted) / static_cast<double>(i));
}
BENCHMARK(NormaliseTypedText);

// The same job the way the C library offers it.
void NormaliseTypedTextWithCLibrary(benchmark::State& state)
{
    const auto& texts = TypedTexts();
    std::size_t i = 0, accepted = 0;
    for (auto _ : state) {
        const std::string& typed = texts[i++ % kTexts];
        int y = 0, m = 0, d = 0, fields = 0;
        switch (typed.size()) {
        case 10: fields = std::sscanf(typed.c_str(), "%4d%*c%2d%*c%2d", &y, &m, &d); break;
        case 8: fields = std::sscanf(typed.c_str(), "%4d%2d%2d", &y, &m, &d); break;
        case 6:
            fields = std::sscanf(typed.c_str(), "%2d%2d%2d", &y, &m, &d);
            y += y >= 50 ? 1900 : 2000;
            break;
        default: break;
        }
        // mktime normalises an impossible date; it is real when nothing moved.
        std::tm t{};
        t.tm_year = y - 1900;
        t.tm_mon = m - 1;
        t.tm_mday = d;
        t.tm_hour = 12;
        t.tm_isdst = -1;
        const bool valid = fields == 3 && std::mktime(&t) != static_cast<std::time_t>(-1)
            && t.tm_year == y - 1900 && t.tm_mon == m - 1 && t.tm_mday == d;
        if (valid) {
            char buffer[16];
            CString text(buffer, static_cast<int>(std::strftime(buffer, sizeof buffer, "%Y-%m-%d", &t)));
            benchmark::DoNotOptimize(text.GetString());
            ++accepted;
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
    state.counters["accepted"] = benchmark::Counter(static_cast<double>(accepted) / static_cast<double>(i));
}
BENCHMARK(NormaliseTypedTextWithCLibrary);

void KeywordLetter(benchmark::State& state)
{
    const char* const letters[] = {"D", "G", "M"};
    const char* letter = letters[state.range(0)];
    for (auto _ : state) {
        CDateValue value;
        value.Parse(letter).ApplyYearWindow();
        CString text = value.FormatDashed();
        benchmark::DoNotOptimize(text.GetString());
    }
    state.SetLabel(letter);
}
BENCHMARK(KeywordLetter)->DenseRange(0, 2);

} // namespace

BENCHMARK_MAIN();
