// What the desktop program's GUI tests share: the whole program started in a fresh directory
// on the test display, driven through its menus, dialogs, the X server's keyboard and mouse,
// and read back from the screen once the canvas has painted.
#pragma once

#include "app/CQuarnCode.h"
#include "app/CQuarnWindow.h"
#include "support/CTempDir.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>
#include <wx/evtloop.h>
#include <wx/filedlg.h>
#include <wx/statusbr.h>
#include <wx/uiaction.h>

class CDesktopTestHook;
#define wxTEST_DIALOG_HOOK_CLASS CDesktopTestHook
#include <wx/testing.h>

class CBasicView;
class CGLCanvas;
class CSqRectangle;

// wxTEST_DIALOG's hook: a missing or unexpected dialog fails the test.
class CDesktopTestHook : public wxTestingModalHook {
public:
    using wxTestingModalHook::wxTestingModalHook;

protected:
    void ReportFailure(const wxString& message) override { ADD_FAILURE() << message.utf8_string(); }
};

// A modal dialog of type T that wxTEST_DIALOG expects: act works it as the user would and
// returns the id of the button that closes it.
template <class T> class CExpect : public wxExpectModalBase<T, CExpect<T>> {
public:
    explicit CExpect(std::function<int(T&)> act) : Act(std::move(act)) {}

protected:
    int OnInvoked(T* dialog) const override { return Act(*dialog); }

private:
    std::function<int(T&)> Act;
};

// Lets the toolkit deliver what arrives until done() holds. Waits for the state, not for a
// time: the limit only keeps a broken program from hanging the run.
bool PumpUntil(const std::function<bool()>& done);

// The file dialog answered with path.
CExpect<wxFileDialog> FileDialog(const std::string& path);

// Lets the Settings and Find dialogs show for real; any other dialog that no wxTEST_DIALOG
// expects fails the test and is cancelled.
class CDialogGuard : public wxModalDialogHook {
public:
    CDialogGuard() { Register(); }
    ~CDialogGuard() override { Unregister(); }

protected:
    int Enter(wxDialog* dialog) override;
    void Exit(wxDialog*) override {}
};

// Counts the canvas's paints, so that a read-back can wait for the paint it asked for.
class CPaintCounter : public wxEventFilter {
public:
    CPaintCounter() { wxEvtHandler::AddFilter(this); }
    ~CPaintCounter() override { wxEvtHandler::RemoveFilter(this); }
    int FilterEvent(wxEvent& event) override;

    int CanvasPaints = 0;
};

class CDesktopTest : public testing::Test {
protected:
    void SetUp() override;
    // Closes the window unless File, Exit did, lets the toolkit destroy it, then destroys the
    // application (its log writes the closing entry).
    void TearDown() override;

    // Starts the program in the test's directory, with the repository's settings file or
    // without one, and loads file unless it is empty.
    void Start(bool settings, const std::string& file);
    CQuarnWindow& Window() const { return *App->GetMainWindow(); }
    CGLCanvas& Canvas() const { return *Window().GetCanvas(); }
    CBasicView& View() const { return *App->GetView(); }
    std::string StatusLine() const {
        return Window().GetStatusBar()->GetStatusText().utf8_string();
    }
    // Chooses a menu command.
    void Command(int id);
    // Gives window the keyboard focus as a window manager would, once it is on the screen.
    void Focus(wxWindow& window);
    // Gives the command that shows a dialog of type T; once the dialog has the keyboard focus,
    // act works it (from within the dialog's modal loop) and closes it. A dialog left open
    // fails the test and is cancelled.
    template <class T> void Drive(int command, const std::function<void(T&)>& act) {
        bool acted = false;
        wxTheApp->CallAfter([&] {
            for (wxWindow* window : wxTopLevelWindows) {
                auto* dialog = dynamic_cast<T*>(window);
                if (dialog == nullptr || !dialog->IsModal())
                    continue;
                Focus(*dialog);
                act(*dialog);
                acted = true;
                EXPECT_TRUE(PumpUntil([&] { return !dialog->IsModal(); })) << "it stayed open";
                if (dialog->IsModal())
                    dialog->EndModal(wxID_CANCEL);
            }
        });
        Command(command);
        EXPECT_TRUE(acted);
    }
    // Presses key with modifiers on the focused window and waits until done() holds.
    void Press(
        int key, int modifiers = 0, const std::function<bool()>& done = [] { return true; }) {
        Input->Char(key, modifiers);
        EXPECT_TRUE(PumpUntil(done)) << key;
    }
    // The rectangle of the first element named name; null when there is none.
    CSqRectangle* Rect(const std::string& name) const;
    // Moves the mouse through the X server just below the middle of rect's top edge (in the
    // border of a container, where the rectangle itself is found), and waits for the hover.
    void MoveTo(const CSqRectangle* rect);
    // Repaints the canvas, waits until the paint has happened and reads back what the X server
    // shows, row by row.
    std::vector<unsigned long> Pixels();

    CTempDir Dir;
    CDialogGuard Guard;
    CPaintCounter Paints;
    wxGUIEventLoop Loop; // menu commands run inside the application's event loop
    wxEventLoopActivator Active{&Loop};
    wxAppConsole* Toolkit = nullptr;
    CQuarnCode* App = nullptr;
    std::unique_ptr<wxUIActionSimulator> Input; // made once the window is shown
};
