#pragma once

#include <list>
#include <string>

class CSqRectangle;

// The status-bar text for the view's selection: the description of the one selected
// rectangle; "Select an item to view more detailed info" when nothing is selected; "<n> items
// are selected" for two or more.
std::string SelectionStatusText(const std::list<CSqRectangle*>& selection);
