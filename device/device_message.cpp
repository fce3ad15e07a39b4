#include "device/device_message.h"

namespace wd {

int MessageStringId(DeviceMessage message) {
  switch (message) {
    case DeviceMessage::CommunicationError: return 390;
    case DeviceMessage::NoData: return 183;
    case DeviceMessage::NoDevice: return 154;
    case DeviceMessage::ClearSucceeded: return 179;
    case DeviceMessage::ClearFailed: return 180;
    case DeviceMessage::SelectDataToClear: return 389;
    case DeviceMessage::FailedToCommunicate:
    case DeviceMessage::NoDeviceAtAll:
    case DeviceMessage::OpenPortFailed: return 0;
  }
  return 0;
}

namespace {

std::string_view EnglishText(DeviceMessage message) {
  switch (message) {
    case DeviceMessage::CommunicationError: return "Communication error!";
    case DeviceMessage::NoData: return "No data!";
    case DeviceMessage::NoDevice: return "No device found: cannot get data!";
    case DeviceMessage::ClearSucceeded: return "Data erased.";
    case DeviceMessage::ClearFailed: return "Erase failed!";
    case DeviceMessage::SelectDataToClear: return "Select the data to erase!";
    case DeviceMessage::FailedToCommunicate:
    case DeviceMessage::NoDeviceAtAll:
    case DeviceMessage::OpenPortFailed: break;  // literal in every language
  }
  return {};
}

}  // namespace

std::string PortBusyText(std::string_view port) {
  return std::string(port) + ": port busy: another program has it open";
}

std::string_view MessageText(DeviceMessage message, MessageLanguage language) {
  if (language == MessageLanguage::English) {
    if (const std::string_view text = EnglishText(message); !text.empty()) return text;
  }
  switch (message) {
    case DeviceMessage::CommunicationError: return "通讯错误!";
    case DeviceMessage::NoData: return "没有数据!";
    case DeviceMessage::FailedToCommunicate: return "Failed to communicate!";
    case DeviceMessage::NoDevice: return "没有设备,无法获取数据!";
    case DeviceMessage::ClearSucceeded: return "成功删除";
    case DeviceMessage::ClearFailed: return "删除失败";
    case DeviceMessage::SelectDataToClear: return "请选择要删除的数据!";
    case DeviceMessage::NoDeviceAtAll: return "No device at all!";
    case DeviceMessage::OpenPortFailed: return "Failed to open serial port!";
  }
  return {};
}

}  // namespace wd
