#pragma once
// CEdit50: an edit control attached from a form's template that refuses typed characters once
// its text is longer than m_nLimit (the test comes before the character goes in, so typing
// reaches m_nLimit + 1 characters). Pasted text is not limited. It repaints itself after
// typing and scrolling, so its owner's background colour is drawn behind the text again.
//
//   BindControl(1013, ageEdit_);
//   ageEdit_.m_nLimit = 3;
#include <windows.h>

#include <cstdint>

#include "framework/window.h"

namespace wd {

class CEdit50 : public fw::Window {
 public:
  std::uint32_t m_nLimit = 0;  // set by the owner before the user can type

 protected:
  void OnChar(UINT character, UINT flags) override;
  bool OnReflectedCommand(UINT code) override;
};

}  // namespace wd
