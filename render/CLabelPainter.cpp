#include "render/CLabelPainter.h"

#include "base/CLogFile.h"
#include "layout/CElementGroup.h"
#include "layout/CProgramRect.h"
#include "layout/CRectArea.h"
#include "layout/CSqRectangle.h"
#include "layout/GroupKinds.h"
#include "model/ISquarable.h"
#include "render/ColouredCorners.h"
#include "render/FontFile.h"
#include "view/CBasicView.h"

#include <GL/glext.h>
#include <algorithm>
#include <cmath>

namespace {

// Pixels between a label and its rectangle's edges.
constexpr int Margin = 2;
// Pixels between the text and the edges of its plate.
constexpr int Padding = 1;

// The name a rectangle is labelled with: a group's kind in the plural ("Functions"), a file's
// name without its directories, else the element's name; empty for the program and for a
// group of one.
std::string LabelText(const CSqRectangle& rect) {
    ISquarable* element = rect.GetElement();
    if (rect.GetKind() == ERectKind::Program || element == nullptr)
        return "";
    // A group of one element leaves the line to that element's own name.
    if (const auto* group = dynamic_cast<const CElementGroup*>(element))
        return rect.Children.size() == 1 ? "" : GroupKindOf(group->Kind).Members;
    std::string name = element->GetName();
    if (rect.GetKind() == ERectKind::File)
        name.erase(0, name.find_last_of('/') + 1);
    return name;
}

} // namespace

bool CLabelPainter::LoadFont(int size) {
    if (FontFailed)
        return false;
    if (Atlas.IsLoaded() && Atlas.GetPixelSize() == std::clamp(size, 4, 128))
        return true;
    std::string file = FindFontFile("sans-serif");
    if (file.empty() || !Atlas.Load(file, size)) {
        FontFailed = true;
        Log.Error("Labels are not drawn",
                  file.empty() ? "fontconfig found no sans-serif font" : Atlas.GetError());
        return false;
    }
    return true;
}

void CLabelPainter::Clear() {
    Labels.clear();
    Plates.clear();
    Glyphs.clear();
}

void CLabelPainter::Place(const CBasicView& view) {
    Clear();
    const CRectArea* treemap = view.GetTreemap();
    if (treemap == nullptr || treemap->GetRoot() == nullptr || !LoadFont(view.GetLooks().LabelSize))
        return;
    std::vector<CBox> taken;
    Place(view, *treemap->GetRoot(), taken);
}

void CLabelPainter::Draw(int width, int height) const {
    if (Labels.empty())
        return;
    // No two labels meet, so all plates and then all glyphs give the pixels of each label's
    // plate and then its text, in two calls.
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_TEXTURE_BIT | GL_CURRENT_BIT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, width, 0, height, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_FRAGMENT_PROGRAM_ARB);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_TEXTURE_2D);
    DrawColouredCorners(GL_QUADS, Plates);
    Atlas.DrawText(Glyphs);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
}

void CLabelPainter::Place(const CBasicView& view, const CSqRectangle& rect,
                          std::vector<CBox>& taken) {
    // The visible part of the rectangle in whole pixels, y up.
    const CCamera& camera = view.GetCamera();
    const float width = static_cast<float>(view.GetWidth());
    const float height = static_cast<float>(view.GetHeight());
    auto pixelX = [&](float x) {
        return ((x + camera.PanX) * camera.ZoomFactor + 1) * 0.5f * width;
    };
    auto pixelY = [&](float y) {
        return ((y + camera.PanY) * camera.ZoomFactor + 1) * 0.5f * height;
    };
    const CRectPoints& screen = rect.GetScreen();
    CBox box;
    box.MinX = static_cast<int>(std::ceil(std::max(pixelX(screen.MinX), 0.0f)));
    box.MaxX = static_cast<int>(std::floor(std::min(pixelX(screen.MaxX), width)));
    box.MinY = static_cast<int>(std::ceil(std::max(pixelY(screen.MinY), 0.0f)));
    box.MaxY = static_cast<int>(std::floor(std::min(pixelY(screen.MaxY), height)));
    // A rectangle whose top lies above the view gets no label: the label of every enclosing
    // rectangle would otherwise crowd into the view's top line, before the one in sight.
    const bool topInView = pixelY(screen.MaxY) <= height;
    // Children lie inside their parent: none of them can hold a line either.
    if (box.MaxY - box.MinY < Atlas.GetLineHeight() + 2 * (Margin + Padding) ||
        box.MaxX <= box.MinX)
        return;
    bool labelled = false;
    std::string name = LabelText(rect);
    if (!name.empty() && topInView) {
        CBox label;
        label.MinX = box.MinX + Margin;
        label.MaxX = label.MinX + Atlas.TextWidth(name) + 2 * Padding;
        label.MaxY = box.MaxY - Margin;
        label.MinY = label.MaxY - Atlas.GetLineHeight() - 2 * Padding;
        bool fits = !name.empty() && label.MaxX <= box.MaxX - Margin;
        bool free = std::none_of(taken.begin(), taken.end(), [&](const CBox& other) {
            return label.MinX < other.MaxX && other.MinX < label.MaxX && label.MinY < other.MaxY &&
                   other.MinY < label.MaxY;
        });
        if (fits && free) {
            const CLooksSettings& looks = view.GetLooks();
            const CColor* fill = rect.GetFillColor(looks);
            const CColor& color = fill != nullptr ? *fill : rect.GetFrameColor(looks);
            float luminance = 0.2126f * color.Red + 0.7152f * color.Green + 0.0722f * color.Blue;
            // Dark text on a light fill, light on a dark one, on a half-transparent plate of
            // the other colour that keeps it readable where children of another colour lie
            // under it.
            float text = luminance > 0.45f ? 0.05f : 1.0f;
            float plate = 1.0f - text;
            const float plateColor[4] = {plate, plate, plate, 0.5f};
            const auto minX = static_cast<float>(label.MinX), maxX = static_cast<float>(label.MaxX);
            const auto minY = static_cast<float>(label.MinY), maxY = static_cast<float>(label.MaxY);
            AddColouredCorner(Plates, minX, minY, plateColor);
            AddColouredCorner(Plates, maxX, minY, plateColor);
            AddColouredCorner(Plates, maxX, maxY, plateColor);
            AddColouredCorner(Plates, minX, maxY, plateColor);
            // The text is cut to the plate, as a glyph may reach past its advance.
            const float textColor[4] = {text, text, text, 1};
            const int clip[4] = {label.MinX, label.MinY, label.MaxX, label.MaxY};
            Atlas.AddText(name, label.MinX + Padding, label.MaxY - Padding - Atlas.GetAscent(),
                          clip, textColor, Glyphs);
            Labels.push_back({&rect, label.MinX, label.MinY, label.MaxX, label.MaxY});
            taken.push_back(label);
            labelled = true;
        }
    }
    if (rect.DrawsChildren()) {
        for (const auto& child : rect.Children)
            Place(view, *child, taken);
    }
    if (labelled)
        taken.pop_back();
}
