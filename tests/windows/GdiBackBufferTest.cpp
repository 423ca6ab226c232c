#include "platform/win32/GdiBackBuffer.h"
#include "platform/win32/GdiDrawing.h"
#include "tests/support/SmfBuilder.h"
#include "tests/windows/TestWindow.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace tf {
namespace {

constexpr int ClientWidth = 634;
constexpr int ClientHeight = 436;
constexpr Colour White = 0xFFFFFF;
constexpr Colour Red = 0x0000FF;
constexpr Colour Blue = 0xFF0000;

/// Writes a 24-bit bottom-up BMP whose pixel (x, y) has the colour `pixel(x, y)`.
template <typename Pixel>
void WriteBmp(const std::filesystem::path& path, int width, int height, Pixel pixel) {
    const int stride = (width * 3 + 3) / 4 * 4;
    const std::uint32_t imageSize = static_cast<std::uint32_t>(stride * height);
    std::vector<std::uint8_t> file;
    auto put = [&file](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            file.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
        }
    };
    file.push_back('B');
    file.push_back('M');
    put(54 + imageSize, 4);
    put(0, 4);
    put(54, 4);
    put(40, 4);
    put(static_cast<std::uint32_t>(width), 4);
    put(static_cast<std::uint32_t>(height), 4);
    put(1, 2);
    put(24, 2);
    put(0, 4);
    put(imageSize, 4);
    put(2835, 4);
    put(2835, 4);
    put(0, 4);
    put(0, 4);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const Colour c = pixel(x, y);
            file.push_back(BlueOf(c));
            file.push_back(GreenOf(c));
            file.push_back(RedOf(c));
        }
        for (int pad = width * 3; pad < stride; ++pad) {
            file.push_back(0);
        }
    }
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
}

class GdiBackBufferTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (window.handle() == nullptr) {
            GTEST_SKIP() << "no window can be made here (no display)";
        }
        buffer.attach(window.handle());
        buffer.create();
    }

    Colour at(int x, int y) const { return GetPixel(buffer.memoryDc(), x, y); }

    test::TestWindow window{ClientWidth, ClientHeight};
    GdiBackBuffer buffer;
};

TEST_F(GdiBackBufferTest, PictureIsOnePixelLargerThanTheClientAreaAndClearLeavesTheExtraEdge) {
    ASSERT_EQ(buffer.window(), window.handle());
    EXPECT_EQ(buffer.width(), ClientWidth);
    EXPECT_EQ(buffer.height(), ClientHeight);
    BITMAP info{};
    ASSERT_NE(GetObjectW(buffer.bitmap(), sizeof info, &info), 0);
    EXPECT_EQ(info.bmWidth, ClientWidth + 1);
    EXPECT_EQ(info.bmHeight, ClientHeight + 1);
    EXPECT_EQ(GetCurrentObject(buffer.memoryDc(), OBJ_BITMAP), buffer.bitmap());

    buffer.fill(0, 0, ClientWidth + 1, ClientHeight + 1, Red);
    buffer.clear();
    EXPECT_EQ(at(0, 0), White);
    EXPECT_EQ(at(ClientWidth - 1, ClientHeight - 1), White);
    EXPECT_EQ(at(ClientWidth, 0), Red);
    EXPECT_EQ(at(0, ClientHeight), Red);
}

TEST_F(GdiBackBufferTest, BoxWithEqualColoursCoversLeftTopUpToButNotIncludingRightBottom) {
    buffer.box(10, 20, 30, 40, 0, Red, Red);
    EXPECT_EQ(at(10, 20), Red);
    EXPECT_EQ(at(29, 39), Red);
    EXPECT_EQ(at(30, 39), White);
    EXPECT_EQ(at(29, 40), White);
    EXPECT_EQ(at(9, 20), White);
}

