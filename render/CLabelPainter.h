#pragma once

#include "render/CGlyphAtlas.h"

#include <string>
#include <vector>

class CBasicView;
class CLogFile;
class CSqRectangle;

// Where one label was drawn: the rectangle it names and the box of its plate
// in window pixels (origin bottom left, y up; Min inclusive, Max exclusive). Nothing of the
// label is drawn outside the box.
struct CLabelBox {
    const CSqRectangle* Rect;
    int MinX, MinY, MaxX, MaxY;
};

// Draws the names of the rectangles over a painted view, with the glyphs of the system's
// sans-serif font (fontconfig) at the looks' label size. A name goes in the top strip of its
// rectangle, from the left edge of the visible part, when that top is in view, the whole name
// and a line fit there with a margin, and it does not meet the label of an enclosing
// rectangle. Groups are named by their kind
// ("Functions"), files without their directories; the program's rectangle, which is the whole
// view, and a group of one element get none. The text is dark on light fills and light on dark
// ones, on a half-transparent plate of the other colour.
class CLabelPainter {
public:
    // log (borrowed) hears once when no font can be had.
    explicit CLabelPainter(CLogFile& log) : Log(log) {}

    // Works out the labels of view's treemap as the view shows it now, for Draw (the font is
    // loaded into the current context at the first call and again when the size changes); none
    // without a treemap or a font. Labels follow the tree, its looks and the camera, not the
    // selection or the hover: placed once per image of the tree, they are drawn on every paint.
    void Place(const CBasicView& view);
    // Forgets the labels: Draw draws none.
    void Clear();
    // Draws the labels placed last over a viewport of width by height pixels.
    void Draw(int width, int height) const;
    // The labels placed last, parents before their children.
    const std::vector<CLabelBox>& GetLabels() const { return Labels; }

private:
    struct CBox {
        int MinX, MinY, MaxX, MaxY;
    };
    // Loads the atlas at size unless it is loaded at that size; false without a font.
    bool LoadFont(int size);
    // Labels rect and its descendants; taken holds the label boxes of the enclosing
    // rectangles.
    void Place(const CBasicView& view, const CSqRectangle& rect, std::vector<CBox>& taken);

    CLogFile& Log;
    CGlyphAtlas Atlas;
    bool FontFailed = false; // a failure was logged; no further attempts
    std::vector<CLabelBox> Labels;
    // What Place adds for the labels: the plates' corners (ColouredCorners) and the glyphs'
    // quads (CGlyphAtlas::AddText).
    std::vector<float> Plates, Glyphs;
};
