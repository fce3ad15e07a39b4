#include "data/patient_info.h"

#include <algorithm>
#include <climits>

namespace wd {
namespace {

template <std::size_t N>
std::u16string ReadText(const char16_t (&field)[N]) {
  std::size_t length = 0;
  while (length < N && field[length] != 0) ++length;
  return std::u16string(field, length);
}

template <std::size_t N>
void WriteText(char16_t (&field)[N], std::u16string_view text) {
  std::fill(std::begin(field), std::end(field), u'\0');
  std::copy_n(text.begin(), std::min(text.size(), N - 1), field);
}

void PutLe16(std::uint8_t* p, char16_t value) {
  p[0] = static_cast<std::uint8_t>(value & 0xFF);
  p[1] = static_cast<std::uint8_t>(value >> 8);
}
char16_t GetLe16(const std::uint8_t* p) { return static_cast<char16_t>(p[0] | (p[1] << 8)); }

void PutLe32(std::uint8_t* p, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(bits >> (8 * i));
}
std::int32_t GetLe32(const std::uint8_t* p) {
  std::uint32_t bits = 0;
  for (int i = 0; i < 4; ++i) bits |= std::uint32_t{p[i]} << (8 * i);
  return static_cast<std::int32_t>(bits);
}

}  // namespace

PatientInfo PatientInfo::Blank(const PatientId& id) {
  PatientInfo info{};  // value-initialised: every field zero, and there is no padding
  info.id = id;
  return info;
}

std::u16string PatientInfo::Name() const { return ReadText(name); }
std::u16string PatientInfo::Advice() const { return ReadText(advice); }
void PatientInfo::SetName(std::u16string_view text) { WriteText(name, text); }
void PatientInfo::SetAdvice(std::u16string_view text) { WriteText(advice, text); }

PatientInfo::Bytes PatientInfo::ToBytes() const {
  Bytes out{};
  std::copy(id.bytes.begin(), id.bytes.end(), out.begin());
  for (std::size_t i = 0; i < 30; ++i) PutLe16(&out[18 + 2 * i], name[i]);
  PutLe16(&out[78], gap1);
  PutLe32(&out[80], sex);
  PutLe32(&out[84], age);
  out[88] = height;
  out[89] = weight;
  for (std::size_t i = 0; i < 200; ++i) PutLe16(&out[90 + 2 * i], advice[i]);
  PutLe16(&out[490], gap2);
  return out;
}

PatientInfo PatientInfo::FromBytes(std::span<const std::uint8_t, kSize> raw) {
  PatientInfo info = Blank(PatientId::FromBytes(raw.first<kPatientIdSize>()));
  for (std::size_t i = 0; i < 30; ++i) info.name[i] = GetLe16(&raw[18 + 2 * i]);
  info.gap1 = GetLe16(&raw[78]);
  info.sex = GetLe32(&raw[80]);
  info.age = GetLe32(&raw[84]);
  info.height = raw[88];
  info.weight = raw[89];
  for (std::size_t i = 0; i < 200; ++i) info.advice[i] = GetLe16(&raw[90 + 2 * i]);
  info.gap2 = GetLe16(&raw[490]);
  return info;
}

int ParseFormNumber(std::u16string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == u' ' || (text[i] >= u'\t' && text[i] <= u'\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
  long long value = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    value = std::min<long long>(value * 10 + (text[i] - u'0'), 1LL + INT_MAX);
  }
  if (negative) value = -value;
  return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

FormResult BuildPatientInfo(const PatientForm& form) {
  FormResult result;
  result.info = PatientInfo::Blank(form.id);
  result.info.SetName(form.name);
  if (result.info.Name().empty()) {
    result.error = FormError::NameEmpty;
    return result;
  }
  const int height = ParseFormNumber(form.height);
  const int weight = ParseFormNumber(form.weight);
  if (height < 0 || height > 255 || weight < 0 || weight > 255) {
    result.error = FormError::HeightOrWeightOutOfRange;
    return result;
  }
  result.info.sex = form.sex;
  result.info.age = ParseFormNumber(form.age);
  result.info.height = static_cast<std::uint8_t>(height);
  result.info.weight = static_cast<std::uint8_t>(weight);
  result.info.SetAdvice(form.advice);
  return result;
}

}  // namespace wd
