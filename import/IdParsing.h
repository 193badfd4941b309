#pragma once

#include <string>
#include <vector>

// Reading the front end's id texts ("_123", "_123c", "f3") and id lists ("_12 _13 ").

// The run of decimal digits right after the first "_" at or after cursor (or, when the text
// holds no "_" there, the run of digits at the very start of the text; often empty). The
// cursor then moves to the next "_" after the token, or to npos when there is none. A cursor
// that is npos yields an empty token and stays npos.
std::string NextIdToken(const std::string& text, std::string::size_type& cursor);

// The id number of a text: the number of its first token; 0 when the token is empty or its
// number lies past the range of int.
int ParseId(const std::string& text);

// Appends the number of every token of text to list, in order, each read as ParseId reads
// its token; an empty text appends nothing. Whatever stands before an id's "_" (blanks,
// "protected:") is skipped.
void ParseIdList(const std::string& text, std::vector<int>& list);

// The number at the start of text as atoi reads it (blanks, a sign, digits; 0 when there is
// none), but defined for every input: a value past the range of int gives -1.
int ParseNumber(const std::string& text);
