// The clipboard collector: any text gives numbers 1..49, each once.
#include <cstdint>
#include <cstdlib>
#include <set>
#include <vector>

#include "Threadcheckzwischenablage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<int> gesammelt;
    sammle_Zahlen(String(reinterpret_cast<const char*>(data), size), gesammelt);
    std::set<int> einmal(gesammelt.begin(), gesammelt.end());
    if (einmal.size() != gesammelt.size()) std::abort();
    for (int z : gesammelt)
        if (z < 1 || z > 49) std::abort();
    // Collecting the same text again adds nothing.
    const std::size_t vorher = gesammelt.size();
    sammle_Zahlen(String(reinterpret_cast<const char*>(data), size), gesammelt);
    if (gesammelt.size() != vorher) std::abort();
    return 0;
}
