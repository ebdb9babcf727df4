// What the fuzz targets share: the input read as a sequence of choices, a
// cell store shaped from it as DimCols and DefineField shape a grid's, and
// the invariants every call into the store must leave intact.
#pragma once

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "edit/find_scan.h"
#include "grid/cell_store.h"
#include "records/delimited.h"
#include "records/fixed_width.h"
#include "support/memory.h"

using namespace tabrix;

inline void Require(bool ok, const char* what) {
    if (ok) return;
    fprintf(stderr, "broken: %s\n", what);
    abort();
}

// Past the end of the input every choice is 0 and every text empty.
struct Choices {
    const uint8_t *at_, *end_;
    uint8_t Byte() { return at_ < end_ ? *at_++ : 0; }
    int Below(int n) { return (Byte() << 8 | Byte()) % n; }
    // Up to the next 0 byte, which is taken too.
    std::string Text() {
        const uint8_t* stop = static_cast<const uint8_t*>(memchr(at_, 0, end_ - at_));
        std::string text(reinterpret_cast<const char*>(at_), (stop ? stop : end_) - at_);
        at_ = stop ? stop + 1 : end_;
        return text;
    }
    // A small row, or one near the ends of what a row number can say.
    int Row() {
        static const int far[] = {-1, INT_MIN, INT_MAX, INT_MAX - 1, INT_MAX - 2, 1 << 30, 1000};
        const uint8_t b = Byte();
        return b >= 250 ? far[b % 7] : b;
    }
};

// Runs `call` with the store's allocations failing after the first few,
// when the input says so.
template <class Call>
auto WithFailures(Choices& in, Call call) {
    const uint8_t b = in.Byte();
    FailAllocationsAfter(b >= 240 ? b % 4 : -1);
    const auto result = call();
    FailAllocationsAfter(-1);
    return result;
}

struct FuzzStore {
    GridArrays a{};
    explicit FuzzStore(Choices& in) {
        static const int kSizes[] = {1, 1, 2, 3, 7, 8, 9, 15, 16, 17, 31, 32, 33, 255, 256};
        const int columns = 1 + in.Byte() % 12;
        for (int i = 0; i < columns + 2; ++i) Require(AddField(&a, 0) >= 0, "column added");
        a.colType = static_cast<uint8_t*>(ZeroAlloc(a.fieldCount));
        a.colTag1 = static_cast<uint8_t*>(ZeroAlloc(a.fieldCount));
        // Large fields share the room of one full-size field, so a row stays
        // a few pages: loads reserve hundreds of rows at once.
        for (int col = 1, budget = kMaxFieldSize + 1000; col <= columns + 1; ++col) {
            const uint8_t kind = in.Byte();  // size, type and quote tag
            if (kind >= 0xC0) continue;      // left as DimCols made it: no characters
            int size = kind % 16 == 15 ? 1 + in.Below(kMaxFieldSize) : kSizes[kind % 16];
            budget -= size = size > budget ? 1 : size;
            a.colType[col] = static_cast<uint8_t>((kind >> 4 & 3) % 3);
            a.colTag1[col] = kind >> 6 & 1;
            Require(AppendFieldSlot(&a, col, size), "field defined");
        }
        // Some cells, then maybe a field defined again over them.
        for (int n = in.Byte() % 24; n > 0; --n) {
            const int row = in.Byte() % 20, col = in.Byte() % (a.fieldCount + 1);
            const std::string text = in.Text();
            const bool fits = col < a.fieldCount && text.size() <= size_t(DeclaredSize(&a, col));
            const int answer = fits ? kStored : col < a.fieldCount ? kTooLong : kBadCell;
            Require(StoreCell(&a, row, col, text.c_str()) == answer, "StoreCell stores what fits");
        }
        if (const int col = in.Byte() % (a.fieldCount + 3); col < a.fieldCount) {
            const std::string before = Snapshot(col);
            Require(AppendFieldSlot(&a, col, 1 + in.Byte()) && Snapshot(col) == before, "a wider record keeps texts");
        }
        Check();
    }
    ~FuzzStore() { FreeGridArrays(&a); }

    int Columns() const { return a.fieldCount - 2; }
    std::string Text(int row, int col) const {
        const char* text = CellText(&a, row, col);
        return text ? text : "";
    }
    // Texts of columns first .. last of `row`, each ended by a 0 byte.
    std::string Texts(int row, int first, int last) const {
        std::string all;
        for (int col = first; col <= last; ++col) all.append(Text(row, col)).push_back('\0');
        return all;
    }
    bool RowEmpty(int row) const { return Texts(row, 0, a.fieldCount - 1) == std::string(a.fieldCount, '\0'); }
    // Every text of rows 0 .. maxRow but those of column `skip`.
    std::string Snapshot(int skip = -1) const {
        std::string all = std::to_string(a.maxRow);
        for (int row = 0; a.cells && row <= a.maxRow; ++row) {
            all += Texts(row, 0, skip - 1) + Texts(row, skip < 0 ? 0 : skip + 1, a.fieldCount - 1);
        }
        return all;
    }
    // Characters of a fixed-width record: every column but 0.
    size_t RecordLength() const {
        size_t length = 0;
        for (int col = 1; col < a.fieldCount; ++col) length += DeclaredSize(&a, col);
        return length;
    }
    void Check() const {
        Require(a.maxRow >= 0 && (!a.cells || a.maxRow < a.rowCapacity), "maxRow inside the block");
        for (int col = 0; col < a.fieldCount; ++col) {
            const FieldSlot s = a.fieldTable[col];
            Require(s.size >= 1 && s.offset >= 0 && s.offset + s.size <= a.recordWidth, "slot inside the record");
            for (int row = 0; a.cells && row <= a.maxRow; ++row) {
                Require(memchr(CellText(&a, row, col), 0, s.size), "text within its declared size");
            }
        }
    }
    // A data row without separators comes back unchanged from its own
    // delimited record, put into the empty new-record row, unless its
    // filler column holds text: the record glues that to the last field.
    void DelimitedRoundTrip(int row, const std::string& lineEnd, const std::string& delimiter) {
        const std::string separators = "\"" + lineEnd.substr(0, 2), texts = Texts(row, 1, Columns());
        if (row < 1 || delimiter.size() != 1 || texts.find_first_of(separators + delimiter) != std::string::npos ||
            separators.find(delimiter) != std::string::npos || !Text(row, a.fieldCount - 1).empty()) {
            return;
        }
        const std::string record = DelimitedRecord(&a, row, delimiter.c_str(), 0);
        const int target = a.maxRow;
        if (record.empty() || !RowEmpty(target)) return;
        Require(PutDelimitedRecord(&a, target, record.c_str(), lineEnd.c_str(), delimiter.c_str()) == 1 &&
                    Texts(target, 1, Columns()) == texts,
                "delimited round trip");
    }
};

// Each target: what it calls with the rest of the input, over a store shaped
// from its start and that store's texts before the call.
void FuzzTarget(Choices& in, FuzzStore& s, const std::string& before);
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Choices in{data, data + size};
    FuzzStore s(in);
    FuzzTarget(in, s, s.Snapshot());
    return 0;
}
