#include "support/ExploreProgram.h"

#include "layout/CFixedViewUnits.h"
#include "layout/CProgramRect.h"
#include "layout/CRectArea.h"
#include "model/CProgram.h"
#include "model/CQuery.h"
#include "model/IQueryTarget.h"
#include "render/CElementFilter.h"

#include <list>
#include <vector>

namespace {

// Takes what the class queries select.
class CQueryRecorder : public IQueryTarget {
public:
    void ReplaceSelection(const std::vector<CSqRectangle*>& rects) override {
        Selected = rects.size();
    }
    void ShowStatus(const std::string& text) override { Status = text; }

    std::size_t Selected = 0;
    std::string Status;
};

} // namespace

CExploration ExploreProgram(CProgram* program) {
    CExploration result;
    CFixedViewUnits view(800);
    CRectArea treemap(program, &view);

    CSqRectangle* deepest = treemap.GetRoot();
    std::list<CSqRectangle*> classes;
    std::vector<CSqRectangle*> pending{treemap.GetRoot()};
    while (!pending.empty()) {
        CSqRectangle* rect = pending.back();
        pending.pop_back();
        ++result.Rectangles;
        rect->GetDescription();
        if (rect->Depth > deepest->Depth)
            deepest = rect;
        if (classes.size() < 2 && IsClassSelection({rect}))
            classes.push_back(rect);
        for (const std::unique_ptr<CSqRectangle>& child : rect->Children)
            pending.push_back(child.get());
    }
    result.Deepest = deepest->Depth;
    if (ISquarable* element = deepest->GetElement())
        result.DeepestName = element->GetName();

    for (int i = -10; i <= 10; ++i) {
        for (int j = -10; j <= 10; ++j) {
            if (CSqRectangle* hit = treemap.GetRoot()->FindAt(i * 0.11f, j * 0.11f))
                hit->GetDescription();
        }
    }
    float x = (deepest->Screen.MinX + deepest->Screen.MaxX) / 2;
    float y = (deepest->Screen.MinY + deepest->Screen.MaxY) / 2;
    if (CSqRectangle* hit = treemap.GetRoot()->FindAt(x, y))
        result.DeepestHit = hit->Depth;

    CElementFilter byName;
    byName.AddNameCriterion()->Name = result.DeepestName;
    byName.SearchProgram(program);
    result.Found = static_cast<int>(byName.Results.size());
    CElementFilter byKind;
    byKind.AddClassCriterion();
    if (!program->Elements.empty())
        byKind.AddTypeCriterion()->Type = program->Elements.front();
    byKind.SearchProgram(program);

    CQueryRecorder target;
    CQuery::SetTarget(&target);
    for (CQuery* query : GetApplicableQueries(classes))
        query->Execute(&classes, 0);
    CQuery::SetTarget(nullptr);

    CLooksSettings looks = treemap.GetLooks();
    looks.DynamicBorderWidth += 3;
    treemap.SetLooks(looks);
    return result;
}
