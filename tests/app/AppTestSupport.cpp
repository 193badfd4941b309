#include "AppTestSupport.h"

#include "app/CProgressDlg.h"
#include "app/CQuarnWindow.h"
#include "render/CGLCanvas.h"

#include <filesystem>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/evtloop.h>
#include <wx/gauge.h>
#include <wx/slider.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <gdk/gdkx.h>
#undef Status // Xlib's macro; CAppTest has a method of that name

CTestModalHook::CTestModalHook(const char* file, int line, const char*)
    : Where(file != nullptr ? std::string(file) + ":" + std::to_string(line) : "") {
    Register();
}

void CTestModalHook::AddExpectation(const wxModalExpectation& expectation) {
    Expectations.push_back(&expectation);
}

void CTestModalHook::CheckUnmetExpectations() {
    for (const wxModalExpectation* expectation : Expectations) {
        if (!expectation->IsOptional())
            ADD_FAILURE() << Where << ": expected " << expectation->GetDescription()
                          << " was not shown";
    }
    Expectations.clear();
}

int CTestModalHook::Enter(wxDialog* dialog) {
    while (!Expectations.empty()) {
        const wxModalExpectation* expectation = Expectations.front();
        Expectations.erase(Expectations.begin());
        const int answer = expectation->Invoke(dialog);
        if (answer != wxID_NONE)
            return answer;
        if (!expectation->IsOptional()) {
            ADD_FAILURE() << Where << ": \"" << dialog->GetTitle() << "\" was shown instead of "
                          << expectation->GetDescription();
            return wxID_CANCEL;
        }
    }
    std::string what = dialog->GetTitle().utf8_string();
    if (auto* box = dynamic_cast<wxMessageDialog*>(dialog))
        what = "message box \"" + box->GetMessage().utf8_string() + "\" captioned \"" +
               box->GetCaption().utf8_string() + "\"";
    ADD_FAILURE() << Where << ": unexpected dialog: " << what;
    return wxID_CANCEL;
}

int CExpectMessage::OnInvoked(wxMessageDialog* dialog) const {
    EXPECT_EQ(Text, dialog->GetMessage().utf8_string());
    EXPECT_EQ(Caption, dialog->GetCaption().utf8_string());
    return wxID_OK;
}

wxString CExpectMessage::GetDefaultDescription() const {
    return wxString::FromUTF8("message box \"" + Text + "\" captioned \"" + Caption + "\"");
}

int CExpectFile::OnInvoked(wxFileDialog* dialog) const {
    EXPECT_EQ(Title, dialog->GetMessage().utf8_string());
    dialog->SetPath(wxString::FromUTF8(Path));
    for (int i = 0; i < 200 && dialog->GetPath().utf8_string() != Path; ++i) {
        wxYield();
        wxMilliSleep(5);
    }
    EXPECT_EQ(Path, dialog->GetPath().utf8_string());
    return Answer;
}

wxString CExpectFile::GetDefaultDescription() const {
    return wxString::FromUTF8("file dialog \"" + Title + "\" answered with " + Path);
}

int wxExpectModal<CFindDlg>::OnInvoked(CFindDlg* dialog) const {
    dialog->NameText->SetValue(wxString::FromUTF8(Text));
    return Answer;
}

void MoveSlider(wxSlider* slider, int position) {
    slider->SetValue(position);
    wxCommandEvent event(wxEVT_SLIDER, slider->GetId());
    event.SetEventObject(slider);
    event.SetInt(slider->GetValue());
    slider->GetEventHandler()->ProcessEvent(event);
}

void ClickCheckBox(wxCheckBox* check, bool checked) {
    check->SetValue(checked);
    wxCommandEvent event(wxEVT_CHECKBOX, check->GetId());
    event.SetEventObject(check);
    event.SetInt(checked ? 1 : 0);
    check->GetEventHandler()->ProcessEvent(event);
}

void ClickButton(wxButton* button) {
    wxCommandEvent event(wxEVT_BUTTON, button->GetId());
    event.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(event);
}

int CWindowImage::CountOtherThan(unsigned char r, unsigned char g, unsigned char b) const {
    int count = 0;
    for (size_t i = 0; i + 2 < Rgb.size(); i += 3) {
        if (Rgb[i] != r || Rgb[i + 1] != g || Rgb[i + 2] != b)
            ++count;
    }
    return count;
}

