#include <gtest/gtest.h>

#include <fstream>
#include <iomanip>
#include <map>
#include <sstream>
#include <string>

#include "device/device_message.h"
#include "device/frames.h"
#include "device/port_name.h"

namespace wd {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Of(const CommandPacket& packet) { return Bytes(packet.bytes.begin(), packet.bytes.end()); }

TEST(CommandPacket, EveryRequestHasItsExactBytes) {
  EXPECT_EQ(Of(CommandPacket::Make(Command::Count, 0)),
            (Bytes{0x55, 0xAA, 0xEE, 0x00, 0x00, 0xEE}));
  EXPECT_EQ(Of(CommandPacket::Make(Command::Monitoring, 256)),
            (Bytes{0x55, 0xAA, 0xEB, 0x01, 0x00, 0xEC}));
  EXPECT_EQ(Of(CommandPacket::Make(Command::WardRound, 0x1234)),
            (Bytes{0x55, 0xAA, 0xEA, 0x12, 0x34, 0x30}));
  EXPECT_EQ(Of(CommandPacket::Make(Command::Clear, kMonitoringStoreEcho)),
            (Bytes{0x55, 0xAA, 0xE4, 0xFF, 0xFF, 0xE2}));
  EXPECT_EQ(Of(CommandPacket::Make(Command::Clear, kWardRoundStoreEcho)),
            (Bytes{0x55, 0xAA, 0xE4, 0x00, 0x00, 0xE4}));
  // Counts wider than 16 bits send only their low bits.
  EXPECT_EQ(WireIndex(65536 + 7), 7);
}

TEST(CommandPacket, ParseAcceptsOnlyWholeValidRequests) {
  const Bytes good{0x55, 0xAA, 0xEB, 0x01, 0x00, 0xEC};
  const auto parsed = CommandPacket::Parse(std::span<const std::uint8_t, 6>(good.data(), 6));
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->code(), 0xEB);
  EXPECT_EQ(parsed->index(), 256);
  for (std::size_t at : {0u, 1u, 5u}) {
    Bytes bad = good;
    ++bad[at];
    EXPECT_FALSE(CommandPacket::Parse(std::span<const std::uint8_t, 6>(bad.data(), 6))) << at;
  }
}

// A count reply written out by hand: ward-round total 0x00000102, monitoring total 0x00010000.
short_reply::Bytes HandMadeCountReply() {
  short_reply::Bytes reply{0x55, 0xAA, 0x00, 0xFF, 0xFF, 0x00, 0x1E, 0x00,
                           0x00, 0x01, 0x02, 0x00, 0x01, 0x00, 0x00};
  // 0xFF + 0xFF + 0x1E + 0x01 + 0x02 + 0x01 = 0x220
  reply[37] = 0x20;
  return reply;
}

TEST(ShortReply, TotalsAreBigEndianAndEveryCheckHasItsOwnVerdict) {
  short_reply::Bytes reply = HandMadeCountReply();
  EXPECT_EQ(short_reply::Verify(reply, kMonitoringStoreEcho), short_reply::Check::Ok);
  EXPECT_EQ(short_reply::WardRoundTotal(reply), 0x102u);
  EXPECT_EQ(short_reply::MonitoringTotal(reply), 0x10000u);
  EXPECT_EQ(short_reply::Build(0xFFFF, 0x102, 0x10000), reply);

  // The checksum covers bytes 2..36 only: the sync bytes are checked on their own.
  short_reply::Bytes badSync = reply;
  badSync[0] = 0x54;
  EXPECT_EQ(short_reply::Verify(badSync, kMonitoringStoreEcho), short_reply::Check::BadHeader);

  short_reply::Bytes badSum = reply;
  ++badSum[37];
  EXPECT_EQ(short_reply::Verify(badSum, kMonitoringStoreEcho), short_reply::Check::BadChecksum);

  // Echo 00 00 is the ward-round erase's, not the count's.
  EXPECT_EQ(short_reply::Verify(reply, kWardRoundStoreEcho), short_reply::Check::BadHeader);

  short_reply::Bytes longer = reply;
  longer[6] = 0x1F;
  ++longer[37];
  EXPECT_EQ(short_reply::Verify(longer, kMonitoringStoreEcho), short_reply::Check::BadLength);
}

TEST(DataReply, HeaderVerdictsAndChecksumSpan) {
  data_reply::Header header;
  data_reply::HeaderBytes raw{0x55, 0xAA, 0x00, 0x01, 0x00, 0x00, 0x02};
  EXPECT_EQ(data_reply::VerifyHeader(raw, 256, header), data_reply::HeaderCheck::Ok);
  EXPECT_EQ(header.length, 2);
  EXPECT_EQ(data_reply::VerifyHeader(raw, 255, header), data_reply::HeaderCheck::WrongIndex);
  raw[3] = 0xFF;
  raw[4] = 0xFC;
  EXPECT_EQ(data_reply::VerifyHeader(raw, 256, header), data_reply::HeaderCheck::Refused);
  raw[2] = 0x01;
  EXPECT_EQ(data_reply::VerifyHeader(raw, 256, header), data_reply::HeaderCheck::BadHeader);

  // Sum of header bytes 2..6 and the payload: 0x01 + 0x02 + 0x10 + 0x20 = 0x33.
  const Bytes frame{0x55, 0xAA, 0x00, 0x01, 0x00, 0x00, 0x02, 0x10, 0x20, 0x33};
  EXPECT_TRUE(data_reply::ChecksumMatches(frame));
  EXPECT_EQ(data_reply::Build(256, std::span(frame).subspan(7, 2)), frame);
  Bytes corrupt = frame;
  corrupt[8] = 0x21;
  EXPECT_FALSE(data_reply::ChecksumMatches(corrupt));
}

