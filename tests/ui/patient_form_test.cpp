// The patient form of the monitoring list in the real main frame: the register round trip with
// its refusals and failures, the typing limits, the sex box, the colours, and the re-layout of a
// view narrower than its template.

#include "data/patient_register.h"
#include "framework/resource_module.h"
#include "res/resource.h"
#include "tests/ui/monitor_list_support.h"
#include "views/form_fit.h"
#include "views/logic/form_layout.h"
#include "views/monitor_list_view.h"

namespace wd::uitest {
namespace {

const PatientId kFormPerson = IdOf("44030519650812302X");
constexpr COLORREF kLightBlue = RGB(180, 200, 255);

class PatientFormTest : public UiAppTest {
 protected:
  void OpenPerson() {
    if (StoreKey(Frame().Store(), kFormPerson) == nullptr) {
      AddRecords(Frame().Store(), kFormPerson, {RecordAt(RecordKind::Monitoring, 8, 0)});
    }
    Frame().ShowView(ViewCode::Home, nullptr);
    Frame().ShowView(ViewCode::MonitoringList, StoreKey(Frame().Store(), kFormPerson));
    ASSERT_NE(dynamic_cast<CMonitorListView*>(Frame().CurrentViewWindow()), nullptr);
  }
  void SetText(int id, const wchar_t* text) { ::SetWindowTextW(ViewControl(id), text); }
  int SexSelection() {
    return static_cast<int>(::SendMessageW(ViewControl(IDC_SEX), CB_GETCURSEL, 0, 0));
  }
  std::filesystem::path Register() { return RegisterPath(ProgramFolder()); }
  std::optional<PatientInfo> Stored() { return LookupInfo(ProgramFolder(), kFormPerson); }
  std::wstring LastBox() { return Boxes().Seen().empty() ? L"" : Boxes().Seen().back().text; }
};

TEST_F(PatientFormTest, RegisterRoundTripSaveCreatesThenReplacesAndDeleteClears) {
  StartApp();
  OpenPerson();
  // Not registered: empty fields, no sex, the id shown; the lookup made an empty register.
  EXPECT_EQ(ControlText(ViewControl(IDC_NAME)), L"");
  EXPECT_EQ(SexSelection(), CB_ERR);
  EXPECT_EQ(ControlText(ViewControl(IDC_PATIENT_ID)), L"44030519650812302X");
  EXPECT_EQ(FileLength(Register()), 0u);

  Click(ViewWindow(), IDC_SAVE_PATIENT);
  ASSERT_TRUE(Boxes().WaitForCount(1));
  EXPECT_EQ(LastBox(), L"姓名不能为空!");
  EXPECT_EQ(Boxes().Seen()[0].caption, fw::LoadStringResource(IDS_APP_TITLE));
  EXPECT_EQ(FileLength(Register()), 0u);

  // No sex chosen and an age that is no number: stored as -1 and 0.
  SetText(IDC_NAME, L"刘建国");
  SetText(IDC_AGE, L"abc");
  SetText(IDC_HEIGHT, L"172");
  SetText(IDC_WEIGHT, L"68");
  SetText(IDC_ADVICE, L"低盐饮食\r\n每日复查血压");
  Click(ViewWindow(), IDC_SAVE_PATIENT);
  EXPECT_EQ(FileLength(Register()), PatientInfo::kSize);
  std::optional<PatientInfo> stored = Stored();
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->Name(), u"刘建国");
  EXPECT_EQ(stored->sex, -1);
  EXPECT_EQ(stored->age, 0);
  EXPECT_EQ(stored->height, 172);
  EXPECT_EQ(stored->weight, 68);
  EXPECT_EQ(stored->Advice(), u"低盐饮食\r\n每日复查血压");

  // Saving again replaces the entry in place.
  ::SendMessageW(ViewControl(IDC_SEX), CB_SETCURSEL, 0, 0);
  SetText(IDC_AGE, L"61");
  SetText(IDC_HEIGHT, L"255");
  Click(ViewWindow(), IDC_SAVE_PATIENT);
  EXPECT_EQ(FileLength(Register()), PatientInfo::kSize);
  stored = Stored();
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->sex, 0);
  EXPECT_EQ(stored->age, 61);
  EXPECT_EQ(stored->height, 255);

