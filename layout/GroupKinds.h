#pragma once

#include "layout/CElementGroup.h"
#include "settings/CLooksSettings.h"

// What differs between the kinds of groups: their names, their rectangles' names and texts,
// and the colour of their frames.
struct CGroupKind {
    const char* Name;      // the group's name
    const char* RectClass; // its rectangle's class name in listings
    const char* Members;   // the plural in "Group of <n> <Members>."
    CColor CLooksSettings::*FrameColor;
};

// The entry of one kind.
const CGroupKind& GroupKindOf(EGroupKind kind);
