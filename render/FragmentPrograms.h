#pragma once

#include <string>

// The three ARB fragment programs that light the cushions, as program texts in the
// extension's assembly language. They read texture coordinate set 0 (the view position mapped
// to 0..1), the fragment colour and the environment parameters 0 to 3:
//   E0 = (gradient scale x, gradient scale y, 0, 0)
//   E1 = (gradient offset x, gradient offset y, 1, 0)
//   E2 = (ambient term, light factor, brightness, highlight weight)
//   E3 = light direction (unit length, fourth component 0)
// Each writes alpha 1.

// Index of each program in a surface's program names.
enum EFragmentProgram { NormalProgram = 0, SpecularProgram = 1, DebugProgram = 2 };
constexpr int FragmentProgramCount = 3;

// The text of one program: the diffuse light times the colour, plus a glow for highlights
// (normal); diffuse plus a highlight term, scaled by the brightness (specular); the unit
// surface normal as a colour (debug).
const std::string& FragmentProgramText(EFragmentProgram program);
