#pragma once

#include <GL/gl.h>
#include <string>
#include <vector>

// The printable ASCII glyphs of one font at one pixel size, rendered by FreeType into a single
// alpha texture of the current GL context, and text drawn from it as textured quads. Other
// characters are drawn as '?'. The texture belongs to the context that was current at Load;
// it is freed with that context, or by the next Load.
class CGlyphAtlas {
public:
    // Renders the glyphs of fontFile at pixelSize (clamped to 4 ... 128) into a new texture.
    // Returns false, with the reason in GetError(), when FreeType cannot open the file or set
    // the size; the atlas is empty then.
    bool Load(const std::string& fontFile, int pixelSize);
    bool IsLoaded() const { return Texture != 0; }
    const std::string& GetError() const { return Error; }
    int GetPixelSize() const { return PixelSize; }
    // Pixels from the baseline up to the top of the tallest glyph, and from the lowest glyph's
    // bottom to the tallest one's top.
    int GetAscent() const { return Ascent; }
    int GetLineHeight() const { return LineHeight; }
    // The width of text in pixels: the sum of the glyphs' advances.
    int TextWidth(const std::string& text) const;
    // Adds to quads one quad per glyph of text, with the first glyph's origin at (x, baseline)
    // in pixels (y up): four corners of x, y, s, t and the colour rgba each. A glyph is cut to
    // the pixels of clip (min x, min y, max x, max y; max exclusive), its texture coordinates
    // with it; a glyph outside clip adds nothing.
    void AddText(const std::string& text, int x, int baseline, const int clip[4],
                 const float rgba[4], std::vector<float>& quads) const;
    // Draws quads that AddText made, in the coordinates of the current matrices, the texture
    // bound, enabled and modulated by the corners' colour. The caller sets the blending.
    void DrawText(const std::vector<float>& quads) const;

private:
    struct CGlyph {
        int Advance = 0;
        int Left = 0, Top = 0;      // bitmap offset from the pen position, y up
        int Width = 0, Height = 0;  // bitmap size in pixels
        int AtlasX = 0, AtlasY = 0; // bitmap position in the texture, rows top down
    };
    static constexpr int FirstChar = 32;
    static constexpr int CharCount = 95; // ' ' ... '~'
    static constexpr int AtlasWidth = 512;

    const CGlyph& GlyphOf(char c) const;

    CGlyph Glyphs[CharCount];
    GLuint Texture = 0;
    int AtlasHeight = 0;
    int PixelSize = 0;
    int Ascent = 0;
    int LineHeight = 0;
    std::string Error;
};
