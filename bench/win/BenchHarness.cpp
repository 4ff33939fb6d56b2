#include "BenchHarness.h"

#include "toolkit/win/Application.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace winbench {

namespace {

int gSamplesOverride = 0;
bool gQuick = false;

double Frequency() {
  static const double Value = [] {
    LARGE_INTEGER F;
    QueryPerformanceFrequency(&F);
    return static_cast<double>(F.QuadPart);
  }();
  return Value;
}

double TimeSample(const TCase& Case) {
  if (Case.Setup) Case.Setup();
  double Start = NowUs();
  for (int I = 0; I < Case.Iterations; ++I)
    Case.Body();
  return (NowUs() - Start) / Case.Iterations;
}

} // namespace

TStats Summarise(std::vector<double> TimesUs, int Iterations) {
  TStats S;
  S.Samples = static_cast<int>(TimesUs.size());
  S.Iterations = Iterations;
  if (TimesUs.empty()) return S;
  std::sort(TimesUs.begin(), TimesUs.end());
  S.MinUs = TimesUs.front();
  std::size_t N = TimesUs.size();
  S.MedianUs = N % 2 ? TimesUs[N / 2] : (TimesUs[N / 2 - 1] + TimesUs[N / 2]) / 2;
  return S;
}

void ParseCommandLine(int Argc, char** Argv) {
  for (int I = 1; I < Argc; ++I) {
    if (std::strncmp(Argv[I], "--samples=", 10) == 0)
      gSamplesOverride = std::atoi(Argv[I] + 10);
    else if (std::strcmp(Argv[I], "--quick") == 0)
      gQuick = true;
  }
}

int SampleCount(int Default) {
  if (gSamplesOverride > 0) return gSamplesOverride;
  return gQuick ? std::max(5, Default / 3) : Default;
}

double NowUs() {
  LARGE_INTEGER C;
  QueryPerformanceCounter(&C);
  return static_cast<double>(C.QuadPart) * 1e6 / Frequency();
}

void MeasurePair(const TCase& A, TStats& StatsA, const TCase& B, TStats& StatsB, int Samples) {
  TimeSample(A);
  TimeSample(B);
  std::vector<double> TimesA, TimesB;
  for (int I = 0; I < Samples; ++I) {
    // Alternating which goes first keeps an ordering effect out of the ratio.
    if (I % 2 == 0) {
      TimesA.push_back(TimeSample(A));
      TimesB.push_back(TimeSample(B));
    } else {
      TimesB.push_back(TimeSample(B));
      TimesA.push_back(TimeSample(A));
    }
  }
  StatsA = Summarise(std::move(TimesA), A.Iterations);
  StatsB = Summarise(std::move(TimesB), B.Iterations);
}

void PrintStats(const std::string& Name, const TStats& Stats) {
  std::printf("  %-48s min %10.1f us  median %10.1f us  (%d samples x %d)\n", Name.c_str(),
              Stats.MinUs, Stats.MedianUs, Stats.Samples, Stats.Iterations);
  std::fflush(stdout);
}

bool PrintRatio(const std::string& Label, const std::string& NameA, const TStats& A,
                const std::string& NameB, const TStats& B, double Target) {
  PrintStats(NameA, A);
  PrintStats(NameB, B);
  double Ratio = B.MedianUs > 0 ? A.MedianUs / B.MedianUs : 0;
  bool Met = Target <= 0 || Ratio <= Target;
  std::printf("RATIO %s: %.1f us / %.1f us = %.3f", Label.c_str(), A.MedianUs, B.MedianUs, Ratio);
  if (Target > 0)
    std::printf("  target <= %.3f  %s", Target, Met ? "met" : "MISSED");
  else
    std::printf("  (for information)");
  std::printf("\n");
  std::fflush(stdout);
  return Met;
}

bool PrintPerItemRatio(const std::string& Label, const std::string& NameA, const TStats& A,
                       double ItemsA, const std::string& NameB, const TStats& B, double ItemsB,
                       double Target) {
  PrintStats(NameA, A);
  PrintStats(NameB, B);
  double PerItemA = A.MedianUs / ItemsA, PerItemB = B.MedianUs / ItemsB;
  double Ratio = PerItemB > 0 ? PerItemA / PerItemB : 0;
  bool Met = Ratio <= Target;
  std::printf("RATIO %s: %.1f us / %.1f us = %.3f (time ratio; items %.0f / %.0f = %.3f); per item "
              "%.4f us / %.4f us = %.3f  target <= %.3f  %s\n",
              Label.c_str(), A.MedianUs, B.MedianUs, A.MedianUs / B.MedianUs, ItemsA, ItemsB,
              ItemsA / ItemsB, PerItemA, PerItemB, Ratio, Target, Met ? "met" : "MISSED");
  std::fflush(stdout);
  return Met;
}

void Pump() {
  MSG Msg;
  while (PeekMessageA(&Msg, nullptr, 0, 0, PM_REMOVE))
    tk::Application->HandleMessage(Msg);
}

namespace {
LPARAM KeyData(WORD VirtualKey, bool Up, bool Alt) {
  UINT Scan = MapVirtualKeyA(VirtualKey, MAPVK_VK_TO_VSC);
  std::uint32_t Data = 1u | (Scan << 16);
  if (Alt) Data |= 1u << 29;
  if (Up) Data |= (1u << 30) | (1u << 31);
  return static_cast<LPARAM>(Data);
}
} // namespace

void SendKeyStroke(HWND Wnd, WORD VirtualKey, char Ch, bool Alt) {
  SendMessageA(Wnd, Alt ? WM_SYSKEYDOWN : WM_KEYDOWN, VirtualKey, KeyData(VirtualKey, false, Alt));
  if (Ch)
    SendMessageA(Wnd, Alt ? WM_SYSCHAR : WM_CHAR, static_cast<unsigned char>(Ch),
                 KeyData(VirtualKey, false, Alt));
  SendMessageA(Wnd, Alt ? WM_SYSKEYUP : WM_KEYUP, VirtualKey, KeyData(VirtualKey, true, Alt));
}

void HoldControlKey(bool Held) {
  BYTE State[256];
  GetKeyboardState(State);
  if (Held)
    State[VK_CONTROL] |= 0x80;
  else
    State[VK_CONTROL] &= 0x7F;
  SetKeyboardState(State);
}

} // namespace winbench
