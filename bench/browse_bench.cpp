// One browse of a generated header: bank.idl compiled by krotex, its client header browsed by the
// host's compiler into the IDL symbol model, as the CORBA wizards ask for it.
//   Browse_Compile   the compile alone (the translation unit: the ORB's headers and bank's);
//   Browse_Symbols   the whole browse with every class's methods, the cache off;
//   Browse_Cached    the same file answered from the file-symbol cache (a deep copy).
// Times are wall-clock (libclang parses on a thread of its own). Counters: the rise of the
// resident memory during the case (spitze_MB), and the classes and methods found. The last line
// says how much one cached answer saves against one browse.
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>

#include "BankIdl.h"
#include "Idlcppimpl.h"
#include "Idlenvoptions.h"
#include "PeakMemory.h"
#include "host/Actions.h"
#include "rtl/ConsoleProcess.h"
#include "hostimpl/HostImpl.h"
#include "rtl/Files.h"

namespace {

// The host, the package's options and cache, and the generated header, for the whole run.
struct TBrowseWorld {
    TBrowseWorld()
    {
        String t = (std::filesystem::temp_directory_path() / "browse_bench.XXXXXX").string();
        if (!mkdtemp(t.data())) throw Exception("no scratch folder");
        Folder = t + "/";
        AtomicWriteFile(Folder + "bank.idl", kBankIdl);
        TConsoleProcess krotex;
        krotex.ApplicationName = KROTEX_EXE;
        krotex.CommandLine = String(KROTEX_EXE) + " -root_dir " + Folder + " " + Folder + "bank.idl";
        krotex.Execute();
        if (krotex.ExitCode() != 0) throw Exception("krotex failed: " + krotex.Errors().GetText());
        Header = Folder + "bank_c.hh";
        Host = std::make_unique<hostimpl::THostSession>(Folder);
        IdlEnvironmentOptions = NewDataModule<TIdlEnvironmentOptions>(nullptr);
        IdlFileSymbolCache = new TIdlFileSymbolCache();
    }
    ~TBrowseWorld()
    {
        delete IdlFileSymbolCache;
        IdlFileSymbolCache = nullptr;
        delete IdlEnvironmentOptions;
        IdlEnvironmentOptions = nullptr;
        Host.reset();
        std::error_code ec;
        std::filesystem::remove_all(Folder, ec);
    }
    String Folder, Header;
    std::unique_ptr<hostimpl::THostSession> Host;
};

void SetCacheLimit(int n) { IdlEnvironmentOptions->CORBA->SetValue("FileSymbolCacheLimit", IntToStr(n)); }

TBrowseWorld& World()
{
    static TBrowseWorld world;
    return world;
}

void Count(benchmark::State& state, TIdlFileSymbol& file)
{
    int classes = 0, methods = 0;
    TIdlClassSymbolEnumerator e(file);
    for (TIdlClassSymbol* c = e.Current(); c; c = e.Next() ? e.Current() : nullptr) {
        ++classes;
        methods += c->Methods().Count();
    }
    state.counters["klassen"] = classes;
    state.counters["methoden"] = methods;
}

void Browse_Compile(benchmark::State& state)
{
    TBrowseWorld& w = World();
    Speicheranstieg memory;
    for (auto _ : state) {
        TEditBuffer buffer(w.Folder + "BenchSyms.cpp");
        buffer.Write("#include <corba.h>\r\n#pragma hdrstop\r\n#include \"" + w.Header + "\"\r\n");
        EnableBrowser = nullptr;
        if (!CompileAndBrowseProc(buffer)) state.SkipWithError("the header does not compile");
    }
    state.counters["spitze_MB"] = memory.MB();
}

void Browse_Symbols(benchmark::State& state)
{
    TBrowseWorld& w = World();
    SetCacheLimit(0);
    Speicheranstieg memory;
    for (auto _ : state) {
        TIdlFileSymbol file(w.Header);
        file.PopulateClasses();
        state.PauseTiming();
        Count(state, file);
        state.ResumeTiming();
    }
    state.counters["spitze_MB"] = memory.MB();
}

void Browse_Cached(benchmark::State& state)
{
    TBrowseWorld& w = World();
    SetCacheLimit(10);
    IdlFileSymbolCache->Clear();
    TIdlFileSymbol(w.Header).Populate();
    Speicheranstieg memory;
    for (auto _ : state) {
        TIdlFileSymbol file(w.Header);
        file.Populate();
        state.PauseTiming();
        Count(state, file);
        state.ResumeTiming();
    }
    state.counters["spitze_MB"] = memory.MB();
}

BENCHMARK(Browse_Compile)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(Browse_Symbols)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(Browse_Cached)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime()
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    // One browse against one cached answer, measured once more outside the framework.
    TBrowseWorld& w = World();
    auto time = [](auto&& f) {
        const auto t0 = std::chrono::steady_clock::now();
        f();
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    };
    SetCacheLimit(10);
    IdlFileSymbolCache->Clear();
    const double browse = time([&] { TIdlFileSymbol(w.Header).Populate(); });
    const double cached = time([&] { TIdlFileSymbol(w.Header).Populate(); });
    std::printf("bank_c.hh: ein Browse %.1f ms, aus dem Cache %.3f ms, %.0f-mal schneller\n", browse, cached,
                cached > 0 ? browse / cached : 0.0);
    benchmark::Shutdown();
    return 0;
}
