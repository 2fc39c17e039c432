#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "BinData.h"

namespace {

const BYTE* Bytes(const char* text) { return reinterpret_cast<const BYTE*>(text); }

CBinData Holding(const char* text) {
    CBinData data;
    data.SetData(Bytes(text), static_cast<int>(strlen(text)) + 1);
    return data;
}

}  // namespace

TEST(CBinData, CopiesShareBytesAndOutliveTheOriginal) {
    CBinData a = Holding("hello");
    CBinData b = a;
    CBinData c;
    c = b;
    EXPECT_EQ(a.GetData(), b.GetData());
    EXPECT_EQ(a.GetData(), c.GetData());

    a.Reset();
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(nullptr, a.GetData());
    b = CBinData();
    EXPECT_TRUE(b.IsEmpty());
    EXPECT_EQ(6, c.GetLength());
    EXPECT_STREQ("hello", static_cast<const char*>(c));
}

TEST(CBinData, SetSizeOnSharedBufferLeavesTheOtherHolderUnchanged) {
    CBinData a = Holding("abc");
    CBinData b = a;
    b.SetSize(8);
    EXPECT_NE(a.GetData(), b.GetData());
    EXPECT_EQ(4, a.GetLength());
    EXPECT_STREQ("abc", static_cast<const char*>(a));
    ASSERT_EQ(8, b.GetLength());
    EXPECT_EQ(0, memcmp("abc\0\0\0\0\0", b.GetData(), 8));

    b.SetSize(2);
    ASSERT_EQ(2, b.GetLength());
    EXPECT_EQ(0, memcmp("ab", b.GetData(), 2));
    b.SetSize(0);
    EXPECT_TRUE(b.IsEmpty());
    EXPECT_STREQ("abc", static_cast<const char*>(a));
}

TEST(CBinData, DeepCopyIsPrivateShallowCopyShares) {
    CBinData a = Holding("data");
    CBinData deep, shallow;
    deep.SetData(a, true);
    shallow.SetData(a, false);
    EXPECT_EQ(a.GetData(), shallow.GetData());
    ASSERT_NE(a.GetData(), deep.GetData());
    deep.GetData()[0] = 'D';
    EXPECT_STREQ("data", static_cast<const char*>(a));
    EXPECT_STREQ("Data", static_cast<const char*>(deep));
}

TEST(CBinData, SetDataMayTakeBytesFromItsOwnBuffer) {
    CBinData a = Holding("abcdef");
    a.SetData(a.GetData() + 2, 3);
    ASSERT_EQ(3, a.GetLength());
    EXPECT_EQ(0, memcmp("cde", a.GetData(), 3));
}

TEST(CBinData, SetPointerWithoutOwnershipNeverFreesTheCallersBuffer) {
    const int size = 48;
    BYTE* mine = static_cast<BYTE*>(malloc(size));
    memset(mine, 'm', size);
    {
        CBinData a;
        a.SetPointer(mine, size, false);
        EXPECT_EQ(mine, a.GetData());
        CBinData b = a;
        a.Reset();
        b.SetSize(size * 2);
        EXPECT_NE(mine, b.GetData());
    }
    // A freed block would be handed out again to an allocation of its size.
    std::vector<void*> blocks;
    for (int i = 0; i < 64; ++i) {
        blocks.push_back(malloc(size));
        EXPECT_NE(static_cast<void*>(mine), blocks.back());
    }
    for (void* block : blocks)
        free(block);
    for (int i = 0; i < size; ++i)
        ASSERT_EQ('m', mine[i]);
    free(mine);
}

TEST(CBinData, SetPointerWithOwnershipIsSharedByCopies) {
    BYTE* adopted = static_cast<BYTE*>(malloc(4));
    memcpy(adopted, "own", 4);
    CBinData a;
    a.SetPointer(adopted, 4, true);
    CBinData b = a;
    a.Reset();
    EXPECT_EQ(adopted, b.GetData());
    EXPECT_STREQ("own", static_cast<const char*>(b));
}
