#include "NaturalCompare.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The digits of the decimal number at text without its leading zeros; empty for none or zero.
const char* SkipZeros(const char* text, int* length) {
    while (*text == '0')
        ++text;
    int count = 0;
    while (IsDigit(text[count]))
        ++count;
    *length = count;
    return text;
}

// Compared as digit strings, so numbers of any length neither overflow nor wrap.
int CompareNumbers(const char* a, const char* b) {
    int lengthA = 0;
    int lengthB = 0;
    a = SkipZeros(a, &lengthA);
    b = SkipZeros(b, &lengthB);
    if (lengthA == 0 || lengthB == 0)
        return 0;
    if (lengthA != lengthB)
        return lengthA - lengthB;
    for (int i = 0; i < lengthA; ++i)
        if (a[i] != b[i])
            return a[i] - b[i];
    return 0;
}

// The terminator below every character keeps a prefix first even before a double-byte
// character, whose lead byte is negative as a signed value.
int ByteRank(char c) { return c == '\0' ? -129 : static_cast<signed char>(c); }

}  // namespace

int NaturalCompare(const char* a, const char* b) {
    // Both texts are walked in step and every earlier byte was equal, so a differing position
    // is a character boundary in both: double-byte characters need no special care here, and
    // trail bytes of CP949 are never digits.
    for (int i = 0;; ++i) {
        if (IsDigit(a[i]) && IsDigit(b[i])) {
            if (int numbers = CompareNumbers(a + i, b + i))
                return numbers;
        }
        if (a[i] != b[i])
            return ByteRank(a[i]) - ByteRank(b[i]);
        if (a[i] == '\0')
            return 0;
    }
}
