// The text rules on a fixed mix of short cell texts, side by side with the
// standard library's conversions of the same texts.
#include "components/FormatRules.h"

#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace quillet;

// What users type into grid cells: mostly short numbers, some dates, some
// mistakes. Drawn with a fixed seed so every run measures the same texts.
const std::vector<std::string>& CellTexts() {
  static const std::vector<std::string> Texts = [] {
    static const char* const kPool[] = {
        "12",     "-3",        "007",         "1.5",        "abc",        "",
        " 42",    "3.14159",   "1e5",         "12/03/2024", "2147483647", "-0.25",
        "100",    "0.5",       "1234.5678",   "99.99",      "$FF",        "12a",
        "7",      "-",         "6.02e23",     "1,5",        "42 ",        "0",
        "250000", "-17.125",   "3/4",         "19.95",      "1e-3",       "65535",
        "12.30",  "2/29/2024", "-2147483648", "0.001",      "8",          "15.5"};
    std::mt19937 Random(12345);
    std::vector<std::string> Mix;
    for (int I = 0; I < 256; ++I)
      Mix.emplace_back(kPool[Random() % std::size(kPool)]);
    return Mix;
  }();
  return Texts;
}

template <typename Rule> void RunOverMix(benchmark::State& State, Rule&& Apply) {
  const auto& Texts = CellTexts();
  for (auto _ : State)
    for (const auto& Text : Texts)
      Apply(Text);
  State.SetItemsProcessed(static_cast<std::int64_t>(State.iterations() * Texts.size()));
}

void BM_NormalizeEditText(benchmark::State& State) {
  const auto Kind = static_cast<TFormatKind>(State.range(0));
  TFormatSettings Settings;
  const TDate Today{2025, 6, 15};
  RunOverMix(State, [&](const std::string& Text) {
    auto Stored = NormalizeEditText(Kind, Text, Settings, Today);
    benchmark::DoNotOptimize(Stored);
  });
}
BENCHMARK(BM_NormalizeEditText)
    ->ArgName("kind")
    ->Arg(fkNone)
    ->Arg(fkInteger)
    ->Arg(fkFloat)
    ->Arg(fkCurrency)
    ->Arg(fkDate);

void BM_ParseIntegerText(benchmark::State& State) {
  RunOverMix(State, [](const std::string& Text) {
    // Consumed as a caller would, and as the from_chars result is below:
    // keeping the optional object itself would measure a store-forwarding
    // stall of the benchmark's own making.
    const auto Value = ParseIntegerText(Text);
    bool Valid = Value.has_value();
    std::int32_t Number = Value.value_or(0);
    benchmark::DoNotOptimize(Valid);
    benchmark::DoNotOptimize(Number);
  });
}
BENCHMARK(BM_ParseIntegerText);

void BM_ParseFloatText(benchmark::State& State) {
  RunOverMix(State, [](const std::string& Text) {
    const auto Value = ParseFloatText(Text, '.');
    bool Valid = Value.has_value();
    long double Number = Value.value_or(0);
    benchmark::DoNotOptimize(Valid);
    benchmark::DoNotOptimize(Number);
  });
}
BENCHMARK(BM_ParseFloatText);

void BM_FromCharsInt32(benchmark::State& State) {
  RunOverMix(State, [](const std::string& Text) {
    std::int32_t Value = 0;
    auto Result = std::from_chars(Text.data(), Text.data() + Text.size(), Value);
    benchmark::DoNotOptimize(Result);
    benchmark::DoNotOptimize(Value);
  });
}
BENCHMARK(BM_FromCharsInt32);

void BM_FromCharsDouble(benchmark::State& State) {
  RunOverMix(State, [](const std::string& Text) {
    double Value = 0;
    auto Result = std::from_chars(Text.data(), Text.data() + Text.size(), Value);
    benchmark::DoNotOptimize(Result);
    benchmark::DoNotOptimize(Value);
  });
}
BENCHMARK(BM_FromCharsDouble);

// The least that a from_chars-based rule with the same result must do: check
// the text and hand back the string to store.
template <typename Number> void BM_FromCharsThenStore(benchmark::State& State) {
  RunOverMix(State, [](const std::string& Text) {
    Number Value{};
    const auto End = Text.data() + Text.size();
    const auto Result = std::from_chars(Text.data(), End, Value);
    auto Stored =
        Result.ec == std::errc() && Result.ptr == End ? std::string(Text) : std::string("0");
    benchmark::DoNotOptimize(Stored);
  });
}
BENCHMARK(BM_FromCharsThenStore<std::int32_t>);
BENCHMARK(BM_FromCharsThenStore<double>);

void BM_Strtold(benchmark::State& State) {
  RunOverMix(State, [](const std::string& Text) {
    char* End = nullptr;
    long double Value = std::strtold(Text.c_str(), &End);
    benchmark::DoNotOptimize(Value);
    benchmark::DoNotOptimize(End);
  });
}
BENCHMARK(BM_Strtold);

} // namespace

BENCHMARK_MAIN();
