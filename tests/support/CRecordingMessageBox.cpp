#include "support/CRecordingMessageBox.h"

#include "app/CAppContext.h"

CRecordingMessageBox::CRecordingMessageBox() {
    CAppContext::SetMessageBox(this);
}

CRecordingMessageBox::~CRecordingMessageBox() {
    CAppContext::SetMessageBox(nullptr);
}

void CRecordingMessageBox::ShowMessage(const std::string& text, const std::string& caption) {
    Messages.push_back({text, caption});
}
