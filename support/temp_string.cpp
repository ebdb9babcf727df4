#include "support/temp_string.h"

#include <cstdlib>
#include <cstring>

namespace tabrix {
namespace {
char* slots[kTempSlots];
int slotIndex = 0;
char emptyText[1];
}  // namespace

char* TempString(size_t n) {
    slotIndex = (slotIndex + 1) % kTempSlots;
    free(slots[slotIndex]);
    slots[slotIndex] = static_cast<char*>(calloc(n + 128, 1));
    return slots[slotIndex];
}

char* TempCopy(const char* text, size_t len) {
    char* copy = TempString(len);
    // Out of memory: hosts still get a readable empty text, never null.
    if (!copy) return emptyText;
    memcpy(copy, text, len);
    return copy;
}

const char* TempText(const char* text) {
    if (!text) text = "";
    return TempCopy(text, strlen(text));
}

void FreeTempStrings() {
    for (char*& slot : slots) {
        free(slot);
        slot = nullptr;
    }
    slotIndex = 0;
}

}  // namespace tabrix
