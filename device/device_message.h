#pragma once
// What the device link tells the user. The window program shows a message by its string-table
// id where one exists (so the English resources apply) and the literal text otherwise;
// wardcli prints the text.

#include <string>
#include <string_view>

namespace wd {

enum class DeviceMessage {
  CommunicationError,   // 390 "通讯错误!"
  NoData,               // 183 "没有数据!"
  FailedToCommunicate,  // literal, after a failed ward-round request write
  NoDevice,             // 154 "没有设备,无法获取数据!"
  ClearSucceeded,       // 179 "成功删除"
  ClearFailed,          // 180 "删除失败"
  SelectDataToClear,    // 389 "请选择要删除的数据!"
  NoDeviceAtAll,        // literal, port lookup failed while opening
  OpenPortFailed,       // literal, the port could not be opened
};

enum class MessageLanguage { Chinese, English };

// The string-table id, or 0 for the messages that are literal texts in every language.
int MessageStringId(DeviceMessage message);
// The string table's text in that language (the English one as the English resources have
// it), or the literal text; UTF-8.
std::string_view MessageText(DeviceMessage message,
                             MessageLanguage language = MessageLanguage::Chinese);

// Why a port could not be had when another program holds it, naming the port.
std::string PortBusyText(std::string_view port);

}  // namespace wd
