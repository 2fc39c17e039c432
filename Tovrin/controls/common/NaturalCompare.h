#pragma once
#include "TovrinApi.h"

// The order of a sorted list column: texts are compared position by position; where both hold
// decimal numbers of at least 1 that differ, the smaller number comes first ("item2" before
// "item10"), otherwise the bytes decide as signed values. A text that is a prefix of another
// comes first; only identical texts are equal. Negative, zero or positive like strcmp.
TOVRIN_API int NaturalCompare(const char* a, const char* b);
