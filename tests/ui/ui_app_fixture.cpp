#include "tests/ui/ui_app_fixture.h"

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

#include "framework/exception_report.h"
#include "framework/message_loop.h"
#include "tests/ui_support/message_pump.h"
#include "tests/ui_support/window_capture.h"

namespace wd::uitest {
namespace {

constexpr const wchar_t* kLanguageKey = L"SOFTWARE\\pulsora pro\\setup";

std::filesystem::path FreshFolder() {
  static std::atomic<int> serial{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  auto folder = std::filesystem::temp_directory_path() /
                (L"wd-ui-" + std::to_wstring(stamp) + L"-" + std::to_wstring(serial++));
  std::filesystem::create_directories(folder);
  return folder;
}

// A WM_QUIT left by a closed frame would end the next test's waits.
void DropQuitMessages() {
  MSG message{};
  while (::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

}  // namespace

std::filesystem::path TestProgramFolder() {
  std::vector<wchar_t> buffer(32768);
  const DWORD length =
      ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  return std::filesystem::path(std::wstring(buffer.data(), length)).parent_path();
}

std::filesystem::path ScreensFolder(const std::wstring& subfolder) {
  auto folder = TestProgramFolder().parent_path() / L"screens" / subfolder;
  std::filesystem::create_directories(folder);
  return folder;
}

void UiAppTest::SetLanguageValue(bool keyExists, std::optional<DWORD> value) {
  ::RegDeleteKeyW(HKEY_CURRENT_USER, kLanguageKey);
  if (!keyExists) return;
  HKEY key = nullptr;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, kLanguageKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) != ERROR_SUCCESS) {
    return;
  }
  if (value) {
    ::RegSetValueExW(key, L"Language", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&*value),
                     sizeof(DWORD));
  }
  ::RegCloseKey(key);
}

void UiAppTest::SetArchiveFolderValue(const std::optional<std::wstring>& folder) {
  HKEY key = nullptr;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, kLanguageKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) != ERROR_SUCCESS) {
    return;
  }
  if (folder) {
    ::RegSetValueExW(key, L"ArchiveFolder", 0, REG_SZ,
                     reinterpret_cast<const BYTE*>(folder->c_str()),
                     static_cast<DWORD>((folder->size() + 1) * sizeof(wchar_t)));
  } else {
    ::RegDeleteValueW(key, L"ArchiveFolder");
  }
  ::RegCloseKey(key);
}

std::optional<DWORD> UiAppTest::LanguageValue() {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, kLanguageKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
    return std::nullopt;
  DWORD value = 0;
  DWORD size = sizeof value;
  const LONG status = ::RegQueryValueExW(key, L"Language", nullptr, nullptr,
                                         reinterpret_cast<BYTE*>(&value), &size);
  ::RegCloseKey(key);
  if (status != ERROR_SUCCESS) return std::nullopt;
  return value;
}

void UiAppTest::StartApp(const AppOptions& options) {
  // A second start in one test ends the first program before the next one exists.
  CloseApp();
  app_.reset();
  DropQuitMessages();
  // An exception stopped at a boundary (window procedure, download thread) fails the test.
  fw::SetExceptionSink([this](const std::string& where, const std::string& what) {
    const std::lock_guard lock(exceptionsMutex_);
    exceptions_.push_back(where + ": " + what);
  });
  folder_ = FreshFolder();
  if (options.englishLibrary) {
    std::filesystem::copy_file(TestProgramFolder() / L"rc_en.dll", folder_ / L"rc_en.dll");
  }
  SetLanguageValue(options.languageKey, options.language);
  if (options.languageKey) SetArchiveFolderValue(options.archiveFolder);
  boxes_ = std::make_unique<ui_support::MessageBoxWatcher>();
  app_ = std::make_unique<CwardDeskApp>(folder_);
  if (!app_->InitInstance()) {
    // Thrown, not asserted: the test's body would go on to use the frame that is not there.
    app_.reset();
    throw std::runtime_error("the main frame could not be created (is there a display?)");
  }
  auto chooser = std::make_unique<ScriptedFileChooser>();
  files_ = chooser.get();
  Frame().SetFileChooser(std::move(chooser));
  Pump(100);
}

