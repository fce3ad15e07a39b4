#pragma once
// Reading and acting on one reply of each kind: the counts, a page of monitoring records, a
// page of ward-round records, an erase confirmation. Each call is one attempt; the caller
// retries.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "data/download_state.h"
#include "data/patient_store.h"
#include "device/device_channel.h"

namespace wd {

enum class ReplyStatus {
  Ok,
  NoReply,     // the bytes did not arrive before the deadline
  LinkError,   // the port failed
  BadHeader,   // not 55 AA 00, or the wrong echo on a short reply
  Refused,     // index FF FC
  WrongIndex,  // another index than requested
  BadChecksum,
  BadLength,  // a short reply whose length word is not 30
};

std::string_view Describe(ReplyStatus status);

enum class ClearTarget { Monitoring, WardRound };

// The records of one accepted data reply as the monitor sent them, in order: a view into the
// reply's bytes, valid only during the call it is handed to. Costs nothing to make.
class AcceptedRecords {
 public:
  AcceptedRecords() = default;
  // `payload`: a monitoring reply's id and records, or a ward-round reply's entries. `count`
  // records were taken (never past the total), `stored` of them kept by the store.
  AcceptedRecords(RecordKind kind, std::span<const std::uint8_t> payload, std::size_t count,
                  std::size_t stored)
      : kind_(kind), payload_(payload), count_(count), stored_(stored) {}

  RecordKind kind() const { return kind_; }
  std::size_t size() const { return count_; }
  bool empty() const { return count_ == 0; }
  // The others repeated a minute their person already had.
  std::size_t stored() const { return stored_; }
  // A monitoring reply names one person for all its records.
  PatientId IdAt(std::size_t i) const {
    return PatientId::FromBytes(payload_.subspan(IdOffset(i)).first<kPatientIdSize>());
  }
  WireRecord RecordAt(std::size_t i) const {
    return WireRecord::FromBytes(
        payload_.subspan(IdOffset(i) + RecordOffset(i)).first<WireRecord::kSize>());
  }

 private:
  static constexpr std::size_t kEntrySize = kPatientIdSize + WireRecord::kSize;
  std::size_t IdOffset(std::size_t i) const {
    return kind_ == RecordKind::Monitoring ? 0 : i * kEntrySize;
  }
  std::size_t RecordOffset(std::size_t i) const {
    return kind_ == RecordKind::Monitoring ? kPatientIdSize + i * WireRecord::kSize
                                           : kPatientIdSize;
  }

  RecordKind kind_ = RecordKind::Monitoring;
  std::span<const std::uint8_t> payload_;
  std::size_t count_ = 0;
  std::size_t stored_ = 0;
};

// Stores both totals once checksum and header are right, even when the length word is wrong
// (that attempt still fails).
ReplyStatus ReadCountReply(DeviceChannel& channel, DownloadState& state);

// Adds the reply's records of one person (kind monitoring) and advances the monitoring count
// per record, duplicates included, never past the total. With Ok, `accepted` (when given)
// shows the records taken; the store's lock is released by then.
ReplyStatus ReadMonitoringReply(DeviceChannel& channel, DownloadState& state, PatientStore& store,
                                std::uint16_t index, AcceptedRecords* accepted = nullptr);

// Adds the reply's id-and-record entries (kind ward-round) and advances the ward-round count.
ReplyStatus ReadWardRoundReply(DeviceChannel& channel, DownloadState& state, PatientStore& store,
                               std::uint16_t index, AcceptedRecords* accepted = nullptr);

ReplyStatus ReadClearReply(DeviceChannel& channel, ClearTarget target);

}  // namespace wd
