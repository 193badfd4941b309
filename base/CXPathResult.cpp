#include "base/CXPathResult.h"

#include "base/XmlAttributes.h"

CXPathResult::~CXPathResult() {
    xmlXPathFreeObject(Object);
}

int CXPathResult::GetCount() const {
    if (Object == nullptr || Object->type != XPATH_NODESET || Object->nodesetval == nullptr)
        return -1;
    return Object->nodesetval->nodeNr;
}

xmlNodePtr CXPathResult::GetNode(int index) const {
    return Object->nodesetval->nodeTab[index];
}

std::string CXPathResult::GetText(int index) const {
    xmlNodePtr node = GetNode(index);
    return node != nullptr ? FirstChildText(node) : std::string();
}
