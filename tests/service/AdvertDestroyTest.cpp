#include "AdvertFixture.h"

using FileProbe::Exists;

namespace {

HANDLE Duplicate(HANDLE thread) {
    HANDLE copy = nullptr;
    ::DuplicateHandle(::GetCurrentProcess(), thread, ::GetCurrentProcess(), &copy,
                      SYNCHRONIZE, FALSE, 0);
    return copy;
}

}  // namespace

TEST_F(AdvertTest, DestroyingDuringASlowDownloadEndsItsWorker) {
    WriteServiceFile("[MAINAD]\r\nVER=3\r\nIMAGE=" + ImageUrl("/__slow/30000/ad/big.gif") + "\r\n");
    CAPPMainAdCtrl ad;
    Create(ad);
    ASSERT_NE(ad.GetWorkerThread(), nullptr);
    CHandle worker(Duplicate(ad.GetWorkerThread()));
    ASSERT_TRUE(worker.IsValid());
    ASSERT_TRUE(PumpUntil([] { return MakerSite::RequestsFor("/__slow/30000/ad/big.gif").size() == 1; }, 10000));

    // Wine's WinINet does not give up a request whose session is closed while it waits for the
    // answer, so here the worker ends by the fallback, at the end of the wait.
    ASSERT_TRUE(ad.DestroyWindow());
    EXPECT_EQ(::WaitForSingleObject(worker, 0), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_EQ(ad.GetWorkerThread(), nullptr);
    EXPECT_FALSE(Exists(DefaultCache()));
    EXPECT_STREQ(CachedVersion("MAINAD"), "");
}

TEST_F(AdvertTest, DeletingTheObjectWithItsWindowEndsItsWorker) {
    WriteServiceFile("[MAINAD]\r\nVER=3\r\nIMAGE=" + ImageUrl("/__slow/30000/ad/small.gif") + "\r\n");
    CHandle worker;
    {
        CAPPMainAdCtrl ad;
        Create(ad);
        worker.Attach(Duplicate(ad.GetWorkerThread()));
        ASSERT_TRUE(worker.IsValid());
        ASSERT_TRUE(PumpUntil([] { return MakerSite::RequestsFor("/__slow/30000/ad/small.gif").size() == 1; }, 10000));
    }
    EXPECT_EQ(::WaitForSingleObject(worker, 0), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_FALSE(Exists(DefaultCache()));
}
