#include "Programmordner.h"

#include <malloc.h>
#include <sys/mman.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <mutex>

#include "rtl/Files.h"
#include "rtl/ProgramSettings.h"

namespace {

std::mutex g_lock;
String g_ordner;  // empty: taken from the environment

String umgebung(const char* name)
{
    const char* v = std::getenv(name);
    return v ? String(v) : String();
}

String ordner_aus_Umgebung()
{
    String ordner = umgebung("RAVELO_HOME");
    if (!ordner.empty()) return IncludeTrailingPathDelimiter(ordner);
    String daten = umgebung("XDG_DATA_HOME");
    if (daten.empty()) {
        String home = umgebung("HOME");
        if (home.empty()) {
            if (const passwd* pw = getpwuid(getuid())) home = pw->pw_dir;
        }
        daten = IncludeTrailingPathDelimiter(home) + ".local/share";
    }
    return IncludeTrailingPathDelimiter(daten) + "Quenzel 2009/";
}

}  // namespace

String ProgrammOrdner()
{
    std::lock_guard<std::mutex> lock(g_lock);
    if (g_ordner.empty()) g_ordner = ordner_aus_Umgebung();
    return g_ordner;
}

void setze_ProgrammOrdner(const String& ordner)
{
    std::lock_guard<std::mutex> lock(g_lock);
    g_ordner = ordner.empty() ? String() : IncludeTrailingPathDelimiter(ordner);
}

String ProgrammDatei(const String& name) { return ProgrammOrdner() + name; }

bool ProgrammOrdner_einrichten()
{
    String ordner = ProgrammOrdner();
    if (!ForceDirectories(ordner + "test")) return false;
    // What updates killed half-way left behind (about 150 KB each) goes at the next start.
    RemoveDeadTempFilesIn(ordner);
    return SetCurrentDir(ordner);
}

void Laufzeit_einrichten()
{
    SetProgramSettings({"Quenzel 2009", "RAVELO_WINDIR", "RAVELO_DEBUG"});
    Speicher_einrichten();
}

void Speicher_einrichten()
{
    // Blocks up to 32 MB (the run's largest is its combination table of 14 MB) come from the
    // heap, and up to 128 MB of free heap stay with the process.
    ::mallopt(M_MMAP_THRESHOLD, 32 << 20);
    ::mallopt(M_TRIM_THRESHOLD, 128 << 20);
    // One heap for every thread, so the step threads' and their helpers' buffers come from it too.
    ::mallopt(M_ARENA_MAX, 1);
    // The heap grows at once by the room a run takes, in large pages: a first run then maps a
    // few dozen pages instead of thousands, each of which costs a trap into the kernel. Nothing
    // is touched here; the pages come as the run uses them.
    constexpr std::size_t RAUM = 64 << 20, GROSS = 2 << 20;
    ::mallopt(M_TOP_PAD, RAUM);
    if (void* p = std::malloc(GROSS)) {
        const auto anfang = (reinterpret_cast<std::uintptr_t>(p) + GROSS - 1) & ~(GROSS - 1);
        const auto ende = reinterpret_cast<std::uintptr_t>(::sbrk(0)) & ~(GROSS - 1);
        std::free(p);
        // Only a heap that grew in one piece by that room is marked (not where another allocator
        // serves malloc).
        if (ende > anfang && ende - anfang <= RAUM + GROSS)
            ::madvise(reinterpret_cast<void*>(anfang), ende - anfang, MADV_HUGEPAGE);
    }
    ::mallopt(M_TOP_PAD, 128 << 10);  // the usual pad for growth beyond
}
