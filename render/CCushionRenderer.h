#pragma once

class CRectArea;
class CSqRectangle;
struct CColor;
struct CLooksSettings;

// Draws the rectangle tree as cushions with the current GL context: per rectangle a frame (a
// colour fan from black in the centre to the frame colour at the edges) and, inside the
// border, a quad whose pixels the bound fragment program lights from the rectangle's cushion
// surface, or that shows the flat fill colour when the pixel shader is off.
class CCushionRenderer {
public:
    // Sets the per-frame program parameters from the looks: 2 = (ambient, light factor, 1, 0)
    // and 3 = the unit light direction (LightX, LightY, 1).
    static void SetFrameParameters(const CLooksSettings& looks);
    // Draws the whole tree with the treemap's looks. lit is false for the tree image and true
    // for the overlay of selected and highlighted rectangles.
    static void DrawTree(const CRectArea& treemap, bool lit);
    // Draws one rectangle and, for the kinds that have them drawn, its children, in list
    // order. A lit rectangle that is highlighted or selected is drawn with the highlight
    // weight on, a selected one with a red frame.
    static void Draw(CSqRectangle& rect, const CLooksSettings& looks, bool lit);

private:
    static void BeginLit(CSqRectangle& rect, const CLooksSettings& looks, bool lit);
    static void EndLit(CSqRectangle& rect, bool lit);
    static void DrawFrame(const CSqRectangle& rect, const CColor& color, bool lit);
    static void DrawCushion(const CSqRectangle& rect, const CColor& color, bool shader, bool lit);
};
