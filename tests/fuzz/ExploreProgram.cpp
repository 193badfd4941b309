#include "ExploreProgram.h"

#include "layout/CFixedViewUnits.h"
#include "layout/CProgramRect.h"
#include "layout/CRectArea.h"
#include "model/CProgram.h"
#include "view/CElementFilter.h"
#include "view/CQuery.h"
#include "view/CWorkspace.h"
#include "view/IQueryTarget.h"

#include <list>
#include <vector>

namespace {

class CQueryRecorder : public IQueryTarget {
public:
    void ReplaceSelection(const std::vector<CSqRectangle*>&) override {}
    void ShowStatus(const std::string&) override {}
};

} // namespace

void ExploreProgram(CWorkspace& workspace, CProgram& program) {
    CFixedViewUnits view(800);
    std::unique_ptr<CRectArea> treemap = workspace.LayOut(program, view);
    CSqRectangle* deepest = treemap->GetRoot();
    std::list<CSqRectangle*> classes;
    std::vector<CSqRectangle*> pending{treemap->GetRoot()};
    while (!pending.empty()) {
        CSqRectangle* rect = pending.back();
        pending.pop_back();
        rect->GetDescription();
        if (rect->Depth > deepest->Depth)
            deepest = rect;
        if (classes.size() < 2 && IsClassSelection({rect}))
            classes.push_back(rect);
        for (const auto& child : rect->Children)
            pending.push_back(child.get());
    }
    for (int i = -10; i <= 10; ++i) {
        for (int j = -10; j <= 10; ++j) {
            if (CSqRectangle* hit = treemap->GetRoot()->FindAt(i * 0.11f, j * 0.11f))
                hit->GetDescription();
        }
    }
    CElementFilter byName;
    if (ISquarable* element = deepest->GetElement())
        byName.AddNameCriterion()->Name = element->GetName();
    byName.SearchProgram(&program);
    CElementFilter byKind;
    byKind.AddClassCriterion();
    if (!program.Elements.empty())
        byKind.AddTypeCriterion()->Type = program.Elements.front().get();
    byKind.SearchProgram(&program);

    CQueryRecorder target;
    CQuery::SubClassQuery().Execute(classes, target);
    CQuery::SuperClassQuery().Execute(classes, target);

    CLooksSettings looks = treemap->GetLooks();
    // Another border width (the settings under test may hold any int).
    looks.DynamicBorderWidth = looks.DynamicBorderWidth != 3 ? 3 : 4;
    treemap->SetLooks(looks);
}
