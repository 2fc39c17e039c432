#include "UtilityLib.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "Mbcs.h"

namespace {

// The natural order's ranks, lowest first, after the terminator. Any other character (control
// characters, bytes of double-byte characters) ranks between the digits and the letters;
// upper-case letters rank as their lower-case ones.
const char kRankedBelowOthers[] = " '-!\"#$%&()*,./:;?@[]^_`{|}~+<=>\\0123456789";
const char kRankedAboveOthers[] = "abcdefghijklmnopqrstuvwxyz";
const int kOtherRank = sizeof kRankedBelowOthers;

class RankTable {
public:
    RankTable() {
        for (int& rank : m_ranks)
            rank = kOtherRank;
        m_ranks[0] = 0;
        int rank = 1;
        for (const char* p = kRankedBelowOthers; *p; ++p)
            m_ranks[static_cast<unsigned char>(*p)] = rank++;
        rank = kOtherRank + 1;
        for (const char* p = kRankedAboveOthers; *p; ++p, ++rank) {
            m_ranks[static_cast<unsigned char>(*p)] = rank;
            m_ranks[static_cast<unsigned char>(*p - 'a' + 'A')] = rank;
        }
    }
    int operator[](char c) const { return m_ranks[static_cast<unsigned char>(c)]; }

private:
    int m_ranks[256];
};

int Rank(char c) {
    static const RankTable table;
    return table[c];
}

bool IsRanked(char c) { return Rank(c) != kOtherRank; }

// The number as atoi reads it (white space, sign, digits), held within int instead of overflowing.
int ReadNumber(const char* p) {
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        ++p;
    bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    long long value = 0;
    for (; *p >= '0' && *p <= '9'; ++p)
        if (value <= INT_MAX)
            value = value * 10 + (*p - '0');
    if (negative)
        value = -value;
    return value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : static_cast<int>(value);
}

int Sign(int difference) { return difference < 0 ? -1 : difference > 0 ? 1 : 0; }

const char* SkipLeadingMarks(const char* component) {
    while (*component == '-' || *component == '\'')
        ++component;
    return component;
}

int NaturalCompare(const char* a, const char* b) {
    a = SkipLeadingMarks(a);
    b = SkipLeadingMarks(b);
    for (;; ++a, ++b) {
        bool rankedA = IsRanked(*a);
        bool rankedB = IsRanked(*b);
        if (rankedA && rankedB) {
            int numberA = ReadNumber(a);
            int numberB = ReadNumber(b);
            if (numberA != numberB)
                return numberA < numberB ? -1 : 1;
        } else if (!rankedA && !rankedB) {
            if (*a != *b)
                return Sign(static_cast<signed char>(*a) - static_cast<signed char>(*b));
            if (Mbcs::CharLength(a) == 2 && Mbcs::CharLength(b) == 2) {
                ++a;
                ++b;
                if (*a != *b)
                    return Sign(static_cast<signed char>(*a) - static_cast<signed char>(*b));
            }
        }
        if (int ranks = Sign(Rank(*a) - Rank(*b)))
            return ranks;
        if (!*a)
            return 0;
    }
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

int CompareFileNames(const char* a, const char* b) {
    int at = 0;
    int component = 0;
    for (int step; (step = Mbcs::CharLength(a + at)) != 0 && strncmp(a + at, b + at, step) == 0;) {
        at += step;
        if (step == 1 && IsSeparator(a[at - 1]))
            component = at;
    }
    if (!a[at])
        return b[at] ? -1 : 0;
    if (!b[at])
        return 1;
    // A shorter component, or a name that reaches its extension first, comes first.
    for (char mark : {'\\', '/', '.'}) {
        if (a[at] == mark)
            return -1;
        if (b[at] == mark)
            return 1;
    }
    return NaturalCompare(a + component, b + component);
}

int CompareAscending(const void* a, const void* b) {
    return CompareFileNames(**static_cast<CString* const*>(a), **static_cast<CString* const*>(b));
}

int CompareDescending(const void* a, const void* b) { return -CompareAscending(a, b); }

}  // namespace

void CUtilityLib::QSortFileName(CStringArray& names, int ascending) {
    int count = names.GetSize();
    if (count < 2)
        return;
    // The C library's quicksort stays within the array even when an order is not transitive
    // (letters read as 0 against numbers), which std::sort does not promise.
    std::vector<CString*> order;
    order.reserve(count);
    for (int i = 0; i < count; ++i)
        order.push_back(&names[i]);
    qsort(order.data(), order.size(), sizeof order[0], ascending ? CompareAscending : CompareDescending);
    std::vector<CString> sorted;
    sorted.reserve(count);
    for (CString* name : order)
        sorted.push_back(std::move(*name));
    for (int i = 0; i < count; ++i)
        names[i] = std::move(sorted[i]);
}
