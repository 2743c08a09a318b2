// The picture viewer shows a picture of the program folder by id; an id the folder
// lacks leaves it empty, and a later good id replaces nothing but the picture.
#include <gtest/gtest.h>

#include "Host.h"
#include "controls/BitmapViewer.h"

namespace {

TEST(BitmapViewer, ShowsThePictureOfTheIdOrNothing) {
    controlstest::Host host;
    CBitmapViewer viewer;
    ASSERT_TRUE(viewer.Create(&host.Window(), 6900, ui::kStyleChild | ui::kStyleVisible, wxRect(0, 0, 40, 80)));
    EXPECT_FALSE(viewer.HasBitmap());
    viewer.SetBitmap(4108);
    EXPECT_TRUE(viewer.HasBitmap());
    viewer.SetBitmap(99999);
    EXPECT_FALSE(viewer.HasBitmap()) << "the earlier picture is let go";
}

}  // namespace
