#pragma once
// Regular expressions (ECMAScript, as std::regex) for the tests that check generated text: the
// <regex> header and its instantiations are compiled once here, not in every test unit.
#include <string>

// The whole text matches the pattern.
bool MatchesPattern(const std::string& text, const std::string& pattern);
// The first stretch of the text that matches the pattern; false when none does.
bool FindPattern(const std::string& text, const std::string& pattern, std::string& found);
// Every match of the pattern replaced by the replacement ($& and $1.. as std::regex_replace).
std::string ReplacePattern(const std::string& text, const std::string& pattern,
                           const std::string& replacement);
