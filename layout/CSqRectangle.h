#pragma once

#include "layout/CRectArea.h"
#include "layout/CRectPoints.h"

#include <memory>
#include <string>
#include <vector>

class CSqRectangle;
class ISquarable;
struct CColor;
struct CLooksSettings;

// A list of rectangles that owns them, in creation order.
using CRectList = std::vector<std::unique_ptr<CSqRectangle>>;

// What a rectangle stands for.
enum class ERectKind { Program, Namespace, Class, Function, Field, Type, File, Group };

// One rectangle of the treemap: the layout box (inherited, in the parent's local frame), the
// wanted area, the box in view coordinates after borders, the cushion surface and the
// selection flags. It owns its children; it points at its model element without owning it.
class CSqRectangle : public CRectPoints {
public:
    // A rectangle with all-zero boxes, no children and cleared flags. parent (null for the
    // root) and treemap are borrowed; treemap must not be null.
    CSqRectangle(float area, CSqRectangle* parent, CRectArea* treemap);
    CSqRectangle(const CSqRectangle&) = delete;
    CSqRectangle& operator=(const CSqRectangle&) = delete;
    // Destroys the children, recursively.
    virtual ~CSqRectangle();

    virtual ERectKind GetKind() const = 0;
    // True for the program, namespace and class rectangles, which keep a border band and give
    // their children only ChildAreaFactor of their area.
    virtual bool IsContainer() const { return false; }
    // True for the function, field, type and namespace group rectangles, which add no ridge
    // to the cushion.
    virtual bool IsGroup() const { return false; }
    // The element or group the rectangle stands for (borrowed); may be null.
    virtual ISquarable* GetElement() const = 0;
    // The status-bar text: the element's line followed by "Square layer: <Depth>". This base
    // version gives the layer text alone.
    virtual std::string GetDescription() const;
    // The class name ("CProgramRect", "CGrpFileRect", ...), for listings of the tree.
    virtual const char* GetClassName() const = 0;
    // The colour of the frame (the border fan) in the looks table.
    virtual const CColor& GetFrameColor(const CLooksSettings& looks) const = 0;
    // The colour of the cushion in the looks table; null for the group rects, which draw no
    // cushion of their own.
    virtual const CColor* GetFillColor(const CLooksSettings& looks) const = 0;
    // Whether drawing the rectangle draws its children over it.
    virtual bool DrawsChildren() const = 0;

    // Width x height of the layout box; for containers multiplied by ChildAreaFactor.
    float UsableArea() const;
    // Destroys the old children and takes ownership of children as the new child list.
    void SetChildren(CRectList children);
    // Places the children inside the layout box in strips (squarified treemap), in list order;
    // the boxes are relative to this rectangle's lower-left corner. Children of area 0 are not
    // placed.
    void Squarify();
    // The deepest rectangle whose screen box holds (x, y) (bounds inclusive), preferring the
    // last matching child; this rectangle when no child holds the point; null when the point
    // lies outside this rectangle.
    CSqRectangle* FindAt(float x, float y);

    // The cushion surface: the height z = S2x x^2 + S1x x + S0x + S2y y^2 + S1y y + S0y over the
    // view position (x, y), the sum of the ridges of this rectangle and its ancestors.
    struct CSurface {
        float S2x = 0, S2y = 0, S1x = 0, S1y = 0, S0x = 0, S0y = 0;
    };
    // The box in view coordinates, after borders, and the cushion surface over it. Both are
    // computed on first use after the treemap's screen boxes were invalidated (its
    // ComputeScreen), ancestors first, so that a change of size or zoom costs nothing for the
    // rectangles nobody looks at. The root spans (-1, -1) to (1, 1); every level is inset by
    // the border width on each side where the treemap's settings give it a border, and
    // children of a box too small to hold them collapse onto its inset corner.
    // The draw's walk asks several times per rectangle: the up-to-date test is inline.
    const CRectPoints& GetScreen() const {
        if (ScreenVersion != Treemap->GetScreenVersion())
            Refresh();
        return Screen;
    }
    const CSurface& GetCushion() const {
        if (ScreenVersion != Treemap->GetScreenVersion())
            Refresh();
        return Cushion;
    }

    float Area;               // wanted area
    bool Highlighted = false; // related to the hovered or selected rectangle
    bool Selected = false;    // member of the selection
    CSqRectangle* Parent;     // borrowed; null for the root
    CRectList Children;       // owned
    CRectArea* Treemap;       // borrowed: the treemap that owns the tree
    const int Depth;          // 0 at the root

private:
    // Computes the screen box and cushion when they are older than the treemap's screen
    // boxes.
    void Refresh() const;
    // This rectangle's screen box and cushion from its parent's, which are up to date.
    void Compute() const;

    // A cache that GetScreen and GetCushion fill, hence mutable.
    mutable CRectPoints Screen;
    mutable float ScaleX = 0, ScaleY = 0; // view units per layout unit of the children's frame
    mutable CSurface Cushion;
    mutable unsigned long long ScreenVersion = 0; // the treemap's version they were computed for
};
