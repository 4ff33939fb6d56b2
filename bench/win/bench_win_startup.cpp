// Program start to first paint: the demo against a bare Win32 window under
// the same Wine. Each program is started with CreateProcess; the clock stops
// once the program has gone idle (WaitForInputIdle) and its top-level window
// is visible with it and every visible child painted (no update region
// left), or when the program has ended (the bare window exits at its first
// paint). Runs alternate between the two programs.
#include "BenchHarness.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

using namespace winbench;

namespace {

struct TFind {
  DWORD ProcessId;
  HWND Found;
};

BOOL CALLBACK FindVisibleTopLevel(HWND Wnd, LPARAM Data) {
  auto* Find = reinterpret_cast<TFind*>(Data);
  DWORD Pid = 0;
  GetWindowThreadProcessId(Wnd, &Pid);
  if (Pid != Find->ProcessId || !IsWindowVisible(Wnd)) return TRUE;
  Find->Found = Wnd;
  return FALSE;
}

BOOL CALLBACK FindUnpaintedChild(HWND Wnd, LPARAM Data) {
  if (!IsWindowVisible(Wnd) || !GetUpdateRect(Wnd, nullptr, FALSE)) return TRUE;
  *reinterpret_cast<bool*>(Data) = true;
  return FALSE;
}

bool Painted(DWORD ProcessId) {
  TFind Find{ProcessId, nullptr};
  EnumWindows(FindVisibleTopLevel, reinterpret_cast<LPARAM>(&Find));
  if (!Find.Found || GetUpdateRect(Find.Found, nullptr, FALSE)) return false;
  bool Unpainted = false;
  EnumChildWindows(Find.Found, FindUnpaintedChild, reinterpret_cast<LPARAM>(&Unpainted));
  return !Unpainted;
}

struct TRun {
  double Us = 0;
  bool Exited = false; // stopped by the program's end rather than by seeing it painted
  bool Ok = false;
};

TRun StartToFirstPaint(const std::string& Exe) {
  TRun Run;
  STARTUPINFOA Startup{};
  Startup.cb = sizeof Startup;
  PROCESS_INFORMATION Process{};
  std::string CommandLine = "\"" + Exe + "\"";
  double Start = NowUs();
  if (!CreateProcessA(Exe.c_str(), CommandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &Startup, &Process))
    return Run;
  // Idle comes only once the queue holds nothing, painting included: the
  // launcher waits without polling (which would compete with the program
  // for the wineserver) and then checks what it sees.
  WaitForInputIdle(Process.hProcess, 30000);
  for (;;) {
    if (WaitForSingleObject(Process.hProcess, 0) == WAIT_OBJECT_0) {
      Run.Exited = true;
      break;
    }
    if (Painted(Process.dwProcessId)) break;
    if (NowUs() - Start > 30e6) break;
    Sleep(1);
  }
  Run.Us = NowUs() - Start;
  DWORD Code = 0;
  Run.Ok =
      Run.Us <= 30e6 && (!Run.Exited || (GetExitCodeProcess(Process.hProcess, &Code) && Code == 0));
  TerminateProcess(Process.hProcess, 0);
  WaitForSingleObject(Process.hProcess, 10000);
  CloseHandle(Process.hThread);
  CloseHandle(Process.hProcess);
  // Let the window manager finish with the closed window before the next start.
  Sleep(300);
  return Run;
}

std::string ModuleDirectory() {
  char Path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, Path, MAX_PATH);
  std::string Dir(Path);
  Dir.erase(Dir.find_last_of("\\/") + 1);
  return Dir;
}

} // namespace

int main(int Argc, char** Argv) {
  ParseCommandLine(Argc, Argv);
  std::string Dir = ModuleDirectory();
  // By default both from the build tree: the bare window beside this
  // program, the demo in the demo's folder.
  std::string Bare = Dir + "BareWindow.exe";
  std::string Demo = Dir + "..\\..\\demo\\QuilletDemo.exe";
  // Other programs in either place: --bare=PATH, --demo=PATH (Windows paths).
  for (int I = 1; I < Argc; ++I) {
    if (std::strncmp(Argv[I], "--bare=", 7) == 0)
      Bare = Argv[I] + 7;
    else if (std::strncmp(Argv[I], "--demo=", 7) == 0)
      Demo = Argv[I] + 7;
  }
  std::printf("== bench_win_startup: program start to first paint\n");
  const int Runs = SampleCount(21);
  std::vector<double> BareTimes, DemoTimes;
  int BareExits = 0, DemoExits = 0;
  for (int I = -2; I < Runs; ++I) { // two warm-up runs each
    bool BareFirst = I % 2 == 0;
    for (int K = 0; K < 2; ++K) {
      bool IsBare = (K == 0) == BareFirst;
      TRun Run = StartToFirstPaint(IsBare ? Bare : Demo);
      if (!Run.Ok) {
        std::printf("failed to start or to see the first paint of %s\n",
                    (IsBare ? Bare : Demo).c_str());
        return 1;
      }
      if (I < 0) continue;
      (IsBare ? BareTimes : DemoTimes).push_back(Run.Us);
      (IsBare ? BareExits : DemoExits) += Run.Exited;
    }
  }
  auto PrintRuns = [](const char* Name, const std::vector<double>& Times) {
    std::printf("  %s runs (ms):", Name);
    for (double T : Times)
      std::printf(" %.0f", T / 1000);
    std::printf("\n");
  };
  PrintRuns("bare", BareTimes);
  PrintRuns("demo", DemoTimes);
  std::printf("  (runs ended by the program's exit: bare %d of %d, demo %d of %d)\n", BareExits,
              Runs, DemoExits, Runs);
  auto FileName = [](const std::string& Path) { return Path.substr(Path.find_last_of("\\/") + 1); };
  PrintRatio("start to first paint, demo / bare window", FileName(Demo), Summarise(DemoTimes),
             FileName(Bare), Summarise(BareTimes), 1.3);
  return 0;
}
