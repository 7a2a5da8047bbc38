// Form layouts: any text is read into a form; bad input raises ELayoutError (or another rtl
// Exception), never crashes or exhausts the stack.
#include <cstdint>

#include "zub/Forms.h"
#include "zub/Layout.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TForm form(nullptr);
    try {
        ReadLayout(&form, String(reinterpret_cast<const char*>(data), size));
    } catch (const Exception&) {
    }
    return 0;
}
