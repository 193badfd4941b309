#pragma once

#include "layout/CRectPoints.h"

#include <memory>
#include <string>
#include <vector>

class CRectArea;
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
    // Sets Screen, Depth and the cushion coefficients of this rectangle and of all its
    // descendants, parents first. The root spans (-1, -1) to (1, 1); every level is inset by
    // the border width on each side where the treemap's settings give it a border, and children
    // of a box too small to hold them collapse onto its inset corner. A cushion follows from
    // the parent's and the screen box.
    void ComputeScreenAndCushions();
    // The deepest rectangle whose screen box holds (x, y) (bounds inclusive), preferring the
    // last matching child; this rectangle when no child holds the point; null when the point
    // lies outside this rectangle.
    CSqRectangle* FindAt(float x, float y);

    float Area;                   // wanted area
    bool Highlighted = false;     // related to the hovered or selected rectangle
    bool Selected = false;        // member of the selection
    CSqRectangle* Parent;         // borrowed; null for the root
    CRectList Children;           // owned
    CRectArea* Treemap;           // borrowed: the treemap that owns the tree
    CRectPoints Screen;           // the box in view coordinates, after borders
    float ScaleX = 0, ScaleY = 0; // view units per layout unit of the children's frame
    float S2x = 0, S2y = 0, S1x = 0, S1y = 0, S0x = 0, S0y = 0; // cushion surface
    int Depth = 0;                                              // 0 at the root

private:
    void ComputeScreenAndCushions(float border, std::vector<float>& heights);
    // This rectangle's screen box from its parent's, inset by border where it has one.
    void SetScreen(float border);
    // This rectangle's depth and cushion from its parent's; heights holds the ridge height of
    // each depth met so far in the walk and grows as deeper levels are met.
    void SetCushion(std::vector<float>& heights);
};
