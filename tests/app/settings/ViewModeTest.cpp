#include "app/settings/ViewMode.h"

#include <gtest/gtest.h>

namespace tf {
namespace {

TEST(ViewModeTest, FirstStartTakesTheLargestZoomWhoseWindowFitsSeventyPercentOfTheScreen) {
    // A 1080-line screen, with or without a task bar: x2 (872 lines) is beyond 756.
    EXPECT_EQ(StartZoom(1080, 50), Zoom::X1_5);
    EXPECT_EQ(StartZoom(1040, 50), Zoom::X1_5);
    // A 2160-line screen at 100 %, and the same screen at 200 %, which the desktop gives as 1080.
    EXPECT_EQ(StartZoom(2160, 50), Zoom::X3);
    EXPECT_EQ(StartZoom(2160 / 2, 50), Zoom::X1_5);
    EXPECT_EQ(StartZoom(1440, 50), Zoom::X2);
    // The edge: 654 + 46 = 700 lines is exactly 70 % of 1000.
    EXPECT_EQ(StartZoom(1000, 46), Zoom::X1_5);
    EXPECT_EQ(StartZoom(1000, 47), Zoom::X1);
    // Nothing fits, or nothing is known: x1.
    EXPECT_EQ(StartZoom(480, 50), Zoom::X1);
    EXPECT_EQ(StartZoom(0, 0), Zoom::X1);
    EXPECT_EQ(ZoomedSize(Zoom::X1_5), (PixelSize{951, 654}));
    EXPECT_EQ(ZoomedSize(Zoom::X3), (PixelSize{1902, 1308}));
}

TEST(ViewModeTest, FullScreenKeepsTheShapeCentredAndOnlyIntegerZoomsScalePixelForPixel) {
    // 1920 x 1080: the height decides; 634 * 1080 / 436 = 1570.4.
    EXPECT_EQ(PlacePicture({Zoom::X2, true}, 1920, 1080), (PicturePlacement{175, 0, 1570, 1080, true}));
    // A tall screen: the width decides.
    EXPECT_EQ(PlacePicture({Zoom::X1, true}, 1080, 1920), (PicturePlacement{0, 588, 1080, 743, true}));
    EXPECT_EQ(PlacePicture({Zoom::X3, false}, 1902, 1308), (PicturePlacement{0, 0, 1902, 1308, false}));
    EXPECT_TRUE(PlacePicture({Zoom::X1_5, false}, 951, 654).smooth);
    // On a desktop at 150 %, x2 is three screen pixels a picture pixel, but x1 is one and a half.
    EXPECT_FALSE(PlacePicture({Zoom::X2, false}, 1268, 872, 1.5).smooth);
    EXPECT_TRUE(PlacePicture({Zoom::X1, false}, 634, 436, 1.5).smooth);
    // No area yet: nothing to draw, nothing negative.
    EXPECT_EQ(PlacePicture({Zoom::X1, true}, 0, 0), (PicturePlacement{0, 0, 0, 0, true}));
}

} // namespace
} // namespace tf
