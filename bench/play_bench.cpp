// How long a player waits for the game when pilotplay starts it, beside the manual way: start
// discpilot, wait for its window, start the game. Both are measured in the same run, in turns,
// from the first program's start to the moment the game starts (the stand-in game records the
// performance counter, which is the same clock in every process).
//
// Prints the figures; it checks nothing and is no test.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/process.h"
#include "tests/support/window_search.h"

namespace {

constexpr int kRounds = 12;
constexpr DWORD kTimeoutMs = 60000;
constexpr DWORD kPollMs = 5;  // the manual way at its quickest
constexpr char kCaption[] = "Goalvista DiscPilot";
constexpr char kReport[] = "C:\\pilotplay-bench-record.txt";
constexpr double kTarget = 1.8;

using test_support::Program;

LONGLONG Now() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

double Milliseconds(LONGLONG ticks) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

// When the stand-in game started, as it recorded; 0 when it did not.
LONGLONG GameStarted() {
  std::ifstream in(kReport);
  std::string line;
  while (std::getline(in, line))
    if (line.rfind("started=", 0) == 0) return std::stoll(line.substr(8));
  return 0;
}

std::string Quoted(const std::string& path) {
  return "\"" + test_support::WindowsPath(path) + "\"";
}

// pilotplay starts discpilot, waits for its window, starts the game; it ends after the game (which
// ends at once) and after closing discpilot.
double ThroughPilotplay() {
  DeleteFileA(kReport);
  const LONGLONG begin = Now();
  Program pilotplay = Program::Start(PILOTPLAY_EXE, Quoted(STAND_IN_GAME_EXE));
  pilotplay.WaitForExit(kTimeoutMs);
  const LONGLONG started = GameStarted();
  return started ? Milliseconds(started - begin) : -1;
}

double TheManualWay() {
  DeleteFileA(kReport);
  const LONGLONG begin = Now();
  Program discpilot = Program::Start(DISCPILOT_EXE);
  HWND window = nullptr;
  const DWORD waitBegin = GetTickCount();
  while (!(window = FindWindowA(nullptr, kCaption)) || !IsWindowVisible(window)) {
    if (GetTickCount() - waitBegin > kTimeoutMs) return -1;
    Sleep(kPollMs);
  }
  Program game = Program::Start(STAND_IN_GAME_EXE);
  game.WaitForExit(kTimeoutMs);
  const LONGLONG started = GameStarted();
  SendMessageA(window, WM_CLOSE, 0, 0);
  discpilot.WaitForExit(kTimeoutMs);
  return started ? Milliseconds(started - begin) : -1;
}

double Median(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  const std::size_t n = samples.size();
  return n == 0 ? 0 : n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
}

double Mean(const std::vector<double>& samples) {
  double sum = 0;
  for (double s : samples) sum += s;
  return samples.empty() ? 0 : sum / static_cast<double>(samples.size());
}

}  // namespace

int main() {
  SetEnvironmentVariableA("PILOTPLAY_STAND_IN_REPORT", kReport);
  // One unmeasured round of each first: the first start of a program file costs more.
  ThroughPilotplay();
  TheManualWay();
  std::vector<double> pilotplay, manual;
  for (int round = 0; round < kRounds; ++round) {
    const double viaPilotplay = ThroughPilotplay();
    const double viaHand = TheManualWay();
    if (viaPilotplay < 0 || viaHand < 0) {
      std::printf("round %d: the game did not start\n", round + 1);
      return 1;
    }
    pilotplay.push_back(viaPilotplay);
    manual.push_back(viaHand);
  }
  DeleteFileA(kReport);

  const double ratio = Median(pilotplay) / Median(manual);
  std::printf("%d rounds, in turns; time from the first program's start to the game's start, ms:\n",
              kRounds);
  std::printf("                                          median      mean\n");
  std::printf("  pilotplay.exe GAME                    %8.1f  %8.1f\n", Median(pilotplay),
              Mean(pilotplay));
  std::printf("  discpilot, wait for its window, GAME  %8.1f  %8.1f\n", Median(manual),
              Mean(manual));
  std::printf("pilotplay takes %.2fx the manual way; target: within %.1fx: %s\n", ratio, kTarget,
              ratio <= kTarget ? "met" : "MISSED");
  return 0;
}
