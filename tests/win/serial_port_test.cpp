// The Win32 serial port under Wine: the registry lookup's rules on a scratch key, and whole
// transactions through the real table against monitor-sim on COM7 (see run_with_sim.sh).

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/acquisition.h"
#include "device/clear_device.h"
#include "device/win32/serial_port_win32.h"
#include "tests/unit/device_test_support.h"
#include "tests/unit/monitor_test_support.h"
#include "tools/monitor-sim/data_generator.h"

namespace wd {
namespace {

// What run_with_sim.sh starts the simulator with.
const sim::GeneratorOptions kSimulatedData{2, 300, 30, 5};

// Values written into a registry key, removed again at the end of the test.
class RegistryValues {
 public:
  RegistryValues(HKEY root, const wchar_t* path, DWORD options) {
    EXPECT_EQ(
        RegCreateKeyExW(root, path, 0, nullptr, options, KEY_ALL_ACCESS, nullptr, &key_, nullptr),
        ERROR_SUCCESS);
  }
  ~RegistryValues() {
    for (const std::wstring& name : names_) RegDeleteValueW(key_, name.c_str());
    RegCloseKey(key_);
  }
  // `terminated` false stores the text without its closing zero, as a careless driver might.
  void Set(const std::wstring& name, const std::wstring& data, bool terminated = true) {
    const DWORD bytes = static_cast<DWORD>((data.size() + (terminated ? 1 : 0)) * sizeof(wchar_t));
    ASSERT_EQ(RegSetValueExW(key_, name.c_str(), 0, REG_SZ,
                             reinterpret_cast<const BYTE*>(data.c_str()), bytes),
              ERROR_SUCCESS);
    names_.push_back(name);
  }
  // The value names in the order the registry enumerates them.
  std::vector<std::wstring> Enumerated() const {
    std::vector<std::wstring> names;
    for (DWORD i = 0;; ++i) {
      wchar_t name[512];
      DWORD chars = 512;
      if (RegEnumValueW(key_, i, name, &chars, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        break;
      names.emplace_back(name, chars);
    }
    return names;
  }

 private:
  HKEY key_ = nullptr;
  std::vector<std::wstring> names_;
};

constexpr const wchar_t* kScratchPath = L"Software\\wardDesk tests\\SERIALCOMM";

struct Scratch : RegistryValues {
  Scratch() : RegistryValues(HKEY_CURRENT_USER, kScratchPath, REG_OPTION_NON_VOLATILE) {}
  bool Find(int& port) { return FindSerialPortIn(HKEY_CURRENT_USER, kScratchPath, port); }
};

// The system's table: volatile, like the whole HARDWARE branch.
struct SystemTable : RegistryValues {
  SystemTable()
      : RegistryValues(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM",
                       REG_OPTION_VOLATILE) {}
};

TEST(FindSerialPort, TheVirtualComPortIsFoundAmongOtherSerialDevices) {
  Scratch table;
  table.Set(L"\\Device\\Serial0", L"COM1");
  table.Set(L"\\Device\\VCP0", L"COM7");
  int port = -1;
  ASSERT_TRUE(table.Find(port));
  EXPECT_EQ(port, 7);
}

TEST(FindSerialPort, TheFirstEnumeratedOfTwoMonitorsWins) {
  Scratch table;
  table.Set(L"\\Device\\VCP1", L"COM8");
  table.Set(L"\\Device\\VCP0", L"COM7");
  const std::vector<std::wstring> order = table.Enumerated();
  ASSERT_EQ(order.size(), 2u);
  int port = -1;
  ASSERT_TRUE(table.Find(port));
  EXPECT_EQ(port, order.front() == L"\\Device\\VCP0" ? 7 : 8);
}

TEST(FindSerialPort, NamesAreMatchedCaseSensitively) {
  Scratch table;
  table.Set(L"\\device\\vcp0", L"COM7");
  int port = -1;
  EXPECT_FALSE(table.Find(port));
}

TEST(FindSerialPort, AnUnreadableValueBeforeTheMonitorEndsTheLookup) {
  {
    Scratch table;
    table.Set(L"\\Device\\A" + std::wstring(120, L'x'), L"COM3");  // name over 100 characters
    table.Set(L"\\Device\\VCP0", L"COM7");
    int port = -1;
    EXPECT_FALSE(table.Find(port));
  }
  {
    Scratch table;
    table.Set(L"\\Device\\A1", L"COM" + std::wstring(60, L'4'));  // data over 100 bytes
    table.Set(L"\\Device\\VCP0", L"COM7");
    int port = -1;
    EXPECT_FALSE(table.Find(port));
  }
}

TEST(FindSerialPort, PortNamesWithoutNumberOrTerminator) {
  {
    Scratch table;
    table.Set(L"\\Device\\VCP0", L"COM");
    int port = -1;
    ASSERT_TRUE(table.Find(port));
    EXPECT_EQ(port, 0);
    const SerialPortOpen opened = OpenSerialPortNumber(port);
    EXPECT_FALSE(opened.link);
    EXPECT_EQ(opened.message, DeviceMessage::OpenPortFailed);
  }
  {
    Scratch table;
    table.Set(L"\\Device\\VCP0", L"COM9", false);
    int port = -1;
    ASSERT_TRUE(table.Find(port));
    EXPECT_EQ(port, 9);
  }
  int port = -1;
  EXPECT_FALSE(FindSerialPortIn(HKEY_CURRENT_USER, L"Software\\wardDesk tests\\missing", port));
}

// One download through the Win32 port, as the window program's thread would run it.
int DownloadThrough(ByteLink& link, PatientStore& store, test::RecordingEvents& events) {
  DownloadState state;
  SteadyClock clock;
  state.PrepareStart(true, true);
  state.portOpen = true;
  return RunAcquisition(state, store, link, clock, events);
}

TEST(Win32SerialPort, DownloadAndEraseThroughTheMonitorsPort) {
  SystemTable table;
  table.Set(L"\\Device\\VCP0", L"COM7");
  int port = -1;
  ASSERT_TRUE(FindSerialPort(port));
  ASSERT_EQ(port, 7);

  {
    SerialPortOpen opened = OpenSerialPort();
    ASSERT_TRUE(opened.link) << "COM7 did not open";

    PatientStore store;
    test::RecordingEvents events;
    ASSERT_EQ(DownloadThrough(*opened.link, store, events), 1);
    EXPECT_TRUE(events.messages.empty());
    PatientStore expected;
    test::FillExpected(sim::GenerateDataSet(kSimulatedData), true, true, expected);
    test::ExpectSameRecords(expected, store);
  }
  {
    SerialPortOpen opened = OpenSerialPort();
    ASSERT_TRUE(opened.link);
    SteadyClock clock;
    const ClearOutcome outcome = ClearDeviceData(*opened.link, clock, {true, true});
    EXPECT_EQ(outcome.messages, std::vector{DeviceMessage::ClearSucceeded});
  }
  {
    SerialPortOpen opened = OpenSerialPort();
    ASSERT_TRUE(opened.link);
    PatientStore store;
    test::RecordingEvents events;
    EXPECT_EQ(DownloadThrough(*opened.link, store, events), 0);
    EXPECT_EQ(events.messages, std::vector{DeviceMessage::NoData});
  }
}

TEST(Win32SerialPort, OpeningReportsAMissingOrUnopenablePort) {
  {
    SystemTable table;
    table.Set(L"\\Device\\VCP0", L"COM");
    const SerialPortOpen opened = OpenSerialPort();
    EXPECT_FALSE(opened.link);
    EXPECT_EQ(opened.message, DeviceMessage::OpenPortFailed);
  }
  int port = -1;
  if (!FindSerialPort(port)) {  // no other monitor in this prefix's table
    const SerialPortOpen opened = OpenSerialPort();
    EXPECT_FALSE(opened.link);
    EXPECT_EQ(opened.message, DeviceMessage::NoDeviceAtAll);
  }
}

}  // namespace
}  // namespace wd
