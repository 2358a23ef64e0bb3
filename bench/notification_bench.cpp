// How much one shell notification costs discpilot's window, with the log near empty and near
// 1 MB: real notifications (SHChangeNotify, which the shell hands to the registered window
// through its subclassing window procedure) are pushed at the real main window while its log
// grows. The same is then measured for a log kept by re-assigning its whole text for every
// notification, the baseline that appending at the end replaces.
//
// Prints the figures; it checks nothing and is no test.
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "main/form1.h"
#include "main/notification.h"
#include "shellnotify/receiver.h"

namespace {

constexpr int kNotifications = 20000;
constexpr std::size_t kNearEmpty = 64 * 1024;  // characters of log still counted as near empty
constexpr std::size_t kOneMegabyte = 1024 * 1024;
constexpr int kSamples = 500;         // notifications averaged at each log size
constexpr int kBaselineSamples = 20;  // fewer: each rewrites the whole log

constexpr char kFolder[] = "C:\\discpilot-bench";
constexpr char kFile[] = "C:\\discpilot-bench\\notified.txt";

double Milliseconds(LONGLONG ticks) {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  return 1000.0 * static_cast<double>(ticks) / frequency;
}

// The time of one notification, from the shell's call to the end of the window's handling.
double TimeOneNotification() {
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  SHChangeNotify(SHCNE_UPDATEITEM, SHCNF_PATHA, kFile, nullptr);
  QueryPerformanceCounter(&end);
  return Milliseconds(end.QuadPart - start.QuadPart);
}

std::size_t LogLength(Form1& form) {
  return static_cast<std::size_t>(GetWindowTextLengthW(form.Text1.hWnd()));
}

double Mean(const std::vector<double>& samples) {
  double sum = 0;
  for (double s : samples) sum += s;
  return samples.empty() ? 0 : sum / static_cast<double>(samples.size());
}

// The log as discpilot keeps it: kNotifications real notifications from an empty log on; the
// means are taken over the first kSamples and over the kSamples that follow the log reaching
// 1 MB.
struct Figures {
  double nearEmpty;
  double nearOneMegabyte;
  std::size_t finalLength;
};

Figures MeasureAppending(Form1& form) {
  std::vector<double> nearEmpty, nearOneMegabyte;
  for (int i = 0; i < kNotifications; ++i) {
    const std::size_t length = LogLength(form);
    const double cost = TimeOneNotification();
    if (length < kNearEmpty && nearEmpty.size() < kSamples) nearEmpty.push_back(cost);
    if (length >= kOneMegabyte && nearOneMegabyte.size() < kSamples)
      nearOneMegabyte.push_back(cost);
    if ((i + 1) % 1000 == 0)
      std::fprintf(stderr, "bench: %d notifications, log at %zu characters\n", i + 1, length);
  }
  if (nearEmpty.size() < kSamples || nearOneMegabyte.size() < kSamples)
    std::fprintf(stderr, "bench: the log did not reach 1 MB\n");
  return {Mean(nearEmpty), Mean(nearOneMegabyte), LogLength(form)};
}

// The baseline keeps the log by reading and re-assigning its whole text for each notification.
class WholeTextLog : public shellnotify::NotificationReceiver {
 public:
  explicit WholeTextLog(platform::TextBox& box) : box_(box) {}
  void NotificationReceipt(const WPARAM& wParam, const LPARAM& lParam) override {
    const std::string text = box_.Text() + ReceiveNotification(wParam, lParam) + "\r\n";
    box_.Text(text);
    box_.SelStart(static_cast<int>(text.size()));
  }
  void NotificationFailed(const platform::ErrorReport&) override {}

 private:
  platform::TextBox& box_;
};

double MeasureWholeText(Form1& form, const std::string& startingLog) {
  form.Text1.Text(startingLog);
  std::vector<double> samples;
  for (int i = 0; i < kBaselineSamples; ++i) samples.push_back(TimeOneNotification());
  return Mean(samples);
}

}  // namespace

int main() {
  CreateDirectoryA(kFolder, nullptr);
  CloseHandle(CreateFileA(kFile, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));

  Form1 form;
  if (!form.Load()) {
    std::fprintf(stderr, "bench: the window cannot be created (no display?)\n");
    return 1;
  }
  const Figures appending = MeasureAppending(form);

  // The same window and the same notifications, with the whole-text log as receiver.
  const std::string log = form.Text1.Text();
  const std::string oneMegabyteLog = log.substr(0, log.find("SHCNE_", kOneMegabyte));
  WholeTextLog wholeText(form.Text1);
  shellnotify::SetNotificationReceiver(&wholeText);
  const double wholeNearEmpty = MeasureWholeText(form, "Text1");
  const double wholeNearOneMegabyte = MeasureWholeText(form, oneMegabyteLog);
  shellnotify::SetNotificationReceiver(&form);
  form.Unload();

  std::printf("%d real notifications; the log ended at %zu characters\n", kNotifications,
              appending.finalLength);
  std::printf("mean cost of one notification, in milliseconds:\n");
  std::printf("  %-34s %10s %10s %8s\n", "", "near empty", "near 1 MB", "ratio");
  std::printf("  %-34s %10.3f %10.3f %7.2fx\n", "appending at the end (discpilot)",
              appending.nearEmpty, appending.nearOneMegabyte,
              appending.nearOneMegabyte / appending.nearEmpty);
  std::printf("  %-34s %10.3f %10.3f %7.2fx\n", "re-assigning the whole text", wholeNearEmpty,
              wholeNearOneMegabyte, wholeNearOneMegabyte / wholeNearEmpty);
  const double growth = appending.nearOneMegabyte / appending.nearEmpty;
  const double saving = wholeNearOneMegabyte / appending.nearOneMegabyte;
  std::printf("at 1 MB, appending costs 1/%.0f of re-assigning the whole text\n", saving);
  std::printf(
      "targets: at 1 MB within 1.5x of near empty: %s (%.2fx); "
      "at least 20x below the whole-text log at 1 MB: %s (%.0fx)\n",
      growth <= 1.5 ? "met" : "NOT met", growth, saving >= 20 ? "met" : "NOT met", saving);
  DeleteFileA(kFile);
  RemoveDirectoryA(kFolder);
  return 0;
}
