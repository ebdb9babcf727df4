// Column definitions as tests and tools write them.
#pragma once

#include "exports/tabrix32.h"

namespace testing_host {

// A column field; a face name gives the column a bold 10-point font of it.
inline FieldDef ColumnField(const char* label, int width, int size, int align = 0, int textColor = 0,
                            int backColor = 0, const char* face = nullptr) {
    FieldDef def{};
    def.label = const_cast<char*>(label);
    def.width = width;
    def.size = size;
    def.align = align;
    def.textColor = textColor;
    def.backColor = backColor;
    def.fontFace = face;
    def.fontSize = 10;
    def.fontWeight = 700;
    return def;
}

}  // namespace testing_host