  // Above 255 neither height nor weight fits its byte: refused, nothing stored.
  for (const auto& [field, text] : {std::pair{IDC_HEIGHT, L"256"}, std::pair{IDC_WEIGHT, L"300"}}) {
    const std::size_t boxes = Boxes().Seen().size();
    SetText(IDC_HEIGHT, L"170");
    SetText(IDC_WEIGHT, L"70");
    SetText(field, text);
    SetText(IDC_NAME, L"改过的名字");
    Click(ViewWindow(), IDC_SAVE_PATIENT);
    ASSERT_TRUE(Boxes().WaitForCount(boxes + 1));
    EXPECT_EQ(LastBox(), L"身高和体重不能超过255!");
    EXPECT_EQ(Stored()->Name(), u"刘建国");
    EXPECT_EQ(Stored()->height, 255);
  }

  // Opened again, the form shows what is stored.
  OpenPerson();
  EXPECT_EQ(ControlText(ViewControl(IDC_NAME)), L"刘建国");
  EXPECT_EQ(SexSelection(), 0);
  EXPECT_EQ(ControlText(ViewControl(IDC_AGE)), L"61");
  EXPECT_EQ(ControlText(ViewControl(IDC_HEIGHT)), L"255");
  EXPECT_EQ(ControlText(ViewControl(IDC_ADVICE)), L"低盐饮食\r\n每日复查血压");

  // Delete empties the register and the form; the id stays. Deleting nothing says nothing.
  const std::size_t boxes = Boxes().Seen().size();
  Click(ViewWindow(), IDC_DELETE_PATIENT);
  EXPECT_EQ(FileLength(Register()), 0u);
  EXPECT_EQ(ControlText(ViewControl(IDC_NAME)), L"");
  EXPECT_EQ(ControlText(ViewControl(IDC_AGE)), L"");
  EXPECT_EQ(SexSelection(), CB_ERR);
  EXPECT_EQ(ControlText(ViewControl(IDC_PATIENT_ID)), L"44030519650812302X");
  Click(ViewWindow(), IDC_DELETE_PATIENT);
  Pump(100);
  EXPECT_EQ(Boxes().Seen().size(), boxes);
}

TEST_F(PatientFormTest, ARegisterThatCannotBeWrittenIsReportedNotSilentlyLost) {
  StartApp();
  std::filesystem::create_directories(Register());  // a folder where the file should be
  OpenPerson();
  EXPECT_EQ(ControlText(ViewControl(IDC_NAME)), L"");
  SetText(IDC_NAME, L"赵敏");
  Click(ViewWindow(), IDC_SAVE_PATIENT);
  ASSERT_TRUE(Boxes().WaitForCount(1));
  EXPECT_TRUE(LastBox().starts_with(L"保存失败!")) << LastBox();
  EXPECT_NE(LastBox().find(Register().wstring()), std::wstring::npos);
}

TEST_F(PatientFormTest, TypingStopsOneCharacterPastTheLimitAndTheSexBoxTakesNoTyping) {
  StartApp();
  OpenPerson();
  const auto type = [&](int id, const std::wstring& keys) {
    HWND edit = ViewControl(id);
    ::SetFocus(edit);
    for (wchar_t key : keys) ::SendMessageW(edit, WM_CHAR, key, 1);
    return ControlText(edit);
  };
  EXPECT_EQ(type(IDC_AGE, L"12345"), L"1234");
  EXPECT_EQ(type(IDC_HEIGHT, L"1x8y0z9"), L"1809");  // digits only
  EXPECT_EQ(type(IDC_NAME, L"abcdefghijklm"), L"abcdefghijk");

  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(::GetComboBoxInfo(ViewControl(IDC_SEX), &info));
  EXPECT_TRUE(::GetWindowLongPtrW(info.hwndItem, GWL_STYLE) & ES_READONLY);
  EXPECT_EQ(::SendMessageW(ViewControl(IDC_SEX), CB_GETCOUNT, 0, 0), 2);
  ::SendMessageW(ViewControl(IDC_SEX), CB_SETCURSEL, 1, 0);
  EXPECT_EQ(ControlText(ViewControl(IDC_SEX)), L"女");
}

