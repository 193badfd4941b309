#include "model/CNsElement.h"

#include "model/CPEContainer.h"
#include "model/CSourceFile.h"

void CNsElement::SetContext(CPEContainer* context, CSourceFile* file) {
    Context = context;
    SourceFile = file;
}

ISquarable* CNsElement::GetFile() const {
    return SourceFile;
}

ISquarable* CNsElement::GetParent() const {
    return Context != nullptr ? static_cast<CProgramElement*>(Context) : nullptr;
}