TEST_F(GdiBackBufferTest, BoxOutlineTakesThePenAndTheInsideTheBrush) {
    buffer.box(10, 10, 50, 50, 0, Red, Blue);
    EXPECT_EQ(at(10, 30), Red);
    EXPECT_EQ(at(49, 30), Red);
    EXPECT_EQ(at(30, 10), Red);
    EXPECT_EQ(at(30, 30), Blue);
    EXPECT_EQ(at(11, 30), Blue);
}

TEST_F(GdiBackBufferTest, FillCoversExactlyItsRectangleAndIgnoresEmptyOnes) {
    buffer.fill(5, 6, 8, 9, Blue);
    EXPECT_EQ(at(5, 6), Blue);
    EXPECT_EQ(at(7, 8), Blue);
    EXPECT_EQ(at(8, 8), White);
    EXPECT_EQ(at(7, 9), White);
    buffer.fill(20, 20, 20, 30, Blue);
    buffer.fill(30, 30, 25, 25, Blue);
    EXPECT_EQ(at(20, 25), White);
    EXPECT_EQ(at(27, 27), White);
}

TEST_F(GdiBackBufferTest, BitmapFilesLoadAtTheirOwnSizeAndBlitClipsAtTheEdges) {
    test::TempDir dir;
    // Named in no ANSI code page: the file is opened by its UTF-16 name.
    const auto path = dir.path() / u8"絵🎨.bmp";
    // Left half red, right half blue.
    WriteBmp(path, 8, 4, [](int x, int) { return x < 4 ? Red : Blue; });
    const auto picture = LoadBitmapFile(window.handle(), path);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->width(), 8);
    EXPECT_EQ(picture->height(), 4);

    buffer.blit(picture.get(), 100, 100, 8, 4, 0, 0);
    EXPECT_EQ(at(100, 100), Red);
    EXPECT_EQ(at(107, 103), Blue);
    EXPECT_EQ(at(108, 103), White);

    buffer.blit(picture.get(), -4, -2, 8, 4, 0, 0);
    EXPECT_EQ(at(0, 0), Blue);
    EXPECT_EQ(at(3, 1), Blue);
    EXPECT_EQ(at(4, 0), White);

    buffer.blit(picture.get(), 200, 200, 2, 2, 3, 0);
    EXPECT_EQ(at(200, 200), Red);
    EXPECT_EQ(at(201, 201), Blue);
}

TEST_F(GdiBackBufferTest, MissingFilesAndNullBitmapsDrawNothing) {
    test::TempDir dir;
    EXPECT_EQ(LoadBitmapFile(window.handle(), dir.path() / "missing.bmp"), nullptr);
    buffer.blit(nullptr, 0, 0, 50, 50, 0, 0);
    BlitBitmap(buffer.memoryDc(), nullptr, 0, 0, 50, 50, 0, 0);
    EXPECT_EQ(at(0, 0), White);
    EXPECT_EQ(at(49, 49), White);
}

/// The horizontal extent of the pixels of `colour` in the rows [top, bottom), or {-1, -1}.
std::pair<int, int> InkColumns(HDC dc, int top, int bottom, Colour colour) {
    int first = -1;
    int last = -1;
    for (int x = 0; x < ClientWidth; ++x) {
        for (int y = top; y < bottom; ++y) {
            if (GetPixel(dc, x, y) == colour) {
                first = first < 0 ? x : first;
                last = x;
                break;
            }
        }
    }
    return {first, last};
}

