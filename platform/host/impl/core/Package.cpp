#include "host/Package.h"

#include <exception>

#include "host/ToolsAPI.h"
#include "rtl/ScopeGuard.h"

extern "C" void InitializePackage(const TPackageInfoTable* table)
{
    if (!table) throw EHostError("No package table");
    int done = 0;
    // The unit that raised counts as not initialised; the ones before it are undone.
    TScopeGuard undo([&] {
        const TPackageUnitEntry& failed = table->Units[done];
        if (failed.UseCount) ++*failed.UseCount;
        for (int i = done - 1; i >= 0; --i) {
            const TPackageUnitEntry& u = table->Units[i];
            try {
                if (++*u.UseCount == 0 && u.Finalize) u.Finalize();
            } catch (...) {
                // one failing finalisation does not keep the others from running
            }
        }
    });
    for (; done < table->UnitCount; ++done) {
        const TPackageUnitEntry& u = table->Units[done];
        if (!u.UseCount) throw EHostError(String("Unit ") + (u.Name ? u.Name : "?") + " has no use counter");
        // 0 -> -1: the first package that lists the unit runs its initialisation.
        if ((*u.UseCount)-- == 0 && u.Init) u.Init();
    }
    undo.Dismiss();
}

extern "C" void FinalizePackage(const TPackageInfoTable* table)
{
    if (!table) return;
    std::exception_ptr first;
    for (int i = table->UnitCount - 1; i >= 0; --i) {
        const TPackageUnitEntry& u = table->Units[i];
        if (!u.UseCount) continue;
        try {
            // back to 0: the last package that lists the unit runs its finalisation.
            if (++*u.UseCount == 0 && u.Finalize) u.Finalize();
        } catch (...) {
            if (!first) first = std::current_exception();
        }
    }
    if (first) std::rethrow_exception(first);
}