TEST(PortName, MonitorIsTheDeviceObjectNamedVcpCaseSensitively) {
  EXPECT_TRUE(IsMonitorDeviceName(L"\\Device\\VCP0"));
  EXPECT_TRUE(IsMonitorDeviceName(L"\\Device\\SiLabsVCP12"));
  EXPECT_FALSE(IsMonitorDeviceName(L"\\device\\vcp0"));
  EXPECT_FALSE(IsMonitorDeviceName(L"\\Device\\Serial0"));
  EXPECT_FALSE(IsMonitorDeviceName(L"VCP0"));
}

TEST(PortName, NumberIsReadLikeWtoiAfterThreeCharacters) {
  EXPECT_EQ(PortNumberFromPortName(L"COM7"), 7);
  EXPECT_EQ(PortNumberFromPortName(L"COM12"), 12);
  EXPECT_EQ(PortNumberFromPortName(L"COM"), 0);
  EXPECT_EQ(PortNumberFromPortName(L"CO"), 0);
  EXPECT_EQ(PortNumberFromPortName(L"COM 3x"), 3);
  EXPECT_EQ(PortNumberFromPortName(L"COM-4"), -4);
  EXPECT_EQ(PortNumberFromPortName(L"COMx9"), 0);
  EXPECT_EQ(PortNumberFromPortName(L"COM99999999999999"), 2147483647);
}

TEST(DeviceMessage, StringIdsAndTextsOfTheUserMessages) {
  EXPECT_EQ(MessageStringId(DeviceMessage::CommunicationError), 390);
  EXPECT_EQ(MessageText(DeviceMessage::CommunicationError), "通讯错误!");
  EXPECT_EQ(MessageStringId(DeviceMessage::NoData), 183);
  EXPECT_EQ(MessageStringId(DeviceMessage::NoDevice), 154);
  EXPECT_EQ(MessageText(DeviceMessage::ClearSucceeded), "成功删除");
  EXPECT_EQ(MessageText(DeviceMessage::ClearFailed), "删除失败");
  EXPECT_EQ(MessageStringId(DeviceMessage::SelectDataToClear), 389);
  EXPECT_EQ(MessageStringId(DeviceMessage::FailedToCommunicate), 0);
  EXPECT_EQ(MessageText(DeviceMessage::FailedToCommunicate), "Failed to communicate!");
  EXPECT_EQ(MessageText(DeviceMessage::NoDeviceAtAll), "No device at all!");
  EXPECT_EQ(MessageText(DeviceMessage::OpenPortFailed), "Failed to open serial port!");
}

// The numeric ids of res/resource.h and the texts of the English string table.
std::map<int, std::string> EnglishStringTable() {
  std::map<std::string, int> ids;
  std::ifstream header(std::string(WD_SOURCE_DIR) + "/res/resource.h");
  for (std::string line; std::getline(header, line);) {
    std::istringstream words(line);
    std::string define, name;
    int id = 0;
    if (words >> define >> name >> id && define == "#define") ids[name] = id;
  }
  std::map<int, std::string> texts;
  std::ifstream table(std::string(WD_SOURCE_DIR) + "/res/en/strings.rc");
  for (std::string line; std::getline(table, line);) {
    std::istringstream words(line);
    std::string name;
    std::string text;
    if (words >> name >> std::quoted(text) && ids.contains(name)) texts[ids[name]] = text;
  }
  return texts;
}

TEST(DeviceMessage, EnglishTextsAreThoseOfTheEnglishResources) {
  const std::map<int, std::string> table = EnglishStringTable();
  ASSERT_FALSE(table.empty()) << "res/resource.h and res/en/strings.rc unreadable under "
                              << WD_SOURCE_DIR;
  for (DeviceMessage message :
       {DeviceMessage::CommunicationError, DeviceMessage::NoData,
        DeviceMessage::FailedToCommunicate, DeviceMessage::NoDevice, DeviceMessage::ClearSucceeded,
        DeviceMessage::ClearFailed, DeviceMessage::SelectDataToClear, DeviceMessage::NoDeviceAtAll,
        DeviceMessage::OpenPortFailed}) {
    const std::string_view english = MessageText(message, MessageLanguage::English);
    if (const int id = MessageStringId(message); id != 0) {
      EXPECT_EQ(english, table.at(id)) << id;
      EXPECT_NE(english, MessageText(message, MessageLanguage::Chinese)) << id;
    } else {
      EXPECT_EQ(english, MessageText(message, MessageLanguage::Chinese));
    }
  }
}

}  // namespace
}  // namespace wd
