// GDI objects under Wine: the live count the framework keeps, deletes the platform would refuse, and
// every owner releasing its DC and bitmap pairs in order.
#include <gtest/gtest.h>

#include "framework/Afx.h"
#include "selection/MagnifyDlg.h"

namespace {

TEST(GdiCount, ABitmapDeletedWhileSelectedCountsAsFailedAndStaysLive) {
#ifndef NDEBUG
    GTEST_SKIP() << "a debug build stops at the failed delete by design";
#endif
    const int live = AfxLiveGdiObjects(), failed = AfxFailedGdiDeletes();
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CBitmap bitmap;
    HDC hScreen = ::GetDC(nullptr);
    CDC screen(hScreen);  // borrowed
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 8, 8));
    ::ReleaseDC(nullptr, hScreen);
    EXPECT_EQ(AfxLiveGdiObjects(), live + 2);
    dc.SelectObject(&bitmap);

    EXPECT_FALSE(bitmap.DeleteObject());  // Windows refuses this one; Wine takes it but defers it
    EXPECT_EQ(AfxFailedGdiDeletes(), failed + 1);
    EXPECT_EQ(AfxLiveGdiObjects(), live + 2);

    dc.DeleteDC();  // Wine's deferred delete happens with the DC; the count still holds the bitmap
    EXPECT_EQ(AfxLiveGdiObjects(), live + 1);
    EXPECT_EQ(AfxFailedGdiDeletes(), failed + 1);
}

TEST(GdiCount, TheMagnifierReleasesItsSnapshotInOrder) {
    const int live = AfxLiveGdiObjects(), failed = AfxFailedGdiDeletes();
    {
        CCMagnifyDlg magnifier;
        ASSERT_TRUE(magnifier.Create(IDD_POPUP));
        EXPECT_GE(AfxLiveGdiObjects(), live + 2) << "the snapshot's DC and bitmap";
    }
    EXPECT_EQ(AfxFailedGdiDeletes(), failed);
    EXPECT_EQ(AfxLiveGdiObjects(), live);
}

}  // namespace
