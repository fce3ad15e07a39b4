#pragma once
// The byte stream the protocol runs over: a serial port on Windows or Linux, or a scripted
// peer in tests. All calls are synchronous and made from one thread at a time.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace wd {

class ByteLink {
 public:
  virtual ~ByteLink() = default;

  // Writes all bytes or fails; a write is bounded in time by the link.
  virtual bool Write(std::span<const std::uint8_t> bytes) = 0;
  // Bytes received and not yet read; nullopt when the link is broken.
  virtual std::optional<std::size_t> BytesWaiting() = 0;
  // Reads exactly out.size() bytes, which the caller has seen waiting; false on any shortfall.
  virtual bool Read(std::span<std::uint8_t> out) = 0;
  // Drops whatever waits in either direction.
  virtual bool Purge() = 0;
  // Releases the port; every later call fails. Idempotent.
  virtual void Close() = 0;
};

}  // namespace wd
