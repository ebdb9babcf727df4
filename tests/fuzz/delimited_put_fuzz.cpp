// PutRecordDelimited: one record into any row of a store with texts.
#include "tests/fuzz/fuzz_store.h"

void FuzzTarget(Choices& in, FuzzStore& s, const std::string& before) {
    const std::string lineEnd = in.Text(), delimiter = in.Text();
    const int row = in.Row();
    std::string record;
    const int result = WithFailures(in, [&] {
        record = in.Text();
        return PutDelimitedRecord(&s.a, row, record.c_str(), lineEnd.c_str(), delimiter.c_str());
    });
    s.Check();
    Require(result == 0 || (result == 1 && row >= 0 && !record.empty() && !delimiter.empty()), "answer");
    Require(result == 1 ? s.a.maxRow > row : s.Snapshot() == before, "the next row exists; a refusal changes nothing");
    if (result == 1) s.DelimitedRoundTrip(row, lineEnd, delimiter);
}
