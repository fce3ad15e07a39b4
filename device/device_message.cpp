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

std::string_view MessageText(DeviceMessage message) {
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
