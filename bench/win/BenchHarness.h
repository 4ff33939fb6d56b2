// A small benchmark harness for the Windows build, where Google Benchmark is
// not available: a body runs a fixed number of times per sample, each sample
// is timed with the performance counter, and two bodies compared with each
// other have their samples interleaved (A, B, A, B, ...) so that both see
// the same machine load. Comparisons are printed as ratios of medians.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace winbench {

// Per-iteration times of one measured body, in microseconds.
struct TStats {
  double MinUs = 0;
  double MedianUs = 0;
  int Samples = 0;
  int Iterations = 0;
};

struct TCase {
  std::string Name;
  // Timed: runs Iterations times per sample.
  std::function<void()> Body;
  // Untimed: runs before each sample (moving back to a start state, giving
  // the focus to the right window, flushing the message queue).
  std::function<void()> Setup;
  int Iterations = 1;
};

// The samples per body; --samples=N on the command line overrides the
// benchmark's own choice, --quick takes a third of it (at least 5).
int SampleCount(int Default);
void ParseCommandLine(int Argc, char** Argv);

// Microseconds from the performance counter.
double NowUs();

// Statistics of per-iteration times measured elsewhere.
TStats Summarise(std::vector<double> TimesUs, int Iterations = 1);
// Both bodies, samples interleaved; one untimed warm-up sample each first.
void MeasurePair(const TCase& A, TStats& StatsA, const TCase& B, TStats& StatsB, int Samples);

void PrintStats(const std::string& Name, const TStats& Stats);
// Prints median(A) / median(B) with both medians and the target it must not
// exceed; returns whether it is met. Informational comparisons pass
// Target <= 0 and are printed without a verdict.
bool PrintRatio(const std::string& Label, const std::string& NameA, const TStats& A,
                const std::string& NameB, const TStats& B, double Target);
// A comparison whose target is on per-item costs: (A / ItemsA) / (B / ItemsB).
bool PrintPerItemRatio(const std::string& Label, const std::string& NameA, const TStats& A,
                       double ItemsA, const std::string& NameB, const TStats& B, double ItemsB,
                       double Target);

// Handles every waiting message as the application's loop would.
void Pump();

// One keystroke sent straight to a window as the system would deliver it:
// key-down, the character (when Ch is not 0), key-up; Alt sets the context
// bit and uses the system key messages.
void SendKeyStroke(HWND Wnd, WORD VirtualKey, char Ch, bool Alt = false);
// Marks Ctrl as held (or not) in this thread's keyboard state, which sent
// key messages leave alone.
void HoldControlKey(bool Held);

} // namespace winbench
