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

TEST(ViewModeTest, OnlyZoomsWhoseWindowFitsTheScreenAreOffered) {
    // 1920 x 1080 with a 50-line caption and menu: x3's 1308 lines do not fit, x2's 872 do.
    EXPECT_EQ(OfferedZooms({1080, 50, 1920, 8}), (std::array<bool, 4>{true, true, true, false}));
    // 1280 x 1024 under a panel: x2 is 1268 wide, and the frame's 8 pixels overflow.
    EXPECT_EQ(OfferedZooms({984, 50, 1280, 16}), (std::array<bool, 4>{true, true, false, false}));
    // A netbook: only x1, even though it does not fit either; there is nothing smaller.
    EXPECT_EQ(OfferedZooms({576, 50, 1024, 8}), (std::array<bool, 4>{true, false, false, false}));
    // A remembered x3 comes back as the largest zoom that fits; one that fits stays.
    EXPECT_EQ(FittingZoom(Zoom::X3, {984, 50, 1280, 16}), Zoom::X1_5);
    EXPECT_EQ(FittingZoom(Zoom::X1_5, {1080, 50, 1920, 8}), Zoom::X1_5);
}

TEST(ViewModeTest, FullScreenTakesTheLargestWholeFactorOrFillsSmoothlyWhenAsked) {
    // 1920 x 1080: twice the picture fits (three times is 1308 lines), centred on black.
    EXPECT_EQ(PlacePicture({Zoom::X1_5, true}, 1920, 1080), (PicturePlacement{326, 104, 1268, 872, false}));
    // At 150 % the desktop's 1280 x 720 are the same screen: two screen pixels still a picture pixel.
    EXPECT_EQ(PlacePicture({Zoom::X1, true}, 1280, 720, 1.5), (PicturePlacement{217, 69, 845, 581, false}));
    // A screen smaller than the picture has no whole factor: it is filled.
    EXPECT_EQ(PlacePicture({Zoom::X1, true}, 600, 400), (PicturePlacement{9, 0, 582, 400, true}));
    // Smooth filling, 1920 x 1080: the height decides; 634 * 1080 / 436 = 1570.4.
    EXPECT_EQ(PlacePicture({Zoom::X2, true, true}, 1920, 1080), (PicturePlacement{175, 0, 1570, 1080, true}));
    // A tall screen: the width decides.
    EXPECT_EQ(PlacePicture({Zoom::X1, true, true}, 1080, 1920), (PicturePlacement{0, 588, 1080, 743, true}));
    EXPECT_EQ(PlacePicture({Zoom::X3, false}, 1902, 1308), (PicturePlacement{0, 0, 1902, 1308, false}));
    EXPECT_TRUE(PlacePicture({Zoom::X1_5, false}, 951, 654).smooth);
    // On a desktop at 150 %, x2 is three screen pixels a picture pixel, but x1 is one and a half.
    EXPECT_FALSE(PlacePicture({Zoom::X2, false}, 1268, 872, 1.5).smooth);
    EXPECT_TRUE(PlacePicture({Zoom::X1, false}, 634, 436, 1.5).smooth);
    // No area yet: nothing to draw, nothing negative.
    EXPECT_EQ(PlacePicture({Zoom::X1, true, true}, 0, 0), (PicturePlacement{0, 0, 0, 0, true}));
    EXPECT_EQ(PlacePicture({Zoom::X1, true}, 0, 0), (PicturePlacement{0, 0, 0, 0, true}));
}

} // namespace
} // namespace tf
