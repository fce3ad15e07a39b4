#pragma once
// A patient's details as the register file keeps them: one 492-byte record per person.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "data/patient_id.h"

namespace wd {

// Integers little-endian, texts UTF-16LE and zero-terminated inside their fields; every byte
// after a terminator and both gaps are zero.
struct PatientInfo {
  PatientId id;
  char16_t name[30];
  char16_t gap1;
  std::int32_t sex;  // 0 = male, 1 = female, -1 = none chosen
  std::int32_t age;
  std::uint8_t height;  // cm
  std::uint8_t weight;  // kg
  char16_t advice[200];
  char16_t gap2;

  static constexpr std::size_t kSize = 492;
  static constexpr std::size_t kMaxNameLength = 29;
  static constexpr std::size_t kMaxAdviceLength = 199;
  using Bytes = std::array<std::uint8_t, kSize>;

  // All zero: the state every record is built from.
  static PatientInfo Blank(const PatientId& id);

  std::u16string Name() const;
  std::u16string Advice() const;
  // Longer texts keep their first 29 / 199 characters.
  void SetName(std::u16string_view text);
  void SetAdvice(std::u16string_view text);

  Bytes ToBytes() const;
  static PatientInfo FromBytes(std::span<const std::uint8_t, kSize> raw);

  friend bool operator==(const PatientInfo&, const PatientInfo&) = default;
};

static_assert(sizeof(PatientInfo) == 492);
static_assert(offsetof(PatientInfo, name) == 18);
static_assert(offsetof(PatientInfo, sex) == 80);
static_assert(offsetof(PatientInfo, age) == 84);
static_assert(offsetof(PatientInfo, height) == 88);
static_assert(offsetof(PatientInfo, weight) == 89);
static_assert(offsetof(PatientInfo, advice) == 90);

// What the patient form holds, as typed.
struct PatientForm {
  PatientId id;
  std::u16string name;
  int sex = -1;
  std::u16string age;
  std::u16string height;
  std::u16string weight;
  std::u16string advice;
};

enum class FormError {
  None,
  NameEmpty,
  HeightOrWeightOutOfRange,  // the register holds 0..255; never store another number
};

struct FormResult {
  FormError error = FormError::None;
  PatientInfo info{};
};

// Builds the register record from the form: texts truncated, numbers read like _wtoi
// (leading blanks, a sign, digits; anything else ends the number; no number reads as 0).
FormResult BuildPatientInfo(const PatientForm& form);

int ParseFormNumber(std::u16string_view text);

}  // namespace wd
