#include "controls/dpi_form_view.h"

#include "controls/dialog_init_data.h"
#include "controls/logic/form_rules.h"
#include "framework/device_context.h"

namespace wd {
namespace {

constexpr DWORD kDefaultStyle = WS_CHILD | WS_VISIBLE | WS_BORDER;

int ScreenHorizontalDpi() {
  fw::WindowDc screen(nullptr);
  return screen ? ::GetDeviceCaps(screen.get(), LOGPIXELSX) : 96;
}

// Clears the stored context however Create leaves.
class ContextScope {
 public:
  ContextScope(const CreateContext*& slot, const CreateContext* context) : slot_(slot) {
    slot_ = context;
  }
  ~ContextScope() { slot_ = nullptr; }
  ContextScope(const ContextScope&) = delete;
  ContextScope& operator=(const ContextScope&) = delete;

 private:
  const CreateContext*& slot_;
};

}  // namespace

BOOL CFormViewDPI::Create(DWORD style, const RECT& rect, HWND parent, UINT controlId,
                          const CreateContext* context) {
  ContextScope scope(creationContext_, context);
  if (style == 0) style = kDefaultStyle;

  CREATESTRUCTW create{};
  create.hwndParent = parent;
  create.style = static_cast<LONG>(style);
  create.x = rect.left;
  create.y = rect.top;
  create.cx = rect.right - rect.left;
  create.cy = rect.bottom - rect.top;
  create.hMenu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(controlId));
  if (!PreCreateWindow(create)) return FALSE;

  // Shown only once its controls are filled.
  const auto finalStyle = static_cast<DWORD>(create.style);
  if (!FormView::Create(parent, controlId, rect, (finalStyle & ~WS_VISIBLE) | WS_CHILD,
                        create.dwExStyle)) {
    return FALSE;
  }
  if (!RunDialogInitData(hwnd(), TemplateId())) {
    Destroy();
    return FALSE;
  }
  if ((finalStyle & WS_VISIBLE) != 0) ::ShowWindow(hwnd(), SW_SHOWNA);
  return TRUE;
}

bool CFormViewDPI::PreCreateWindow(CREATESTRUCTW&) { return true; }

void CFormViewDPI::AdjustTemplate(fw::DialogTemplate& form) {
  const int dpi = ScreenHorizontalDpi();
  if (dpi <= 96) return;
  if (const auto points = form.PointSize()) form.SetPointSize(ScaledFormPointSize(*points, dpi));
}

}  // namespace wd
