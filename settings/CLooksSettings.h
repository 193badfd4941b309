#pragma once

#include "settings/CColor.h"

// Parameters of the rendering and the colour table. Copied whole wherever it travels.
struct CLooksSettings {
    bool DisplayLists = true;   // kept in the settings file; the tree is drawn from one buffer
    bool RenderCushions = true; // light the cushions with the fragment programs
    int DynamicBorderWidth = 5; // border width in pixels
    float CushionF = 0.55f;
    float CushionH = 4.88f;
    float AmbientLight = 0.3f;
    float SpecularLight = 0.9f;
    float RealSpecularLight = 4.0f;
    float LightX = 0.0f;
    float LightY = 0.0f;
    bool Labels = true; // draw the rectangles' names over the tree
    int LabelSize = 12; // their font size in pixels, 4 to 128

    CColor SpareColor1 = {1, 1, 0.5f, 1};
    CColor SpareColor2 = {1, 0, 0, 1};
    CColor FileGroupColor = {0.25f, 0.25f, 0.25f, 1};
    CColor FunctionGroupColor = {0.8f, 0.8f, 0.4f, 1};
    CColor NamespaceGroupColor = {0.8f, 0.8f, 0.4f, 1};
    CColor FieldGroupColor = {0.8f, 0.8f, 0.4f, 1};
    CColor TypeGroupColor = {0.8f, 0.8f, 0.4f, 1};
    CColor VariableColor = {0.6f, 0, 0.75f, 1};
    CColor VariableBorderColor = {0.4f, 0, 0.55f, 1};
    CColor FunctionColor = {0, 0.5f, 0, 1};
    CColor FunctionBorderColor = {0, 0.25f, 0, 1};
    CColor NamespaceColor = {0, 1, 0, 1};
    CColor NamespaceBorderColor = {0, 0.5f, 0, 1};
    CColor FieldColor = {0.6f, 0, 0.75f, 1};
    CColor FieldBorderColor = {0.4f, 0, 0.55f, 1};
    CColor MethodColor = {0, 0.5f, 0, 1};
    CColor MethodBorderColor = {0, 0.25f, 0, 1};
    CColor ClassColor = {0.2f, 0, 1, 1};
    CColor ClassBorderColor = {0.1f, 0, 0.7f, 1};
    CColor ProgramColor = {0, 0, 1, 1};
    CColor ProgramBorderColor = {0, 0, 0.7f, 1};
    CColor FileColor = {0.75f, 0.25f, 0, 1};
    CColor FileBorderColor = {0.5f, 0.25f, 0, 1};
    CColor MemberTypeColor = {1, 1, 0.5f, 0.5f};
    CColor MemberTypeBorderColor = {0.8f, 0.8f, 0.4f, 1};
    CColor TypeColor = {1, 1, 0.5f, 0.5f};
    CColor TypeBorderColor = {0.8f, 0.8f, 0.4f, 1};
    CColor EnumColor = {1, 1, 0.5f, 0.5f};
    CColor EnumBorderColor = {0.8f, 0.8f, 0.4f, 1};
};
