#include "render/PngFile.h"
#include "support/CTempDir.h"

#include <gtest/gtest.h>
#include <png.h>

namespace {

// Reads a PNG file with libpng's own reader into top-down RGBA rows.
bool ReadPng(const std::string& fileName, int& width, int& height,
             std::vector<unsigned char>& pixels) {
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, fileName.c_str()))
        return false;
    image.format = PNG_FORMAT_RGBA;
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
    pixels.resize(PNG_IMAGE_SIZE(image));
    return png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr) != 0;
}

} // namespace

TEST(PngFile, RoundTripTurnsBottomUpRowsTopDown) {
    CTempDir dir;
    const int width = 7, height = 5; // odd sizes: no row padding hides a stride error
    std::vector<unsigned char> bottomUp(width * height * 4);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            unsigned char* p = &bottomUp[(y * width + x) * 4];
            p[0] = static_cast<unsigned char>(x * 30);
            p[1] = static_cast<unsigned char>(y * 50);
            p[2] = static_cast<unsigned char>(x * y);
            p[3] = static_cast<unsigned char>(255 - x - y);
        }
    std::string error;
    ASSERT_TRUE(WritePng("out.png", width, height, bottomUp, &error)) << error;

    int readWidth = 0, readHeight = 0;
    std::vector<unsigned char> topDown;
    ASSERT_TRUE(ReadPng(dir.Path() + "/out.png", readWidth, readHeight, topDown));
    ASSERT_EQ(width, readWidth);
    ASSERT_EQ(height, readHeight);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 4; ++c)
                ASSERT_EQ(bottomUp[(y * width + x) * 4 + c],
                          topDown[((height - 1 - y) * width + x) * 4 + c])
                    << "pixel (" << x << ", " << y << ") channel " << c;
}

TEST(PngFile, ReportsWhatItCannotWrite) {
    CTempDir dir;
    std::string error;
    const std::vector<unsigned char> pixels(4 * 4 * 4, 128);
    EXPECT_FALSE(WritePng("missing-dir/out.png", 4, 4, pixels, &error));
    EXPECT_NE(std::string::npos, error.find("missing-dir/out.png")) << error;

    error.clear();
    EXPECT_FALSE(WritePng("short.png", 4, 5, pixels, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(dir.ReadFile("short.png").empty());
    EXPECT_FALSE(WritePng("empty.png", 0, 0, {}));
}