bool UiAppTest::CloseApp() {
  if (!app_ || app_->MainFrame() == nullptr || Frame().hwnd() == nullptr) return true;
  Frame().CloseMainWindow();
  const bool closed = WaitFor([&] { return Frame().hwnd() == nullptr; }, 5000);
  DropQuitMessages();
  return closed;
}

void UiAppTest::TearDown() {
  CloseApp();
  fw::SetExceptionSink({});
  {
    const std::lock_guard lock(exceptionsMutex_);
    for (const std::string& report : exceptions_)
      ADD_FAILURE() << "exception stopped at " << report;
    exceptions_.clear();
  }
  app_.reset();
  monitor_.reset();
  boxes_.reset();
  DropQuitMessages();
  std::error_code ignored;
  if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
}

void UiAppTest::Command(UINT id) {
  ::SendMessageW(FrameWindow(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

bool UiAppTest::WaitFor(const std::function<bool()>& done, DWORD timeoutMs) {
  return ui_support::PumpUntil(done, timeoutMs);
}

void UiAppTest::Pump(DWORD milliseconds) { ui_support::PumpMessagesFor(milliseconds); }

SimulatedMonitor& UiAppTest::StartMonitor(const std::wstring& arguments) {
  monitor_.reset();
  monitor_ = std::make_unique<SimulatedMonitor>(arguments);
  EXPECT_TRUE(monitor_->running())
      << std::string(monitor_->error().begin(), monitor_->error().end());
  if (app_) WaitFor([&] { return Frame().DevicePresent(); }, 3000);
  return *monitor_;
}

void UiAppTest::StopMonitor() { monitor_.reset(); }

bool UiAppTest::WithModalDialog(const std::function<void()>& open, const std::wstring& caption,
                                const std::function<void(HWND)>& inspect, int closeWith) {
  std::atomic<bool> done{false};
  std::atomic<bool> found{false};
  // The modal loop runs inside `open` on this thread; the dialog is handled from outside.
  std::thread helper([&] {
    for (int i = 0; i < 500 && !found; ++i) {
      HWND dialog = ::FindWindowW(L"#32770", caption.c_str());
      if (dialog != nullptr && ::IsWindowVisible(dialog)) {
        found = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));  // painted
        inspect(dialog);
        ::PostMessageW(dialog, WM_COMMAND, static_cast<WPARAM>(closeWith), 0);
      } else {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
      }
    }
    done = true;
  });
  open();
  WaitFor([&] { return done.load(); }, 10000);
  helper.join();
  return found;
}

HWND UiAppTest::ViewWindow() {
  fw::Window* view = Frame().CurrentViewWindow();
  return view != nullptr ? view->hwnd() : nullptr;
}

HWND UiAppTest::ViewControl(int id) { return ::GetDlgItem(ViewWindow(), id); }

std::wstring UiAppTest::ControlText(HWND control) {
  std::vector<wchar_t> text(static_cast<std::size_t>(::GetWindowTextLengthW(control)) + 1);
  ::GetWindowTextW(control, text.data(), static_cast<int>(text.size()));
  return text.data();
}

std::wstring UiAppTest::Screenshot(const std::wstring& name, const std::wstring& subfolder) {
  ::RedrawWindow(FrameWindow(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Pump(50);
  const std::wstring path = (ScreensFolder(subfolder) / (name + L".png")).wstring();
  EXPECT_TRUE(ui_support::CaptureWindowToPng(FrameWindow(), path, true))
      << "screenshot " << std::string(name.begin(), name.end());
  return path;
}

}  // namespace wd::uitest
