#include "records/field_scan.h"

#include <cstring>
#if defined(__i386__) || defined(__x86_64__)
#include <emmintrin.h>
#endif

namespace tabrix {

FieldScanner::FieldScanner(const char* text, const char* lineEnd, char delimiter)
    : at_(text), lineEndPair_(0), window_(0), windowSpecials_(0) {
    memset(kinds_, kPlain, sizeof kinds_);
    // Later assignments win when characters coincide: the end of the text
    // over line ends, line ends over the delimiter, the delimiter over quotes.
    kinds_[static_cast<uint8_t>('"')] = kQuote;
    kinds_[static_cast<uint8_t>(delimiter)] = kDelimiter;
    const char first = lineEnd ? lineEnd[0] : '\0';
    const char second = first ? lineEnd[1] : '\0';
    if (second) kinds_[static_cast<uint8_t>(second)] = kLineEnd2;
    if (first) kinds_[static_cast<uint8_t>(first)] = kLineEnd1;
    if (second && second != first) lineEndPair_ = second;
    kinds_[0] = kTextEnd;
    const char specials[] = {'"', delimiter, first, second};
    memcpy(specials_, specials, sizeof specials_);
}

// AddressSanitizer checks bytes, not pages: the reads before the text and
// after its terminator stay inside one aligned block and are deliberate.
#if defined(__i386__) || defined(__x86_64__)
__attribute__((no_sanitize_address, target("sse2"))) uint64_t FieldScanner::SpecialsOf(const char* window) const {
    const __m128i quote = _mm_set1_epi8(specials_[0]), delimiter = _mm_set1_epi8(specials_[1]);
    const __m128i end1 = _mm_set1_epi8(specials_[2]), end2 = _mm_set1_epi8(specials_[3]);
    const __m128i zero = _mm_setzero_si128();
    uint64_t bits = 0;
    for (unsigned i = 0; i < kWindow; i += 16) {
        const __m128i v = _mm_load_si128(reinterpret_cast<const __m128i*>(window + i));
        const __m128i hit = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, quote), _mm_cmpeq_epi8(v, delimiter)),
                                         _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, end1), _mm_cmpeq_epi8(v, end2)),
                                                      _mm_cmpeq_epi8(v, zero)));
        bits |= static_cast<uint64_t>(static_cast<uint16_t>(_mm_movemask_epi8(hit))) << i;
    }
    return bits;
}
#else
__attribute__((no_sanitize_address)) uint64_t FieldScanner::SpecialsOf(const char* window) const {
    uint64_t bits = 0;
    for (unsigned i = 0; i < kWindow; ++i) bits |= static_cast<uint64_t>(KindOf(window[i]) != kPlain) << i;
    return bits;
}
#endif

const char* FieldScanner::NextSpecialBeyondWindow(const char* p) {
    for (;;) {
        window_ = reinterpret_cast<uintptr_t>(p) & ~(kWindow - 1);
        windowSpecials_ = SpecialsOf(reinterpret_cast<const char*>(window_));
        if (const uint64_t ahead = windowSpecials_ >> (reinterpret_cast<uintptr_t>(p) - window_)) {
            return p + __builtin_ctzll(ahead);
        }
        p = reinterpret_cast<const char*>(window_ + kWindow);
    }
}

}  // namespace tabrix
