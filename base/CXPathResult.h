#pragma once

#include <libxml/tree.h>
#include <libxml/xpath.h>
#include <string>

// The result of one XPath evaluation; owns the libxml2 object.
class CXPathResult {
public:
    explicit CXPathResult(xmlXPathObjectPtr object) : Object(object) {}
    ~CXPathResult();
    CXPathResult(const CXPathResult&) = delete;
    CXPathResult& operator=(const CXPathResult&) = delete;

    // Number of nodes in the node set; -1 when the result holds no node set.
    int GetCount() const;
    // The node at index (0 <= index < GetCount()).
    xmlNodePtr GetNode(int index) const;
    // Content of the first child of the node at index (an attribute's value) when it is text;
    // empty otherwise (FirstChildText).
    std::string GetText(int index) const;

private:
    xmlXPathObjectPtr Object; // owned
};
