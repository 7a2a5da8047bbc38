#pragma once
// A scratch folder of the fuzz process (on tmpfs where there is one), removed when the process
// ends, and the input as text.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>

#include "rtl/SysUtils.h"

class TFuzzordner {
public:
    explicit TFuzzordner(const char* name)
    {
        String vorlage =
            (::access("/dev/shm", W_OK) == 0 ? String("/dev/shm/") : String("/tmp/")) + name + "-XXXXXX";
        if (!::mkdtemp(vorlage.data())) std::abort();
        FPfad = vorlage + "/";
    }
    ~TFuzzordner()
    {
        std::error_code egal;
        std::filesystem::remove_all(FPfad, egal);
    }
    const String& Pfad() const { return FPfad; }

private:
    String FPfad;
};

inline String Fuzztext(const std::uint8_t* data, std::size_t size)
{
    return String(reinterpret_cast<const char*>(data), size);
}
