// krotex's reading of the client header omniidl wrote: any bytes as the header; the block of
// "_sk_" skeletons is empty or one guarded block whose namespaces close where they open. Each
// line also as a compiler message: the place it names is a line of the text.
#include <cstdlib>

#include "Fuzzordner.h"
#include "KrotexSkeletons.h"
#include "KrotexSwitches.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const String kopf = Fuzztext(data, size);
    const String block = KrotexSkeletonBlock(kopf, "__bank_c_hh_sk__");
    if (!block.empty()) {
        if (block.rfind("\n#ifndef __bank_c_hh_sk__\n#define __bank_c_hh_sk__\n", 0) != 0) std::abort();
        if (block.size() < 7 || block.compare(block.size() - 7, 7, "#endif\n") != 0) std::abort();
        long offen = 0;
        for (char c : block) {
            offen += c == '{' ? 1 : c == '}' ? -1 : 0;
            if (offen < 0) std::abort();
        }
        if (offen != 0) std::abort();
    }
    for (std::size_t p = 0; p < kopf.size();) {
        std::size_t nl = kopf.find('\n', p);
        if (nl == String::npos) nl = kopf.size();
        const String zeile = kopf.substr(p, nl - p);
        TKrotexPlace ort;
        if (KrotexPlace(zeile, ort) && (ort.Line < 0 || zeile.find(ort.Text) == String::npos)) std::abort();
        (void)KrotexDiagnostic(zeile);
        p = nl + 1;
    }
    return 0;
}
