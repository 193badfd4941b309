#include "settings/CXPathResult.h"

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
    if (node == nullptr || node->children == nullptr || node->children->content == nullptr)
        return std::string();
    return reinterpret_cast<const char*>(node->children->content);
}
