#pragma once

#include <string>
#include <vector>

class CSqRectangle;

// What a class query changes in the view that runs it: the selection and the status text.
class IQueryTarget {
public:
    // Makes rects (borrowed, of the view's current tree) the whole selection, shows their
    // relations and describes the new selection in the status bar.
    virtual void ReplaceSelection(const std::vector<CSqRectangle*>& rects) = 0;
    // Shows text in the status bar.
    virtual void ShowStatus(const std::string& text) = 0;

protected:
    ~IQueryTarget() = default;
};
