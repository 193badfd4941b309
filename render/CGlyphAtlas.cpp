#include "render/CGlyphAtlas.h"

#include <algorithm>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <memory>
#include <vector>

namespace {

struct LibraryDeleter {
    void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FaceDeleter {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};

} // namespace

bool CGlyphAtlas::Load(const std::string& fontFile, int pixelSize) {
    if (Texture != 0)
        glDeleteTextures(1, &Texture);
    Texture = 0;
    Error.clear();
    PixelSize = std::clamp(pixelSize, 4, 128);
    FT_Library rawLibrary = nullptr;
    if (FT_Init_FreeType(&rawLibrary) != 0) {
        Error = "FreeType cannot be initialised";
        return false;
    }
    std::unique_ptr<FT_LibraryRec_, LibraryDeleter> library(rawLibrary);
    FT_Face rawFace = nullptr;
    if (FT_New_Face(library.get(), fontFile.c_str(), 0, &rawFace) != 0) {
        Error = "Cannot open the font " + fontFile;
        return false;
    }
    std::unique_ptr<FT_FaceRec_, FaceDeleter> face(rawFace);
    if (FT_Set_Pixel_Sizes(face.get(), 0, PixelSize) != 0) {
        Error = "The font " + fontFile + " has no size " + std::to_string(PixelSize);
        return false;
    }

    // Renders every glyph once to place it in rows, keeping the bitmaps until the texture is
    // made.
    std::vector<std::vector<unsigned char>> bitmaps(CharCount);
    int x = 0, y = 0, rowHeight = 0;
    for (int i = 0; i < CharCount; ++i) {
        CGlyph& glyph = Glyphs[i];
        glyph = CGlyph();
        if (FT_Load_Char(face.get(), static_cast<FT_ULong>(FirstChar + i), FT_LOAD_RENDER) != 0)
            continue;
        const FT_GlyphSlot slot = face->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        glyph.Advance = static_cast<int>(slot->advance.x >> 6);
        glyph.Left = slot->bitmap_left;
        glyph.Top = slot->bitmap_top;
        glyph.Width = static_cast<int>(bitmap.width);
        glyph.Height = static_cast<int>(bitmap.rows);
        if (x + glyph.Width + 1 > AtlasWidth) {
            x = 0;
            y += rowHeight + 1;
            rowHeight = 0;
        }
        glyph.AtlasX = x;
        glyph.AtlasY = y;
        x += glyph.Width + 1;
        rowHeight = std::max(rowHeight, glyph.Height);
        std::vector<unsigned char>& pixels = bitmaps[i];
        pixels.resize(static_cast<size_t>(glyph.Width) * glyph.Height);
        for (int row = 0; row < glyph.Height; ++row)
            std::copy_n(bitmap.buffer + row * bitmap.pitch, glyph.Width,
                        pixels.begin() + static_cast<std::ptrdiff_t>(row) * glyph.Width);
    }
    // The line spans the glyphs' extents, so that no glyph reaches past it.
    Ascent = 0;
    int descent = 0;
    for (const CGlyph& glyph : Glyphs) {
        Ascent = std::max(Ascent, glyph.Top);
        descent = std::max(descent, glyph.Height - glyph.Top);
    }
    LineHeight = Ascent + descent;
    AtlasHeight = y + rowHeight + 1;
    std::vector<unsigned char> atlas(static_cast<size_t>(AtlasWidth) * AtlasHeight, 0);
    for (int i = 0; i < CharCount; ++i) {
        const CGlyph& glyph = Glyphs[i];
        for (int row = 0; row < glyph.Height; ++row)
            std::copy_n(
                bitmaps[i].begin() + static_cast<std::ptrdiff_t>(row) * glyph.Width, glyph.Width,
                atlas.begin() + static_cast<std::ptrdiff_t>(glyph.AtlasY + row) * AtlasWidth +
                    glyph.AtlasX);
    }
    glGenTextures(1, &Texture);
    glBindTexture(GL_TEXTURE_2D, Texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA8, AtlasWidth, AtlasHeight, 0, GL_ALPHA,
                 GL_UNSIGNED_BYTE, atlas.data());
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    return true;
}

const CGlyphAtlas::CGlyph& CGlyphAtlas::GlyphOf(char c) const {
    int index = static_cast<unsigned char>(c) - FirstChar;
    if (index < 0 || index >= CharCount)
        index = '?' - FirstChar;
    return Glyphs[index];
}

int CGlyphAtlas::TextWidth(const std::string& text) const {
    int width = 0;
    for (char c : text)
        width += GlyphOf(c).Advance;
    return width;
}

void CGlyphAtlas::AddText(const std::string& text, int x, int baseline, const int clip[4],
                          const float rgba[4], std::vector<float>& quads) const {
    const float scaleX = 1.0f / AtlasWidth;
    const float scaleY = 1.0f / AtlasHeight;
    for (char c : text) {
        const CGlyph& glyph = GlyphOf(c);
        // The glyph's pixels, cut to clip; the texture's rows run top down.
        const int left = x + glyph.Left, top = baseline + glyph.Top;
        const int x0 = std::max(left, clip[0]), x1 = std::min(left + glyph.Width, clip[2]);
        const int y0 = std::max(top - glyph.Height, clip[1]), y1 = std::min(top, clip[3]);
        x += glyph.Advance;
        if (x0 >= x1 || y0 >= y1)
            continue;
        const float u0 = static_cast<float>(glyph.AtlasX + (x0 - left)) * scaleX;
        const float u1 = static_cast<float>(glyph.AtlasX + (x1 - left)) * scaleX;
        const float v0 = static_cast<float>(glyph.AtlasY + (top - y1)) * scaleY;
        const float v1 = static_cast<float>(glyph.AtlasY + (top - y0)) * scaleY;
        const float corners[4][4] = {{static_cast<float>(x0), static_cast<float>(y0), u0, v1},
                                     {static_cast<float>(x1), static_cast<float>(y0), u1, v1},
                                     {static_cast<float>(x1), static_cast<float>(y1), u1, v0},
                                     {static_cast<float>(x0), static_cast<float>(y1), u0, v0}};
        for (const auto& corner : corners) {
            quads.insert(quads.end(), corner, corner + 4);
            quads.insert(quads.end(), rgba, rgba + 4);
        }
    }
}

void CGlyphAtlas::DrawText(const std::vector<float>& quads) const {
    if (Texture == 0 || quads.empty())
        return;
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, Texture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    constexpr GLsizei stride = 8 * sizeof(float);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(2, GL_FLOAT, stride, quads.data());
    glTexCoordPointer(2, GL_FLOAT, stride, quads.data() + 2);
    glColorPointer(4, GL_FLOAT, stride, quads.data() + 4);
    glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(quads.size() / 8));
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}
