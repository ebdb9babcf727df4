// Whole tables through the record exports, against a plain memchr split of
// the same text: the floor no parser can beat by much.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "exports/tabrix32.h"
#include "grid/library.h"

namespace {
constexpr int kCols = 10;
constexpr int kFieldSize = 10;
constexpr int kBigRows = 500000;
constexpr int kSmallRows = 50000;
constexpr int kRepeats = 5;

// Texts of 9 characters: a column letter and a row-dependent number, so no
// two neighbouring fields are alike.
std::string FieldText(int row, int col) {
    char text[16];
    snprintf(text, sizeof text, "%c%08d", 'a' + col, (row * 7919 + col * 104729) % 100000000);
    return text;
}

std::string DelimitedText(int rows) {
    std::string text;
    text.reserve(static_cast<size_t>(rows) * (kCols * kFieldSize + 1));
    for (int row = 1; row <= rows; ++row) {
        for (int col = 0; col < kCols; ++col) {
            text += FieldText(row, col);
            text += col + 1 < kCols ? "," : "\r\n";
        }
    }
    return text;
}

std::string FixedWidthText(int rows) {
    std::string text;
    text.reserve(static_cast<size_t>(rows) * kCols * kFieldSize);
    for (int row = 1; row <= rows; ++row) {
        for (int col = 0; col < kCols; ++col) {
            std::string field = FieldText(row, col);
            field.resize(kFieldSize, ' ');
            text += field;
        }
    }
    return text;
}

// Fields found by splitting at line feeds, then at commas, with memchr.
size_t MemchrSplit(const std::string& text) {
    size_t fields = 0;
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end) {
        const char* lineEnd = static_cast<const char*>(memchr(p, '\n', static_cast<size_t>(end - p)));
        if (!lineEnd) lineEnd = end;
        for (const char* q = p; q < lineEnd; ++fields) {
            const char* comma = static_cast<const char*>(memchr(q, ',', static_cast<size_t>(lineEnd - q)));
            q = comma ? comma + 1 : lineEnd;
        }
        p = lineEnd + 1;
    }
    return fields;
}

// Evicts the caches before each timed run, so a 5 MB load is not measured
// from cache while a 50 MB one comes from memory: the ratio of the two is
// meant to show how the work grows, not how much fits in the cache.
void EvictCaches() {
    static std::string scratch(64u << 20, '\0');
    for (size_t i = 0; i < scratch.size(); i += 64) scratch[i] = static_cast<char>(scratch[i] + 1);
}

// The median of several runs: steadier than the best one, which for the
// small text catches whatever the eviction missed.
template <class Op>
double MedianSeconds(Op op) {
    std::vector<double> runs;
    for (int i = 0; i < kRepeats; ++i) {
        EvictCaches();
        const double start = bench::NowSeconds();
        op();
        runs.push_back(bench::NowSeconds() - start);
    }
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

double MBps(size_t bytes, double seconds) { return static_cast<double>(bytes) / 1e6 / seconds; }

struct Sizes {
    std::string delimited, fixed;
};

struct Timings {
    double floor, delimitedLoad, fixedLoad, delimitedGet;
};

Timings Measure(HWND parent, const Sizes& text, int rows) {
    Timings t{};
    volatile size_t fields = 0;
    t.floor = MedianSeconds([&] { fields = MemchrSplit(text.delimited); });
    if (fields != static_cast<size_t>(rows) * kCols) printf("  memchr split found %zu fields\n", fields);

    HWND grid = bench::ShapedGrid(parent, kCols, kFieldSize);
    t.delimitedLoad = MedianSeconds([&] { LoadRecordsetDelimited(grid, text.delimited.c_str(), "\r\n", ","); });
    if (GetRowCount(grid) != rows) printf("  delimited load: %d rows\n", GetRowCount(grid));
    size_t written = 0;
    t.delimitedGet = MedianSeconds([&] {
        written = 0;
        for (int row = 1; row <= rows; ++row) written += strlen(GetRecordDelimited(grid, row, 0, ",", 0));
    });
    if (written + 2 * static_cast<size_t>(rows) != text.delimited.size()) printf("  GetRecordDelimited wrote %zu\n", written);
    t.fixedLoad = MedianSeconds([&] { LoadRecordsetRAF(grid, text.fixed.c_str()); });
    if (GetRowCount(grid) != rows) printf("  fixed-width load: %d rows\n", GetRowCount(grid));
    DestroyWindow(grid);

    printf("%d rows, %.1f MB delimited, %.1f MB fixed-width\n", rows, text.delimited.size() / 1e6,
           text.fixed.size() / 1e6);
    printf("  memchr split (floor)    %8.1f MB/s  %7.1f ms\n", MBps(text.delimited.size(), t.floor), t.floor * 1e3);
    printf("  LoadRecordsetDelimited  %8.1f MB/s  %7.1f ms\n", MBps(text.delimited.size(), t.delimitedLoad),
           t.delimitedLoad * 1e3);
    printf("  LoadRecordsetRAF        %8.1f MB/s  %7.1f ms\n", MBps(text.fixed.size(), t.fixedLoad), t.fixedLoad * 1e3);
    printf("  GetRecordDelimited      %8.1f MB/s  %7.1f ms (every row)\n", MBps(written, t.delimitedGet),
           t.delimitedGet * 1e3);
    return t;
}
}  // namespace

int main() {
    bench::Start();
    HWND parent = bench::HostWindow();

    printf("Record loads, %d columns of %d characters\n", kCols, kFieldSize);
    const Sizes small{DelimitedText(kSmallRows), FixedWidthText(kSmallRows)};
    const Sizes big{DelimitedText(kBigRows), FixedWidthText(kBigRows)};
    const Timings t5 = Measure(parent, small, kSmallRows);
    const Timings t50 = Measure(parent, big, kBigRows);

    // Speeds compared per byte: the fixed-width text is a little shorter.
    const double floorSpeed = MBps(big.delimited.size(), t50.floor);
    printf("Targets\n");
    printf("  50 MB speed against the floor: delimited %.2f, fixed-width %.2f\n",
           MBps(big.delimited.size(), t50.delimitedLoad) / floorSpeed, MBps(big.fixed.size(), t50.fixedLoad) / floorSpeed);
    bool met = bench::Verdict("LoadRecordsetDelimited at least 0.8 of the floor's speed",
                              MBps(big.delimited.size(), t50.delimitedLoad) >= 0.8 * floorSpeed);
    met &= bench::Verdict("LoadRecordsetRAF above the floor's speed", MBps(big.fixed.size(), t50.fixedLoad) > floorSpeed);
    met &= bench::Verdict("LoadRecordsetDelimited: 50 MB within 12 x 5 MB", t50.delimitedLoad <= 12 * t5.delimitedLoad);
    met &= bench::Verdict("LoadRecordsetRAF: 50 MB within 12 x 5 MB", t50.fixedLoad <= 12 * t5.fixedLoad);
    printf("  (50 MB / 5 MB time: delimited %.1f x, fixed-width %.1f x; the memchr floor %.1f x)\n",
           t50.delimitedLoad / t5.delimitedLoad, t50.fixedLoad / t5.fixedLoad, t50.floor / t5.floor);
    DestroyWindow(parent);
    tabrix::LibraryDetach();
    return met ? 0 : 1;
}
