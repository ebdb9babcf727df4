// LoadRecordsetRAF: fixed-width data of any length over any column shape.
#include "tests/fuzz/fuzz_store.h"

void FuzzTarget(Choices& in, FuzzStore& s, const std::string& before) {
    const size_t length = s.RecordLength();
    std::string text;
    const LoadOutcome out = WithFailures(in, [&] {
        text = in.Text();
        return LoadFixedWidthRecords(&s.a, text.c_str());
    });
    s.Check();
    Require(text.size() >= size_t(DeclaredSize(&s.a, 1)) || out.result == kShortRecord, "short data is refused");
    Require(out.replaced || (out.result != 1 && s.Snapshot() == before), "a refused load changes nothing");
    if (out.result != 1) return;
    Require(size_t(s.a.maxRow) == text.size() / length + 1 && s.RowEmpty(s.a.maxRow), "whole records only");
    for (int row = 1; row < s.a.maxRow && row <= 16; ++row) {
        Require(FixedWidthRecord(&s.a, row) == text.substr((row - 1) * length, length), "byte for byte");
    }
}
