// GridFind's scan: a few searches in a row over a store with texts, the
// continuation left by another grid's hit at the start.
#include "tests/fuzz/fuzz_store.h"

namespace {
// The first match of a fresh search, cell by cell in row order; row 0 for none.
CellPosition FirstMatch(const FuzzStore& s, const FindQuery& q) {
    const int first = q.currentColumnOnly ? q.curCol : 1, last = q.currentColumnOnly ? q.curCol : q.colCount - 1;
    for (int row = 1; first >= 1 && last < s.a.fieldCount && row <= q.rowCount && row <= s.a.maxRow; ++row) {
        for (int col = first; col <= last; ++col) {
            if (CellMatches(s.Text(row, col).c_str(), q.text, q.mode)) return {row, col};
        }
    }
    return {0, 0};
}
}  // namespace

void FuzzTarget(Choices& in, FuzzStore& s, const std::string& before) {
    // No grid holds 2^30 rows of three bytes or more.
    FindContinuation from{in.Row() & 0x3FFFFFFF, in.Byte()};
    for (int n = 0; n < 4; ++n) {
        const uint8_t how = in.Byte();
        const int curCol = in.Byte() % (s.a.fieldCount + 2) - 1, rowCount = in.Byte() % (s.a.maxRow + 3);
        const std::string text = in.Text();
        const FindQuery q{text.c_str(), how % 4, (how & 4) != 0, (how & 8) != 0, curCol, rowCount, s.a.fieldCount - 1};
        CellPosition hit{0, 0};
        const bool found = FindInCells(&s.a, q, from, &hit);
        Require(!found || (hit.row >= 1 && hit.row <= rowCount && hit.row <= s.a.maxRow && hit.col >= 1 &&
                           CellMatches(s.Text(hit.row, hit.col).c_str(), q.text, q.mode)),
                "a hit is a matching cell");
        const CellPosition first = FirstMatch(s, q);
        Require(q.resume || (hit.row == first.row && hit.col == first.col), "a fresh search finds the first match");
    }
    Require(s.Snapshot() == before, "a search changes no text");
}
