#pragma once
// The identity-card number that keys a person's records and register entry.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace wd {

inline constexpr std::size_t kPatientIdSize = 18;

// 18 single-byte characters, not terminated. Equal only when all 18 bytes are equal: no
// normalisation of case, spaces or trailing zeros.
struct PatientId {
  std::array<std::uint8_t, kPatientIdSize> bytes{};

  static PatientId FromBytes(std::span<const std::uint8_t, kPatientIdSize> raw) {
    PatientId id;
    std::copy(raw.begin(), raw.end(), id.bytes.begin());
    return id;
  }
  // Copies at most 18 characters of `text`; the rest stays zero.
  static PatientId FromText(std::string_view text) {
    PatientId id;
    for (std::size_t i = 0; i < text.size() && i < kPatientIdSize; ++i) {
      id.bytes[i] = static_cast<std::uint8_t>(text[i]);
    }
    return id;
  }

  // The id as the lists show it: the bytes up to the first zero byte.
  std::string DisplayText() const {
    std::string text;
    for (std::uint8_t byte : bytes) {
      if (byte == 0) break;
      text.push_back(static_cast<char>(byte));
    }
    return text;
  }
  // The all-zero id stands for "no patient" in the views.
  bool IsEmpty() const { return bytes[0] == 0; }

  friend bool operator==(const PatientId&, const PatientId&) = default;
};

// FNV-1a over the 18 bytes: cheap, and every byte counts, as equality demands.
struct PatientIdHash {
  std::size_t operator()(const PatientId& id) const noexcept {
    std::uint64_t hash = 1469598103934665603ull;
    for (std::uint8_t byte : id.bytes) {
      hash ^= byte;
      hash *= 1099511628211ull;
    }
    return static_cast<std::size_t>(hash);
  }
};

}  // namespace wd
