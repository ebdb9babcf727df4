// LoadRecordsetDelimited's parser: any text, line end and delimiter over
// any column shape.
#include <algorithm>

#include "tests/fuzz/fuzz_store.h"

void FuzzTarget(Choices& in, FuzzStore& s, const std::string& before) {
    const std::string lineEnd = in.Text(), delimiter = in.Text();
    std::string text;
    const LoadOutcome out = WithFailures(in, [&] {
        text = in.Text();
        return LoadDelimitedRecords(&s.a, text.c_str(), lineEnd.c_str(), delimiter.c_str());
    });
    s.Check();
    Require(out.replaced || (out.result == 0 && s.Snapshot() == before), "a refused load changes nothing");
    if (!out.replaced) return;
    const auto lines = std::count_if(text.begin(), text.end(), [&](char c) { return lineEnd.find(c) < 2; }) + 1;
    Require(s.a.maxRow <= lines + 1 && s.RowEmpty(s.a.maxRow), "a row per line, then the empty new-record row");
    const std::string separators = "\"" + lineEnd.substr(0, 2) + delimiter.substr(0, 1);
    for (int row = 1, rows = s.a.maxRow; row < rows; ++row) {
        Require(s.Texts(row, 1, s.Columns()).find_first_of(separators) == std::string::npos, "separators are not text");
        if (row <= 8) s.DelimitedRoundTrip(row, lineEnd, delimiter);
    }
}
