#include "tools/wardcli/id_text.h"

namespace wd::cli {

std::string IdText(const PatientId& id) {
  std::string text;
  for (const char c : id.DisplayText()) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
      text.push_back(c);
    } else {
      static constexpr char kHex[] = "0123456789ABCDEF";
      text += {'\\', 'x', kHex[byte >> 4], kHex[byte & 0xF]};
    }
  }
  return text;
}

}  // namespace wd::cli
