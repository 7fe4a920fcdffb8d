// The whole start-up city: grid preparation, the eight generation steps and the hero's start.
#include <benchmark/benchmark.h>

#include "app/world.h"
#include "sim/actors.h"

static void BM_GenerateCityAndPlaceHero(benchmark::State& state)
{
    unsigned seed = 1;
    for (auto _ : state) {
        startWorld(seed++);
        benchmark::DoNotOptimize(hero.x);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_GenerateCityAndPlaceHero)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
