// PutRecordRAF: a record of any length into any row of a store with texts.
#include <vector>

#include "tests/fuzz/fuzz_store.h"

void FuzzTarget(Choices& in, FuzzStore& s, const std::string& before) {
    const int row = in.Row();
    std::vector<std::string> old;  // rows past maxRow read as empty
    for (int col = 0; col < s.a.fieldCount; ++col) old.push_back(s.Text(row, col));
    std::string record;
    const int result = WithFailures(in, [&] {
        record = in.Text();
        return PutFixedWidthRecord(&s.a, row, record.c_str());
    });
    s.Check();
    const int refusal = record.size() < size_t(DeclaredSize(&s.a, 1)) ? kShortRecord : row < 0 ? kBadRow : result;
    Require(result == refusal && (result == 1 || s.Snapshot() == before), "a refused put changes nothing");
    if (result != 1) return;
    // Fields the record reaches hold its bytes; those after it keep their texts.
    std::string expected = old[0] + '\0';
    for (int col = 1, at = 0; col < s.a.fieldCount; at += DeclaredSize(&s.a, col++)) {
        expected += (size_t(at) <= record.size() ? record.substr(at, DeclaredSize(&s.a, col)) : old[col]) + '\0';
    }
    Require(s.Texts(row, 0, s.a.fieldCount - 1) == expected, "the record's bytes, then the old texts");
    Require(record.size() < s.RecordLength() || FixedWidthRecord(&s.a, row) == record.substr(0, s.RecordLength()),
            "byte for byte");
}
