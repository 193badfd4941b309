#pragma once

// Drives the real desktop application in the test process: a fresh CQuarnCode started in a
// temporary working directory, its modal dialogs answered by the test (wxTEST_DIALOG), its
// canvas read back from the X server.

#include "app/CFindDlg.h"
#include "app/CPrefDlg.h"
#include "app/CQuarnCode.h"
#include "support/CTempDir.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include <wx/modalhook.h>

class CGLCanvas;
class CQuarnWindow;

// Reports dialogs that a test did not expect as test failures and answers them with Cancel,
// so that an unexpected dialog never waits for a user.
class CTestModalHook : public wxModalDialogHook {
public:
    // Registers the hook; where it was made goes into the failure messages.
    CTestModalHook(const char* file = nullptr, int line = 0, const char* function = nullptr);

    // Queues an expectation (borrowed; it must live until the hook is checked).
    void AddExpectation(const class wxModalExpectation& expectation);
    // Fails the test for every expectation still queued that is not optional.
    void CheckUnmetExpectations();

protected:
    int Enter(wxDialog* dialog) override;
    void Exit(wxDialog*) override {}

private:
    std::string Where;
    std::vector<const wxModalExpectation*> Expectations; // borrowed, in order
};

#define wxTEST_DIALOG_HOOK_CLASS CTestModalHook
#include <wx/testing.h>

// A message box with exactly this text and caption, answered with OK.
class CExpectMessage : public wxExpectModalBase<wxMessageDialog, CExpectMessage> {
public:
    CExpectMessage(std::string text, std::string caption)
        : Text(std::move(text)), Caption(std::move(caption)) {}

protected:
    int OnInvoked(wxMessageDialog* dialog) const override;
    wxString GetDefaultDescription() const override;

private:
    std::string Text;
    std::string Caption;
};

// A file dialog with this title: the user picks path (the chooser takes it asynchronously,
// so this waits until the dialog reports it) and presses the button with id answer.
class CExpectFile : public wxExpectModalBase<wxFileDialog, CExpectFile> {
public:
    CExpectFile(std::string title, std::string path, int answer = wxID_OK)
        : Title(std::move(title)), Path(std::move(path)), Answer(answer) {}

protected:
    int OnInvoked(wxFileDialog* dialog) const override;
    wxString GetDefaultDescription() const override;

private:
    std::string Title;
    std::string Path;
    int Answer;
};

// The find dialog: types text into it and presses the button with id answer.
template <> class wxExpectModal<CFindDlg> : public wxExpectModalBase<CFindDlg> {
public:
    explicit wxExpectModal(std::string text, int answer = wxID_OK)
        : Text(std::move(text)), Answer(answer) {}

protected:
    int OnInvoked(CFindDlg* dialog) const override;

private:
    std::string Text;
    int Answer;
};

// The preferences dialog: act works the controls (and may look at them) and returns the id
// of the button that closes the dialog.
template <> class wxExpectModal<CPrefDlg> : public wxExpectModalBase<CPrefDlg> {
public:
    explicit wxExpectModal(std::function<int(CPrefDlg&)> act) : Act(std::move(act)) {}

protected:
    int OnInvoked(CPrefDlg* dialog) const override { return Act(*dialog); }

private:
    std::function<int(CPrefDlg&)> Act;
};

// Moves a slider as the user would: sets its position and sends the event the toolkit sends.
void MoveSlider(wxSlider* slider, int position);
// Clicks a check box or a button as the user would.
void ClickCheckBox(wxCheckBox* check, bool checked);
void ClickButton(wxButton* button);

// The RGB pixels of a window as the X server shows it, rows top down; empty when it cannot
// be read (not mapped).
struct CWindowImage {
    int Width = 0;
    int Height = 0;
    std::vector<unsigned char> Rgb;

    // The number of pixels that differ from the colour (r, g, b).
    int CountOtherThan(unsigned char r, unsigned char g, unsigned char b) const;
};
CWindowImage GrabCanvas(CGLCanvas& canvas);

// Records the progress dialog's text and bar every time it paints itself.
class CProgressRecorder : public wxEventFilter {
public:
    struct Step {
        std::string Text;
        int Value;
    };
    CProgressRecorder();
    ~CProgressRecorder() override;
    int FilterEvent(wxEvent& event) override;

    // The texts in the order they were painted, each once per run of equal texts.
    std::vector<std::string> Texts() const;

    std::vector<Step> Steps;
};

// A fresh application started in a temporary directory that holds a copy of the repository's
// "settings.cfg"; the window is closed and the application destroyed as the toolkit does at
// the end of a run.
class CAppTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Makes the application object (it becomes the toolkit's application) and runs OnInit.
    // Returns OnInit's result.
    bool Start();
    // Closes the main window as File, Exit does, lets the toolkit destroy it, then destroys
    // the application object. Nothing when not started.
    void Stop();

    // Lets the toolkit deliver what is pending (sizes, exposures, paints, deletions).
    static void Pump();
    // Sends the main window the menu command id, as choosing the menu item does.
    void Command(int id);
    // Opens fileName through File, Open, answering the file dialog with it.
    void Open(const std::string& fileName);
    // The file dialog of File, Open answered with fileName.
    static CExpectFile OpenDialog(const std::string& fileName);
    // Repaints the canvas now and returns what the X server shows of it.
    CWindowImage PaintCanvas();
    // The status bar's text.
    std::string Status() const;

    CQuarnWindow& Window() const;
    CGLCanvas& Canvas() const;

    CTempDir Dir;
    CQuarnCode* App = nullptr; // owned between Start and Stop
    bool Started = false;      // OnInit succeeded
};

// The application object the toolkit was started with (by the test's main); it is the
// toolkit's application again whenever no test application exists.
extern wxAppConsole* ToolkitApp;
