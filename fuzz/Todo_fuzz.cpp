// The to-do scanner of C and C++ sources: any bytes split into tokens that end, in order of
// their positions; each comment is parsed for an item, whose priority is 0..9.
#include <cstdlib>
#include <sstream>

#include "Fuzzordner.h"
#include "host/ToDo.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::istringstream ein(Fuzztext(data, size));
    TIStreamToISourceAdapter quelle(ein);
    TCppTodoScanner scanner(quelle);
    int zeile = 0, spalte = 0;
    for (std::size_t n = 0;; ++n) {
        if (n > size + 1) std::abort();  // every token but the end takes at least one character
        const TTodoToken t = scanner.Next();
        if (t.Kind == tkEnd) break;
        if (t.Line < zeile || (t.Line == zeile && t.Column <= spalte)) std::abort();
        zeile = t.Line;
        spalte = t.Column;
        if (t.Kind != tkComment) continue;
        TToDoItem item;
        if (!ParseToDoComment(t.Text, item)) continue;
        if (item.Priority < 0 || item.Priority > 9) std::abort();
    }
    return 0;
}
