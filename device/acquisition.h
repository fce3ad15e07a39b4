#pragma once
// A whole download: the counts, then monitoring and ward-round records page by page, each
// request tried up to three times. Free of threads and windows: the window program runs it on
// its own thread and turns the events into posted messages; wardcli and the tests call it
// directly.

#include <cstdint>

#include "data/download_state.h"
#include "data/patient_store.h"
#include "device/byte_link.h"
#include "device/clock.h"
#include "device/device_channel.h"
#include "device/device_message.h"
#include "device/frames.h"
#include "device/replies.h"

namespace wd {

// The values are the progress message's first parameter.
enum class ProgressPhase : int {
  Started = 0,     // value 0
  Counted = 10,    // value 0; the totals in DownloadState are final
  Receiving = 20,  // value: percent done, 10..100
  Finished = 100,  // value: 1 when every wanted record arrived, else 0
};

struct FailedAttempt {
  Command command;
  std::uint16_t index;
  int attempt;  // 1..kAttemptsPerRequest
  ReplyStatus status;
};

inline constexpr int kAttemptsPerRequest = 3;

// Called on the thread that runs the download.
class DownloadEvents {
 public:
  virtual ~DownloadEvents() = default;
  virtual void OnProgress(ProgressPhase phase, int value) = 0;
  // Something the user must see. The engine reports it whether or not a stop was asked in the
  // meantime; a window program shows nothing once DownloadState::stopRequested is set, since
  // the user is closing or has stopped the download.
  virtual void OnMessage(DeviceMessage message) = 0;
  // One attempt that was rejected and will be retried or end the download. For diagnostics.
  virtual void OnAttemptFailed(const FailedAttempt& /*attempt*/) {}
  // An exception ended the download at the thread's boundary (AcquisitionThread); what it said.
  // Comes before the CommunicationError message and the Finished event.
  virtual void OnUnexpectedError(const char* /*what*/) {}
  // A data reply was accepted and the store has taken its records (the store's lock is free
  // again): the records as the monitor sent them, duplicates included. Before the next
  // request goes out, and before the Receiving progress of this reply.
  virtual void OnRecordsAccepted(const AcceptedRecords& /*records*/) {}
};

// Runs the download the state's selection asks for into `store`. The caller has set the
// selection (DownloadState::PrepareStart), opened the link and set portOpen. Every end posts
// Finished with the result, closes the link and clears portOpen; clearing threadRunning is left
// to whoever started the thread. The stop flag is looked at before every request and attempt.
// Returns the result: 1 complete, 0 otherwise. An exception from the link, the store or an
// events callback passes through, after the link is closed and portOpen cleared; records stored
// before it stay.
int RunAcquisition(DownloadState& state, PatientStore& store, ByteLink& link, Clock& clock,
                   DownloadEvents& events, ReceiveTiming timing = {});

// Everything one download thread needs, bundled for a thread start routine.
struct AcquisitionJob {
  DownloadState& state;
  PatientStore& store;
  ByteLink& link;
  Clock& clock;
  DownloadEvents& events;
  ReceiveTiming timing{};
};

// The download thread's body and its exception boundary: an exception (std::bad_alloc while the
// store grows, a failing port driver) ends the download as a communication error, reported
// through the events with Finished 0, after the port was released. Returns 0 as a thread
// procedure does; the result travels with the Finished event.
int AcquisitionThread(AcquisitionJob& job) noexcept;

}  // namespace wd