TEST_F(GdiBackBufferTest, TextKeepsTheLastAlignmentAndColourAndHasNoBackground) {
    buffer.fill(0, 0, ClientWidth, 40, Blue);
    buffer.setTextColour(Red);
    buffer.text(FontFace::Default, 0, 100, 10, "TONEFALLS");
    const auto [leftFirst, leftLast] = InkColumns(buffer.memoryDc(), 0, 40, Red);
    ASSERT_GE(leftFirst, 100);
    EXPECT_GT(leftLast, leftFirst);
    // Between the letters the blue stays: no box is painted behind the text.
    EXPECT_EQ(at(leftFirst, 0), Blue);

    buffer.fill(0, 0, ClientWidth, 40, White);
    buffer.setTextAlign(TextAlign::Centre);
    // The default face: which Japanese faces exist depends on the machine.
    buffer.text(FontFace::Default, 0, 300, 10, "TONEFALLS");
    const auto [first, last] = InkColumns(buffer.memoryDc(), 0, 40, Red);
    ASSERT_GE(first, 0);
    EXPECT_LT(first, 300);
    EXPECT_GT(last, 300);
}

TEST_F(GdiBackBufferTest, JapaneseTextInBothFacesDrawsWithoutFailing) {
    buffer.setTextColour(0);
    buffer.text(FontFace::Gothic, 26, 10, 100, "演奏パートを選べ！");
    buffer.text(FontFace::PGothic, 64, 10, 200, "ｷｬﾝｾﾙ");
    buffer.text(FontFace::PGothic, 16, 10, 300, "");
    EXPECT_EQ(GetCurrentObject(buffer.memoryDc(), OBJ_FONT), GetStockObject(SYSTEM_FONT));
}

TEST(GdiBackBuffer, BeforeCreateAndAfterDestroyNothingIsDrawn) {
    GdiBackBuffer buffer;
    EXPECT_EQ(buffer.width(), 0);
    buffer.clear();
    buffer.box(0, 0, 10, 10, 0, Red, Red);
    buffer.text(FontFace::Default, 0, 0, 0, "x");
    buffer.destroy();
    EXPECT_EQ(buffer.memoryDc(), nullptr);
}

TEST(MakeFont, AsksForTheRequestedFaceAndCharacterSetAtTheGivenCellHeight) {
    HFONT font = MakeFont({std::wstring(GothicFace), SHIFTJIS_CHARSET}, 30);
    ASSERT_NE(font, nullptr);
    LOGFONTW info{};
    ASSERT_NE(GetObjectW(font, sizeof info, &info), 0);
    EXPECT_EQ(info.lfHeight, 30);
    EXPECT_EQ(info.lfWidth, 0);
    EXPECT_EQ(info.lfWeight, FW_NORMAL);
    EXPECT_EQ(info.lfCharSet, SHIFTJIS_CHARSET);
    EXPECT_EQ(info.lfQuality, PROOF_QUALITY);
    EXPECT_EQ(info.lfPitchAndFamily, FIXED_PITCH | FF_MODERN);
    EXPECT_EQ(std::wstring_view(info.lfFaceName), GothicFace);
    DeleteObject(font);
}

// The face a request names is one the system draws with: asked for by that name, the mapper
// hands back that very face.
std::wstring FaceDrawnFor(HDC dc, const FontRequest& request) {
    HFONT font = MakeFont(request, 20);
    HGDIOBJ previous = SelectObject(dc, font);
    wchar_t drawn[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, drawn);
    SelectObject(dc, previous);
    DeleteObject(font);
    return drawn;
}

TEST(ChooseFontFace, KeepsTheGothicFaceWhereTheSystemHasItAndFindsAnotherWhereNot) {
    HDC dc = CreateCompatibleDC(nullptr);
    // The test prefix has the gothic face (as a Japanese Windows has).
    const FontRequest present = ChooseFontFace(dc, GothicFace, true);
    EXPECT_EQ(present.face, GothicFace);
    EXPECT_EQ(present.charSet, SHIFTJIS_CHARSET);

    const FontRequest missing = ChooseFontFace(dc, L"Tonefalls No Such Face", false);
    EXPECT_NE(missing.face, L"Tonefalls No Such Face");
    EXPECT_EQ(FaceDrawnFor(dc, missing), missing.face);
    DeleteDC(dc);
}

} // namespace
} // namespace tf
