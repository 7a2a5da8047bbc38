#pragma once
// The rise of the resident set during one benchmark case (Linux).
#include <malloc.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>

inline long status_kB(const char* feld)
{
    std::ifstream in("/proc/self/status");
    std::string zeile;
    const std::string name = std::string(feld) + ":";
    while (std::getline(in, zeile))
        if (zeile.rfind(name, 0) == 0) return std::atol(zeile.c_str() + name.size());
    return 0;
}

class Speicheranstieg {
public:
    Speicheranstieg()
    {
        // Gives back what earlier cases freed, then resets the peak to the present size (Linux),
        // so neither an earlier case's peak nor its freed heap hides this case's rise.
        ::malloc_trim(0);
        std::ofstream("/proc/self/clear_refs") << "5";
        FVorher = status_kB("VmRSS");
    }
    double MB() const { return static_cast<double>(std::max(0L, status_kB("VmHWM") - FVorher)) / 1024.0; }

private:
    long FVorher;
};
