// The type library's text: whatever the reader takes, the writer writes as a text the reader
// takes again whole, and that text is written the same the second time round; the C++ header of
// what was read is made without a fault.
#include <cstdlib>

#include "Fuzzordner.h"
#include "host/TypeLibrary.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::unique_ptr<TTypeLibrary> lib;
    try {
        lib = TTypeLibrary::Parse(Fuzztext(data, size));
    } catch (const EHostError&) {
        return 0;
    }
    const String text = lib->Text();
    std::unique_ptr<TTypeLibrary> again;
    try {
        again = TTypeLibrary::Parse(text);
    } catch (const EHostError&) {
        std::abort();  // written what cannot be read
    }
    if (again->Text() != text || again->TypeCount() != lib->TypeCount()) std::abort();
    (void)TypeLibraryHeader(*lib, lib->Name + "_TLB");
    return 0;
}
