#pragma once
// Erasing the monitor's stores: a short transaction the window program runs on its own thread
// with the port it has just opened.

#include <vector>

#include "device/byte_link.h"
#include "device/clock.h"
#include "device/device_channel.h"
#include "device/device_message.h"

namespace wd {

struct ClearSelection {
  bool monitoring = true;
  bool wardRound = true;
};

struct ClearOutcome {
  bool monitoringOk = true;
  bool wardRoundOk = true;
  // What the user is shown, in order: possibly a communication error, then the verdict (or
  // only the request to select something).
  std::vector<DeviceMessage> messages;

  bool Succeeded() const {
    return monitoringOk && wardRoundOk && !messages.empty() &&
           messages.back() == DeviceMessage::ClearSucceeded;
  }
};

// Erases the selected stores, monitoring first, each request tried up to three times. A store
// that cannot be erased ends the transaction. Closes the link in every case. Records already
// downloaded into a PatientStore are not touched.
ClearOutcome ClearDeviceData(ByteLink& link, Clock& clock, ClearSelection selection,
                             ReceiveTiming timing = {});

}  // namespace wd
