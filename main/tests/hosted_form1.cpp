#include "main/tests/hosted_form1.h"

#include "platform/app.h"
#include "platform/run_time_error.h"
#include "platform/win32.h"
#include "registry/raised_error.h"
#include "tests/support/window_search.h"

namespace discpilot_test {
namespace {

// What discpilot sets up when it starts: its title, and the registry's errors made known to the
// error report.
class AsDiscpilotStarts : public testing::Environment {
 public:
  void SetUp() override {
    platform::SetAppTitle(kCaption);
    platform::ReportErrorsOfType<RaisedError>();
  }
};
[[maybe_unused]] testing::Environment* const kAsDiscpilotStarts =
    testing::AddGlobalTestEnvironment(new AsDiscpilotStarts);

HWND recordedBox = nullptr;
std::vector<std::string> logsAtWrite;

LSTATUS WINAPI RecordingSetValue(HKEY key, LPCSTR name, DWORD reserved, DWORD type,
                                 const BYTE* data, DWORD size) {
  logsAtWrite.push_back(test_support::WindowText(recordedBox));
  return platform::advapi32().RegSetValueExA.Real()(key, name, reserved, type, data, size);
}

BOOL WINAPI RefusingSetProp(HWND, LPCSTR, HANDLE) { return FALSE; }

}  // namespace

SavedGameDrive::SavedGameDrive()
    : parentExisted_(KeyExists(kGameParentKeyPath)),
      keyExisted_(KeyExists(kGameKeyPath)),
      value_(ReadGameValue(kDriveValueName)) {}

SavedGameDrive::~SavedGameDrive() {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kGameKeyPath, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
    RegDeleteValueA(key, kDriveValueName);
    RegCloseKey(key);
  }
  if (!keyExisted_) RegDeleteKeyA(HKEY_LOCAL_MACHINE, kGameKeyPath);
  if (!parentExisted_) RegDeleteKeyA(HKEY_LOCAL_MACHINE, kGameParentKeyPath);
  if (value_) WriteGameValue(kDriveValueName, value_->type, value_->data);
}

std::optional<std::string> GameDrive() {
  const auto value = ReadGameValue(kDriveValueName);
  if (!value) return std::nullopt;
  return value->data;
}

BoxRecorder::BoxRecorder()
    : previous_(platform::SetMessageBoxHook(
          [this](HWND, const std::string& text, const std::string& title, UINT) {
            boxes.push_back(title + ": " + text);
            return IDOK;
          })) {}

BoxRecorder::~BoxRecorder() { platform::SetMessageBoxHook(previous_); }

LogAtEachWrite::LogAtEachWrite(HWND box) {
  recordedBox = box;
  logsAtWrite.clear();
  platform::advapi32().RegSetValueExA.Replace(&RecordingSetValue);
}

LogAtEachWrite::~LogAtEachWrite() { platform::advapi32().RegSetValueExA.Restore(); }

const std::vector<std::string>& LogAtEachWrite::Logs() const { return logsAtWrite; }

bool LoadWithSubclassingRefused(Form1& form) {
  platform::user32().SetPropA.Replace(&RefusingSetProp);
  const bool loaded = form.Load();
  platform::user32().SetPropA.Restore();
  return loaded;
}

void DropQuitRequest() {
  MSG quit;
  while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

void HostedForm1::SetUp() {
  form = std::make_unique<Form1>(LogCapacity());
  ASSERT_TRUE(form->Load());
  WriteGameValue(kDriveValueName, REG_SZ, kUntouchedDrive);
}

void HostedForm1::TearDown() {
  if (form->IsLoaded()) SendMessageA(form->hWnd(), WM_CLOSE, 0, 0);
  form.reset();
  DropQuitRequest();
  EXPECT_EQ(boxes.boxes, std::vector<std::string>{});
}

std::string HostedForm1::Log() const { return test_support::WindowText(form->Text1.hWnd()); }

void HostedForm1::ExpectCaretAtTheEnd() const {
  DWORD start = 0, end = 0;
  SendMessageA(form->Text1.hWnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  const auto length = static_cast<DWORD>(GetWindowTextLengthA(form->Text1.hWnd()));
  EXPECT_EQ(start, length);
  EXPECT_EQ(end, length);
}

}  // namespace discpilot_test
