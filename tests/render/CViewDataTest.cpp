#include "render/CViewData.h"
#include "app/CAppContext.h"
#include "layout/CLayoutFixture.h"
#include "model/CBasicType.h"
#include "render/CBasicView.h"
#include "render/IObserver.h"
#include "render/SelectionStatus.h"
#include "support/CModelBuilder.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Records every notification with the program the data holds at that moment and whether it
// was sized.
class CRecordingObserver : public IObserver {
public:
    void SetViewData(CViewData* data) override { Record("SetViewData", data); }
    void ReleaseViewData(CViewData* data) override { Record("ReleaseViewData", data); }
    void Update() override { Record("Update", Data); }

    void Record(const std::string& call, CViewData* data) {
        CProgram* program = data != nullptr ? data->GetProgram() : nullptr;
        Calls.push_back(call + (program == nullptr       ? " none"
                                : program->GetSize() > 0 ? " sized " + program->Name
                                                         : " unsized " + program->Name));
    }

    CViewData* Data = nullptr; // borrowed
    std::vector<std::string> Calls;
};

// A program with one namespace holding a class of one int field; named for the records.
std::unique_ptr<CProgram> SmallProgram(const std::string& name) {
    CModelBuilder b;
    CNamespace* global = b.Namespace("::");
    CClassType* cls = b.Class("C", global);
    b.Field("f", cls, b.Basic("int"));
    std::unique_ptr<CProgram> program = b.Take();
    program->Name = name;
    return program;
}

} // namespace

TEST(ViewData, TellsItsObserversInAttachOrderAndReleasesThemBeforeTheProgramGoes) {
    CRecordingObserver first, second; // outlive the data, which releases them when it goes
    CViewData data;
    first.Data = second.Data = &data;
    data.Attach(&first);
    data.Attach(&second);
    data.Attach(&first); // attached once only

    data.SetProgram(SmallProgram("A"));
    EXPECT_EQ(std::vector<std::string>{"Update sized A"}, first.Calls);
    EXPECT_EQ(std::vector<std::string>{"Update sized A"}, second.Calls);

    // Replacing the program: the observers let go of the old one while it still exists, and
    // get the data back once the new one is sized.
    first.Calls.clear();
    data.SetProgram(SmallProgram("B"));
    EXPECT_EQ((std::vector<std::string>{"ReleaseViewData sized A", "SetViewData sized B"}),
              first.Calls);

    first.Calls.clear();
    data.Clear();
    EXPECT_EQ(nullptr, data.GetProgram());
    EXPECT_EQ((std::vector<std::string>{"ReleaseViewData sized B", "Update none"}), first.Calls);

    data.Detach(&second);
    second.Calls.clear();
    data.SetProgram(SmallProgram("C"));
    EXPECT_TRUE(second.Calls.empty());
}

TEST(ViewData, AProgramThatFailsToSizeIsHeldUntilReleasedAndNoObserverIsTold) {
    CRecordingObserver observer;
    CViewData data;
    observer.Data = &data;
    data.Attach(&observer);
    CModelBuilder b;
    CNamespace* global = b.Namespace("::");
    b.Function("f", global, 1, 2, {b.Basic("_Float16x")});
    const char* thrown = nullptr;
    try {
        data.SetProgram(b.Take());
    } catch (const char* message) {
        thrown = message;
    }
    EXPECT_STREQ(UnknownFundamentalTypeMessage, thrown);
    EXPECT_TRUE(observer.Calls.empty());
    ASSERT_NE(nullptr, data.GetProgram()); // the data owns it: nothing leaks
    data.Clear();
    EXPECT_EQ(nullptr, data.GetProgram());
    EXPECT_EQ((std::vector<std::string>{"ReleaseViewData unsized Program", "Update none"}),
              observer.Calls);
}

TEST(ViewData, DestroyingTheDataReleasesItsObservers) {
    CRecordingObserver observer;
    {
        CViewData data;
        observer.Data = &data;
        data.Attach(&observer);
        data.SetProgram(SmallProgram("A"));
        observer.Calls.clear();
    }
    EXPECT_EQ(std::vector<std::string>{"ReleaseViewData sized A"}, observer.Calls);
}

// A view whose treemap points into the program (and the program's elements back into the
// treemap): replacing or clearing the program must drop the tree first, which the sanitizer
// build checks (a rectangle's destructor touches its element).
TEST(ViewData, AViewDropsItsTreeBeforeTheProgramIsReplacedOrCleared) {
    CScopedSettings settings;
    CViewData data;
    {
        CBasicView view(nullptr);
        view.Resize(200, 200);
        data.SetProgram(SmallProgram("A"));
        view.SetViewData(&data);
        data.Attach(&view);
        ASSERT_NE(nullptr, view.GetTreemap());
        CSqRectangle* oldRoot = view.GetTreemap()->GetRoot();

        data.SetProgram(SmallProgram("B"));
        ASSERT_NE(nullptr, view.GetTreemap());
        EXPECT_EQ(&data, view.GetViewData());
        EXPECT_EQ(data.GetProgram(), view.GetTreemap()->GetRoot()->GetElement());
        EXPECT_EQ(view.GetTreemap()->GetRoot(), data.GetProgram()->GetRect());
        EXPECT_NE(nullptr, oldRoot); // only compared, never used: it is gone

        data.Clear();
        EXPECT_EQ(nullptr, view.GetTreemap());
        EXPECT_EQ(nullptr, view.GetViewData());

        data.SetProgram(SmallProgram("C")); // a released view is not told
        EXPECT_EQ(nullptr, view.GetTreemap());
        view.SetViewData(&data);
        ASSERT_NE(nullptr, view.GetTreemap());
        data.Clear();
    } // released, then gone: the data's destructor must not reach it
    data.SetProgram(SmallProgram("D"));
}

TEST(SelectionStatus, DescribesOneRectangleCountsSeveralAndAsksForASelection) {
    CScopedSettings settings;
    CViewData data;
    data.SetProgram(SmallProgram("A"));
    CBasicView view(nullptr);
    view.Resize(200, 200);
    view.SetViewData(&data);
    data.Attach(&view);
    CSqRectangle* root = view.GetTreemap()->GetRoot();
    CSqRectangle* child = root->Children.front().get();

    EXPECT_EQ("Select an item to view more detailed info", SelectionStatusText({}));
    EXPECT_EQ(root->GetDescription(), SelectionStatusText({root}));
    EXPECT_EQ("3 items are selected", SelectionStatusText({root, child, root}));
}
