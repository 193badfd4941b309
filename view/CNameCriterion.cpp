#include "view/CNameCriterion.h"

#include "model/CProgramElement.h"
#include "model/CSourceFile.h"

bool CNameCriterion::Passes(const CProgramElement* element) const {
    // The elements the search tests by name all spell their name as stored, so the stored
    // name is compared without building a copy.
    if (!Name.empty() && element->Name != Name)
        return false;
    return SourceFile == nullptr || element->GetFile() == static_cast<ISquarable*>(SourceFile);
}