CWindowImage GrabCanvas(CGLCanvas& canvas) {
    CWindowImage image;
    Display* display = GDK_DISPLAY_XDISPLAY(gdk_display_get_default());
    const wxSize size = canvas.GetClientSize();
    if (canvas.GetXWindow() == 0 || size.x <= 0 || size.y <= 0)
        return image;
    XSync(display, False);
    XImage* pixels =
        XGetImage(display, canvas.GetXWindow(), 0, 0, size.x, size.y, AllPlanes, ZPixmap);
    if (pixels == nullptr)
        return image;
    image.Width = size.x;
    image.Height = size.y;
    image.Rgb.reserve(static_cast<size_t>(size.x) * size.y * 3);
    for (int y = 0; y < size.y; ++y) {
        for (int x = 0; x < size.x; ++x) {
            const unsigned long pixel = XGetPixel(pixels, x, y);
            image.Rgb.push_back(static_cast<unsigned char>((pixel & pixels->red_mask) >> 16));
            image.Rgb.push_back(static_cast<unsigned char>((pixel & pixels->green_mask) >> 8));
            image.Rgb.push_back(static_cast<unsigned char>(pixel & pixels->blue_mask));
        }
    }
    XDestroyImage(pixels);
    return image;
}

CProgressRecorder::CProgressRecorder() {
    wxEvtHandler::AddFilter(this);
}

CProgressRecorder::~CProgressRecorder() {
    wxEvtHandler::RemoveFilter(this);
}

int CProgressRecorder::FilterEvent(wxEvent& event) {
    if (event.GetEventType() == wxEVT_PAINT) {
        if (auto* dialog = dynamic_cast<CProgressDlg*>(event.GetEventObject()))
            Steps.push_back({dialog->Label->GetLabel().utf8_string(), dialog->Gauge->GetValue()});
    }
    return Event_Skip;
}

std::vector<std::string> CProgressRecorder::Texts() const {
    std::vector<std::string> texts;
    for (const Step& step : Steps) {
        if (texts.empty() || texts.back() != step.Text)
            texts.push_back(step.Text);
    }
    return texts;
}

void CAppTest::SetUp() {
    std::filesystem::copy_file(QUARN_SOURCE_DIR "/settings.cfg", Dir.Path() + "/settings.cfg");
}

void CAppTest::TearDown() {
    Stop();
}

wxAppConsole* ToolkitApp = nullptr;

bool CAppTest::Start() {
    // Let the toolkit's own application run its pending idle work first: it is the one that
    // asked for it.
    Pump();
    App = new CQuarnCode();
    Started = App->OnInit();
    Pump();
    return Started;
}

void CAppTest::Stop() {
    if (App == nullptr)
        return;
    if (Started)
        Window().Close(true);
    Pump();
    delete App;
    App = nullptr;
    wxApp::SetInstance(ToolkitApp);
}

void CAppTest::Pump() {
    for (int i = 0; i < 5; ++i) {
        wxYield();
        wxTheApp->ProcessIdle();
    }
}

void CAppTest::Command(int id) {
    // Menu commands run inside the application's event loop.
    wxGUIEventLoop loop;
    wxEventLoopActivator active(&loop);
    wxCommandEvent event(wxEVT_MENU, id);
    event.SetEventObject(&Window());
    Window().GetEventHandler()->ProcessEvent(event);
    Pump();
}

void CAppTest::Open(const std::string& fileName) {
    wxTEST_DIALOG(Command(CQuarnWindow::OpenId), OpenDialog(fileName));
}

CExpectFile CAppTest::OpenDialog(const std::string& fileName) {
    return CExpectFile("Open a project file", fileName);
}

CWindowImage CAppTest::PaintCanvas() {
    Pump();
    Canvas().Refresh();
    Canvas().Update();
    return GrabCanvas(Canvas());
}

std::string CAppTest::Status() const {
    return Window().GetStatusBar()->GetStatusText(0).utf8_string();
}

CQuarnWindow& CAppTest::Window() const {
    return *App->GetMainWindow();
}

CGLCanvas& CAppTest::Canvas() const {
    return *Window().GetCanvas();
}
