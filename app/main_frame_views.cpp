// View switching: the view codes, the history and the language switch.

#include "app/main_frame.h"
#include "app/wardDesk_app.h"
#include "framework/form_view.h"
#include "framework/modal_loop.h"
#include "framework/resource_module.h"
#include "res/resource.h"
#include "views/archive_view.h"
#include "views/check_list_view.h"
#include "views/child_view.h"
#include "views/main_view.h"
#include "views/monitor_list_view.h"
#include "views/report/report_view.h"
#include "views/person_views.h"
#include "views/trend_view.h"

#include <type_traits>

namespace wd {
namespace {

// The views made ahead of a switch: the three whose forms cost the most windows to make.
constexpr ViewCode kSpareCodes[] = {ViewCode::MonitoringList, ViewCode::Trend,
                                    ViewCode::WardRoundList};

// A form view made over the pane: what the frame keeps of it. It stays hidden until ShowView has
// filled it: a visible form would repaint at every control its initial update moves or fills.
template <class View>
ShownView MakeFormView(std::unique_ptr<View> view, HWND frame, const RECT& pane) {
  if (!view->Create(WS_CHILD | WS_BORDER, pane, frame, fw::kPaneFirstId, nullptr)) return {};
  ShownView shown;
  shown.form = view.get();
  if constexpr (std::is_base_of_v<PersonView, View>) shown.personView = view.get();
  if constexpr (std::is_base_of_v<PersonPicker, View>) shown.picker = view.get();
  shown.window = std::move(view);
  return shown;
}

}  // namespace

// The one place that knows each view's type.
ShownView CMainFrame::MakeView(ViewCode code) {
  const RECT pane = PaneRect();
  switch (code) {
    case ViewCode::WardRoundList:
      return MakeFormView(std::make_unique<CCheckListView>(*this), hwnd(), pane);
    case ViewCode::DataOverview: {
      auto overview = std::make_unique<CChildView>(*this);
      if (!overview->Create(hwnd(), fw::kPaneFirstId, pane)) return {};
      ShownView shown;
      shown.window = std::move(overview);
      return shown;
    }
    case ViewCode::Home: return MakeFormView(std::make_unique<CMainView>(*this), hwnd(), pane);
    case ViewCode::MonitoringList:
      return MakeFormView(std::make_unique<CMonitorListView>(*this), hwnd(), pane);
    case ViewCode::Trend: return MakeFormView(std::make_unique<CTrendView>(*this), hwnd(), pane);
    case ViewCode::Report: return MakeFormView(std::make_unique<CReportView>(*this), hwnd(), pane);
    case ViewCode::Archive:
      return MakeFormView(std::make_unique<CArchiveView>(*this), hwnd(), pane);
  }
  return {};
}

// A spare when one fits, else a view made now; its person set before its initial update.
ShownView CMainFrame::CreateView(ViewCode code, const PatientId* person) {
  ShownView view = spares_.Take(code, CurrentFit());
  if (view.window) {
    ::SetWindowLongPtrW(view.window->hwnd(), GWLP_ID, fw::kPaneFirstId);
  } else {
    view = MakeView(code);
  }
  if (view.personView != nullptr) view.personView->SetPerson(person);
  return view;
}

ViewFit CMainFrame::CurrentFit() const { return {PaneRect(), fw::ResourceModule::Current()}; }

// One spare per idle step, so no step keeps the window busy for long; the next one is asked for
// while any is missing.
void CMainFrame::MakeSpareView() {
  if (closing_) return;
  if (fw::ModalLoop::Active()) {
    SetOneShotTimer(kSpareViewTimer, kSpareViewIdleMs);
    return;
  }
  const std::optional<ViewCode> missing = spares_.Missing(kSpareCodes);
  if (!missing) return;
  ShownView spare = MakeView(*missing);
  if (!spare.window) return;  // it is made at the switch instead
  ::SetWindowLongPtrW(spare.window->hwnd(), GWLP_ID, 0);
  spares_.Put(*missing, CurrentFit(), std::move(spare));
  if (spares_.Missing(kSpareCodes)) SetOneShotTimer(kSpareViewTimer, kSpareViewIdleMs);
}

void CMainFrame::ShowView(ViewCode code, const PatientId* person, HistoryUpdate update) {
  if (closing_) return;
  if (fw::ModalLoop::Active()) {
    // The last request wins, as it would have had the switches happened one after another.
    pendingView_ = PendingView{code, person, update};
    SetTimer(kPendingViewTimer, kPendingViewPollMs);
    return;
  }
  if (update == HistoryUpdate::Push) history_.Push({code, person});
  ShownView next = CreateView(code, person);
  if (!next.window) return;  // the old view stays; the history entry is already pushed
  // The old view goes once the new one covers it, hidden without a redraw first: the frame
  // never shows (or paints) the empty pane between the two.
  ShownView old = std::exchange(view_, std::move(next));
  viewCode_ = code;
  SetCurrentView(view_.window.get());
  if (view_.form != nullptr) view_.form->InitialUpdate();
  ::SetWindowPos(view_.window->hwnd(), HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  if (old.window && old.window->hwnd() != nullptr) {
    ::SetWindowPos(
        old.window->hwnd(), nullptr, 0, 0, 0, 0,
        SWP_HIDEWINDOW | SWP_NOREDRAW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  old = {};
  ::UpdateWindow(hwnd());
  FocusView();
  RefreshRibbon();
  SetOneShotTimer(kSpareViewTimer, kSpareViewIdleMs);
}

void CMainFrame::ShowPendingView() {
  if (!pendingView_ || fw::ModalLoop::Active()) return;
  KillTimer(kPendingViewTimer);
  const PendingView pending = *std::exchange(pendingView_, std::nullopt);
  ShowView(pending.code, pending.person, pending.update);
}

// The keyboard goes to the new view's first control, so Tab and Enter work without a click.
void CMainFrame::FocusView() {
  // An inactive frame gives its view the focus when it is activated again.
  if (!view_.window || view_.window->hwnd() == nullptr || ::GetActiveWindow() != hwnd()) return;
  const HWND view = view_.window->hwnd();
  if (view_.form != nullptr) {
    // Through the dialog manager, which also makes a focused push button the default (Enter).
    if (HWND first = ::GetNextDlgTabItem(view, nullptr, FALSE);
        first != nullptr && ::IsChild(view, first)) {
      ::SendMessageW(view, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
      return;
    }
  }
  const HWND first = ::GetWindow(view, GW_CHILD);  // the overview's list
  const bool usable = first != nullptr && ::IsWindowVisible(first) && ::IsWindowEnabled(first);
  ::SetFocus(usable ? first : view);
}

void CMainFrame::OnShowView(WPARAM code, LPARAM person) {
  if (!IsViewCode(static_cast<int>(code))) return;
  ShowView(static_cast<ViewCode>(code), reinterpret_cast<const PatientId*>(person));
}

void CMainFrame::ReshowCurrent() {
  const std::optional<HistoryEntry> entry = history_.Current();
  if (!entry) return;
  ShowView(entry->view, entry->person, HistoryUpdate::Keep);
}

void CMainFrame::OnSetLanguage(WPARAM english) {
  if (english == 1) {
    if (app_.m_hEnglishRes) fw::ResourceModule::SetCurrent(app_.m_hEnglishRes.get());
  } else {
    fw::ResourceModule::SetCurrent(nullptr);
  }
  spares_.Clear();  // made from the other language's templates
  ribbon_.SetCaption(fw::LoadStringResource(IDS_APP_TITLE));
  BuildCategory();
  RecalcLayout();
  ReshowCurrent();
}

// The ward-round list's selected row, or the person of another view about one person (the
// monitoring list, the trend view, the report), as the store's own key.
const PatientId* CMainFrame::PersonForView(ViewCode wanted) const {
  if (view_.picker != nullptr) return view_.picker->SelectedPerson();
  if (viewCode_ == wanted || view_.personView == nullptr || view_.personView->Person().IsEmpty())
    return nullptr;
  return store_.Read().FindStoreKey(view_.personView->Person());
}

}  // namespace wd
