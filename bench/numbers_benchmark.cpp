// Number reading and writing, the work behind every guess and frequency typed.
#include <benchmark/benchmark.h>

#include <string>

#include "core/numbers.h"

namespace {

void BM_ReadPlainInteger(benchmark::State& state) {
  const std::string text = "50";
  for (auto _ : state) benchmark::DoNotOptimize(numbers::Read(text));
}
BENCHMARK(BM_ReadPlainInteger);

void BM_ReadDecimalWithExponentAndBlanks(benchmark::State& state) {
  const std::string text = " 1 4 6.25E-3 MHz";
  for (auto _ : state) benchmark::DoNotOptimize(numbers::Read(text));
}
BENCHMARK(BM_ReadDecimalWithExponentAndBlanks);

void BM_ReadHexadecimal(benchmark::State& state) {
  const std::string text = "&H7FFF";
  for (auto _ : state) benchmark::DoNotOptimize(numbers::Read(text));
}
BENCHMARK(BM_ReadHexadecimal);

void BM_ToInt16(benchmark::State& state) {
  double value = 2.5;
  for (auto _ : state) {
    benchmark::DoNotOptimize(numbers::ToInt16(value));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ToInt16);

void BM_WriteInt16(benchmark::State& state) {
  const std::int16_t value = -32768;
  for (auto _ : state) benchmark::DoNotOptimize(numbers::Write(value));
}
BENCHMARK(BM_WriteInt16);

void BM_WriteDouble(benchmark::State& state) {
  const double value = 468.0 / 146.52;
  for (auto _ : state) benchmark::DoNotOptimize(numbers::Write(value, ','));
}
BENCHMARK(BM_WriteDouble);

}  // namespace
