// Reading a type library of many interfaces and writing it back (what `typelib dump` does with a
// saved library): the time per interface stays the same as the library grows.
#include <benchmark/benchmark.h>

#include "host/TypeLibrary.h"

namespace {

String LibraryText(int interfaces)
{
    TTypeLibrary lib("Big", CreateGUID());
    for (int i = 0; i < interfaces; ++i) {
        TTypeObject* t = lib.AddType(tkInterface, "IBig" + IntToStr(i));
        t->ParentName = "IDispatch";
        t->AddMethod("Run", 1)->AddParam("Count", vtI4);
    }
    return lib.Text();
}

void BM_TypeLibraryReadAndWrite(benchmark::State& state)
{
    const String text = LibraryText(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(TTypeLibrary::Parse(text)->Text());
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_TypeLibraryReadAndWrite)
    ->RangeMultiplier(4)
    ->Range(1 << 10, 1 << 17)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

}  // namespace

BENCHMARK_MAIN();
