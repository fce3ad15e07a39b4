#pragma once
// Reading and acting on one reply of each kind: the counts, a page of monitoring records, a
// page of ward-round records, an erase confirmation. Each call is one attempt; the caller
// retries.

#include <cstdint>
#include <string_view>
#include <vector>

#include "data/download_state.h"
#include "data/patient_store.h"
#include "device/device_channel.h"

namespace wd {

enum class ReplyStatus {
  Ok,
  NoReply,      // the bytes did not arrive before the deadline
  LinkError,    // the port failed
  BadHeader,    // not 55 AA 00, or the wrong echo on a short reply
  Refused,      // index FF FC
  WrongIndex,   // another index than requested
  BadChecksum,
  BadLength,    // a short reply whose length word is not 30
};

std::string_view Describe(ReplyStatus status);

enum class ClearTarget { Monitoring, WardRound };

// Stores both totals once checksum and header are right, even when the length word is wrong
// (that attempt still fails).
ReplyStatus ReadCountReply(DeviceChannel& channel, DownloadState& state);

// Adds the reply's records of one person (kind monitoring) and advances the monitoring count
// per record, duplicates included, never past the total.
ReplyStatus ReadMonitoringReply(DeviceChannel& channel, DownloadState& state, PatientStore& store,
                                std::uint16_t index);

// Adds the reply's id-and-record entries (kind ward-round) and advances the ward-round count.
ReplyStatus ReadWardRoundReply(DeviceChannel& channel, DownloadState& state, PatientStore& store,
                               std::uint16_t index);

ReplyStatus ReadClearReply(DeviceChannel& channel, ClearTarget target);

}  // namespace wd
