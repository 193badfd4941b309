#pragma once

#include <vector>

// Reading the front end's id texts ("_123", "_123c", "f3") and id lists ("_12 _13 "), straight
// from the parser's attribute texts (no copies).

// The id number of a text: the run of decimal digits right after its first "_" (or, when the
// text holds no "_", the run of digits at its very start); 0 when the run is empty or its
// number lies past the range of int.
int ParseId(const char* text);

// Appends the number of every token of text to list, in order: from a cursor at the start,
// each token is the run of digits after the next "_" at or after the cursor (or, when none
// follows, the run at the very start of the text), read as ParseId reads its run, and the
// cursor moves to the next "_" after the token, the list ending when there is none. An empty
// text appends nothing. Whatever stands before an id's "_" (blanks, "protected:") is skipped.
void ParseIdList(const char* text, std::vector<int>& list);

// The number at the start of text as atoi reads it (blanks, a sign, digits; 0 when there is
// none), but defined for every input: a value past the range of int gives -1.
int ParseNumber(const char* text);
