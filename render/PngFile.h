#pragma once

#include <string>
#include <vector>

// Writes an RGBA image as a PNG file (8 bits per channel, with alpha). pixels holds 4 bytes
// per pixel with the rows from the bottom up, as glReadPixels returns them; the file gets them
// top-down. Returns false, with the reason in error when given, when the size does not match
// the pixels or the file cannot be written (no partial file is left then).
bool WritePng(const std::string& fileName, int width, int height,
              const std::vector<unsigned char>& pixels, std::string* error = nullptr);
