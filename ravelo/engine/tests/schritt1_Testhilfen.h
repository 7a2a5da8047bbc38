#pragma once
// Small helpers of the step-1 tests.
#include <fstream>
#include <string>
#include <vector>

// The lines of a file, line ends removed; none when it cannot be read.
inline std::vector<std::string> zeilen_von(const std::string& datei)
{
    std::ifstream in(datei, std::ios::binary);
    std::vector<std::string> z;
    std::string zeile;
    while (std::getline(in, zeile)) z.push_back(zeile);
    return z;
}