TEST_F(PatientFormTest, LabelsAndReadOnlyFieldsAreLightBlueWhileEditableFieldsKeepTheirColour) {
  StartApp();
  OpenPerson();
  HWND view = ViewWindow();
  for (int id : {IDC_NAME_LABEL, IDC_UNITS, IDC_HEIGHT_UNIT, IDC_START_DATE_LABEL}) {
    const ControlColours colours = ColoursFor(view, ViewControl(id), WM_CTLCOLORSTATIC);
    EXPECT_EQ(colours.background, kLightBlue) << id;
    EXPECT_EQ(colours.text, RGB(0, 0, 0)) << id;
    EXPECT_TRUE(colours.brush) << id;
  }
  // Read-only edits ask as static controls.
  for (int id : {IDC_PATIENT_ID, IDC_START_DATE, IDC_END_TIME}) {
    EXPECT_EQ(ColoursFor(view, ViewControl(id), WM_CTLCOLORSTATIC).background, kLightBlue) << id;
  }
  for (int id : {IDC_NAME, IDC_AGE, IDC_HEIGHT, IDC_WEIGHT, IDC_ADVICE}) {
    const ControlColours colours = ColoursFor(view, ViewControl(id), WM_CTLCOLOREDIT);
    EXPECT_NE(colours.background, kLightBlue) << id;
  }
  EXPECT_EQ(ColoursFor(view, ViewControl(IDC_SEX), WM_CTLCOLORLISTBOX).background, kLightBlue);

  ::RedrawWindow(view, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Pump(50);
  EXPECT_EQ(ui_support::ReadWindowPixel(view, 3, 3), std::optional<COLORREF>(kLightBlue));
}

// The form of a view 20 % narrower than its template is laid out as FitFormToWidth says for the
// template's own places, and the list still spans the view.
TEST_F(PatientFormTest, AViewNarrowerThanItsTemplateReflowsTheForm) {
  StartApp();
  AddRecords(Frame().Store(), kFormPerson, {RecordAt(RecordKind::Monitoring, 8, 0)});
  const PatientId* key = StoreKey(Frame().Store(), kFormPerson);
  // Hidden hosts of any size: a child view is not bound to the screen's width.
  const auto makeView = [&](int width, HWND& host) {
    host = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, width, 1400, nullptr, nullptr,
                             nullptr, nullptr);
    auto view = std::make_unique<CMonitorListView>(Frame());
    const RECT rect{0, 0, width, 1400};
    EXPECT_TRUE(view->Create(0, rect, host, 1, nullptr));
    view->SetPerson(key);
    view->InitialUpdate();
    return view;
  };
  HWND wideHost = nullptr;
  auto wide = makeView(3000, wideHost);
  const SIZE form = wide->TotalSize();
  ASSERT_LT(form.cx, 3000);
  std::vector<ChildBox> designed;
  for (const FormChild& child : FormChildren(wide->hwnd())) designed.push_back(child.box);

  HWND narrowHost = nullptr;
  const int width = form.cx * 4 / 5;
  auto narrow = makeView(width, narrowHost);
  RECT client{};
  ::GetClientRect(narrow->hwnd(), &client);
  const std::vector<ChildBox> expected = FitFormToWidth(designed, client.right, form.cx);
  const std::vector<FormChild> placed = FormChildren(narrow->hwnd());
  ASSERT_EQ(placed.size(), expected.size());
  for (std::size_t i = 0; i < placed.size(); ++i) {
    if (placed[i].box.id == IDC_MONITOR_LIST) {
      EXPECT_EQ(placed[i].box.left, 0);
      EXPECT_EQ(placed[i].box.right, client.right);
    } else {
      EXPECT_EQ(placed[i].box, expected[i]) << "control " << placed[i].box.id;
    }
  }
  // Every label still ends before its field begins.
  for (const auto& [label, field] :
       {std::pair{IDC_NAME_LABEL, IDC_NAME}, std::pair{IDC_AGE_LABEL, IDC_AGE},
        std::pair{IDC_WEIGHT_LABEL, IDC_WEIGHT}, std::pair{IDC_HEIGHT, IDC_HEIGHT_UNIT}}) {
    EXPECT_LE(PlaceOf(::GetDlgItem(narrow->hwnd(), label)).right,
              PlaceOf(::GetDlgItem(narrow->hwnd(), field)).left);
  }
  EXPECT_EQ(narrow->TotalSize().cx, client.right);
  narrow.reset();
  wide.reset();
  ::DestroyWindow(narrowHost);
  ::DestroyWindow(wideHost);
}

}  // namespace
}  // namespace wd::uitest
