#include "testsupport/Pattern.h"

#include <regex>

bool MatchesPattern(const std::string& text, const std::string& pattern)
{
    return std::regex_match(text, std::regex(pattern));
}

bool FindPattern(const std::string& text, const std::string& pattern, std::string& found)
{
    std::smatch m;
    if (!std::regex_search(text, m, std::regex(pattern))) return false;
    found = m.str();
    return true;
}

std::string ReplacePattern(const std::string& text, const std::string& pattern,
                           const std::string& replacement)
{
    return std::regex_replace(text, std::regex(pattern), replacement);
}
