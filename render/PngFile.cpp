#include "render/PngFile.h"

#include "base/StringPrintf.h"

#include <png.h>

namespace {

bool Fail(std::string* error, const std::string& reason) {
    if (error != nullptr)
        *error = reason;
    return false;
}

} // namespace

bool WritePng(const std::string& fileName, int width, int height,
              const std::vector<unsigned char>& pixels, std::string* error) {
    if (width <= 0 || height <= 0 || pixels.size() != static_cast<size_t>(width) * height * 4)
        return Fail(error, StringPrintf("%zu bytes are no %d x %d RGBA image", pixels.size(), width,
                                        height));
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGBA;
    // A negative row stride tells libpng that the rows are stored bottom-up. On a failure
    // libpng removes the file it started.
    const png_int_32 rowStride = -4 * width;
    if (!png_image_write_to_file(&image, fileName.c_str(), 0, pixels.data(), rowStride, nullptr))
        return Fail(error, StringPrintf("cannot write %s: %s", fileName.c_str(), image.message));
    return true;
}
