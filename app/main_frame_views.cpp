// View switching: the view codes, the history and the language switch.

#include "app/main_frame.h"
#include "app/wardDesk_app.h"
#include "framework/form_view.h"
#include "framework/modal_loop.h"
#include "framework/resource_module.h"
#include "res/resource.h"
#include "views/check_list_view.h"
#include "views/child_view.h"
#include "views/main_view.h"
#include "views/monitor_list_view.h"
#include "views/person_views.h"
#include "views/trend_view.h"

namespace wd {
namespace {

template <class View>
std::unique_ptr<fw::Window> CreateFormView(std::unique_ptr<View> view, HWND frame, const RECT& pane) {
  if (!view->Create(0, pane, frame, fw::kPaneFirstId, nullptr)) return nullptr;
  return view;
}

}  // namespace

std::unique_ptr<fw::Window> CMainFrame::CreateViewWindow(ViewCode code, const PatientId* person) {
  const RECT pane = PaneRect();
  std::unique_ptr<fw::Window> view;
  switch (code) {
    case ViewCode::WardRoundList:
      view = CreateFormView(std::make_unique<CCheckListView>(*this), hwnd(), pane);
      break;
    case ViewCode::DataOverview: {
      auto overview = std::make_unique<CChildView>(*this);
      if (overview->Create(hwnd(), fw::kPaneFirstId, pane)) view = std::move(overview);
      break;
    }
    case ViewCode::Home:
      view = CreateFormView(std::make_unique<CMainView>(*this), hwnd(), pane);
      break;
    case ViewCode::MonitoringList:
      view = CreateFormView(std::make_unique<CMonitorListView>(*this), hwnd(), pane);
      break;
    case ViewCode::Trend:
      view = CreateFormView(std::make_unique<CTrendView>(*this), hwnd(), pane);
      break;
  }
  if (!view) return nullptr;
  if (auto* personView = dynamic_cast<PersonView*>(view.get())) personView->SetPerson(person);
  return view;
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
  std::unique_ptr<fw::Window> next = CreateViewWindow(code, person);
  if (!next) return;  // the old view stays; the history entry is already pushed
  SetCurrentView(nullptr);
  view_.reset();
  view_ = std::move(next);
  viewCode_ = code;
  SetCurrentView(view_.get());
  if (code != ViewCode::DataOverview) {
    if (auto* form = dynamic_cast<fw::FormView*>(view_.get())) form->InitialUpdate();
  }
  ::ShowWindow(view_->hwnd(), SW_SHOW);
  RecalcLayout();
  ::UpdateWindow(hwnd());
  FocusView();
  RefreshRibbon();
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
  if (!view_ || view_->hwnd() == nullptr || ::GetActiveWindow() != hwnd()) return;
  const HWND view = view_->hwnd();
  if (dynamic_cast<fw::FormView*>(view_.get()) != nullptr) {
    // Through the dialog manager, which also makes a focused push button the default (Enter).
    if (HWND first = ::GetNextDlgTabItem(view, nullptr, FALSE); first != nullptr && ::IsChild(view, first)) {
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
  ribbon_.SetCaption(fw::LoadStringResource(IDS_APP_TITLE));
  BuildCategory();
  RecalcLayout();
  ReshowCurrent();
}

const PatientId* CMainFrame::PersonForView(ViewCode wanted) const {
  if (viewCode_ == ViewCode::WardRoundList) {
    const auto* picker = dynamic_cast<const PersonPicker*>(view_.get());
    return picker != nullptr ? picker->SelectedPerson() : nullptr;
  }
  const ViewCode source = wanted == ViewCode::Trend ? ViewCode::MonitoringList : ViewCode::Trend;
  if (viewCode_ != source) return nullptr;
  const auto* personView = dynamic_cast<const PersonView*>(view_.get());
  if (personView == nullptr || personView->Person().IsEmpty()) return nullptr;
  return store_.Read().FindStoreKey(personView->Person());
}

}  // namespace wd
