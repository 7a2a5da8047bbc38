#pragma once
// The package model: what a package library exports and what the host runs.
//
// A package library exports, with C linkage,
//   GetPackageInfoTable  - its table (below),
//   Initialize           - hands the table to InitializePackage (runs the unit initialisations),
//   Finalize             - hands the table to FinalizePackage (runs the finalisations),
// and one function per registration procedure under the unique name the table lists (one
// library may hold several units that each have an IDERegister). HOST_PACKAGE_ENTRY writes the
// three fixed entry points.
//
// The unit table lists every unit the package uses, each after the units it uses. A unit is
// identified by its use counter: a unit that stands in the tables of two packages (one package
// links against the other) points both entries at the same counter, so it initialises when the
// counter goes from 0 to -1 and finalises when it comes back to 0, whichever package comes first.
#include "host/Export.h"

extern "C" {

typedef void (*TUnitProc)();

struct TPackageUnitEntry {
    const char* Name;
    int* UseCount;
    TUnitProc Init;  // may be null
    TUnitProc Finalize;  // may be null
};

struct TPackageInfoTable {
    const char* Name;  // the package's name, e.g. "KVTWEKIDE100"
    const char* const* Requires;  // packages to load first
    int RequiresCount;
    const TPackageUnitEntry* Units;  // dependency order
    int UnitCount;
    const char* const* RegisterProcs;  // exported names of the registration procedures, in call order
    int RegisterCount;
};

typedef const TPackageInfoTable* (*TGetPackageInfoTableProc)();
typedef void (*TPackageEntryProc)();

// Runs the initialisations in table order. When one raises, the units this call initialised are
// finalised again (reverse order) and the exception propagates.
HOST_API void InitializePackage(const TPackageInfoTable* table);
// Runs the finalisations in reverse table order; an exception in one does not stop the others
// (the first is rethrown after all ran).
HOST_API void FinalizePackage(const TPackageInfoTable* table);
}

#define HOST_UNIT_ENTRY(unitNamespace)                                                                       \
    TPackageUnitEntry                                                                                        \
    {                                                                                                        \
#unitNamespace, &unitNamespace::UseCount, &unitNamespace::Initialization,                            \
            &unitNamespace::Finalization                                                                     \
    }

#define HOST_PACKAGE_ENTRY(tableObject)                                                                      \
    extern "C" const TPackageInfoTable* GetPackageInfoTable() { return &tableObject; }                       \
    extern "C" void Initialize() { InitializePackage(&tableObject); }                                        \
    extern "C" void Finalize() { FinalizePackage(&tableObject); }
