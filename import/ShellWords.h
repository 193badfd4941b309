#pragma once

#include <string>
#include <vector>

// Command lines as a POSIX shell reads them, without running a shell.

// Splits command into words as a POSIX shell does before any expansion: blanks (spaces, tabs,
// line feeds) separate words; text in single quotes is taken as it stands; in double quotes a
// backslash escapes only $, `, ", \ and a line feed; outside quotes a backslash takes the next
// character as it stands (a backslash before a line feed joins the lines). Quotes may make an
// empty word. Nothing is expanded: $, `, *, ~ and the like stay as written. Returns false
// (words then undefined) when a quote is not closed or the text ends with a backslash.
bool SplitShellWords(const std::string& command, std::vector<std::string>& words);

// The word quoted for /bin/sh, so that the shell reads it back as exactly that one word: in
// single quotes, each single quote written as '\''.
std::string QuoteShellWord(const std::string& word);
