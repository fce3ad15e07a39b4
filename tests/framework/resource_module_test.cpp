// The current resource module: strings, icons, bitmaps and templates from the program or from
// a resource-only library, switched at run time.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "framework/dialog_template.h"
#include "framework/resource_module.h"
#include "test_resource_ids.h"

namespace {

std::wstring LibraryPath() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  folder.resize(folder.find_last_of(L"\\/") + 1);
  return folder + L"framework_test_rc_en.dll";
}

SIZE IconSize(HICON icon) {
  ICONINFO info{};
  if (!::GetIconInfo(icon, &info)) return SIZE{0, 0};
  BITMAP bitmap{};
  ::GetObjectW(info.hbmMask, sizeof(bitmap), &bitmap);
  const bool hasColour = info.hbmColor != nullptr;
  if (info.hbmColor != nullptr) ::DeleteObject(info.hbmColor);
  ::DeleteObject(info.hbmMask);
  return SIZE{bitmap.bmWidth, hasColour ? bitmap.bmHeight : bitmap.bmHeight / 2};
}

class ResourceModuleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    library = fw::LoadResourceLibrary(LibraryPath());
    ASSERT_TRUE(library) << "the test library lies beside the test program";
  }
  void TearDown() override { fw::ResourceModule::SetCurrent(nullptr); }

  fw::Module library;
};

TEST_F(ResourceModuleTest, StringsOfAnyLengthComeFromTheProgramByDefault) {
  EXPECT_TRUE(fw::ResourceModule::IsProgramCurrent());
  EXPECT_EQ(fw::LoadStringResource(IDS_GREETING), L"没有数据!");
  const std::wstring longText = fw::LoadStringResource(IDS_LONG_TEXT);
  ASSERT_EQ(longText.size(), 1000u);
  EXPECT_EQ(longText.substr(990), L"0123456789");
  EXPECT_EQ(fw::LoadStringResource(IDS_EMPTY_BLOCK_NEIGHBOUR), L"");
  EXPECT_FALSE(fw::FindStringResource(fw::ResourceModule::Program(), 9999).has_value());
}

TEST_F(ResourceModuleTest, SwitchingToTheLibraryChangesTextsAndFallsBackForMissingOnes) {
  fw::ResourceModule::SetCurrent(library.get());
  EXPECT_FALSE(fw::ResourceModule::IsProgramCurrent());
  EXPECT_EQ(fw::LoadStringResource(IDS_GREETING), L"No data!");
  EXPECT_EQ(fw::LoadStringResource(IDS_PROGRAM_ONLY), L"program only");
  fw::ResourceModule::SetCurrent(fw::ResourceModule::Program());
  EXPECT_TRUE(fw::ResourceModule::IsProgramCurrent());
  EXPECT_EQ(fw::LoadStringResource(IDS_GREETING), L"没有数据!");
}

TEST_F(ResourceModuleTest, AnotherThreadReadsTheModuleTheUiThreadMadeCurrent) {
  fw::ResourceModule::SetCurrent(library.get());
  std::wstring seen;
  std::thread worker([&seen] { seen = fw::LoadStringResource(IDS_GREETING); });
  worker.join();
  EXPECT_EQ(seen, L"No data!");
}

TEST_F(ResourceModuleTest, IconsComeFromTheModuleThatHoldsThemAtTheAskedSize) {
  // Asked without a size, an icon comes at its stored size: 90 px in the program, 64 px in
  // the library, which tells the two apart.
  fw::Icon programIcon = fw::LoadIconResource(IDI_SHARED);
  ASSERT_TRUE(programIcon);
  EXPECT_EQ(IconSize(programIcon.get()).cx, 90);

  fw::ResourceModule::SetCurrent(library.get());
  fw::Icon libraryIcon = fw::LoadIconResource(IDI_SHARED);
  ASSERT_TRUE(libraryIcon);
  EXPECT_EQ(IconSize(libraryIcon.get()).cx, 64);
  EXPECT_EQ(IconSize(fw::LoadProgramIcon(IDI_SHARED).get()).cx, 90)
      << "the program's, whatever is current";

  fw::Icon fallback = fw::LoadIconResource(IDI_PROGRAM_ONLY, 16, 16);
  ASSERT_TRUE(fallback) << "missing from the library, found in the program";
  EXPECT_EQ(IconSize(fallback.get()).cx, 16);
  EXPECT_EQ(IconSize(fw::LoadIconResource(IDI_SHARED, 48, 48).get()).cx, 48);
  EXPECT_FALSE(fw::LoadIconResource(4242, 32, 32));
}

TEST_F(ResourceModuleTest, BitmapsKeepTheirAlphaChannel) {
  fw::Bitmap strip = fw::LoadBitmapResource(IDB_ALPHA_STRIP);
  ASSERT_TRUE(strip);
  DIBSECTION section{};
  ASSERT_EQ(::GetObjectW(strip.get(), sizeof(section), &section), static_cast<int>(sizeof(section)))
      << "a DIB section, not a device-dependent bitmap";
  EXPECT_EQ(section.dsBm.bmBitsPixel, 32);
  ASSERT_NE(section.dsBm.bmBits, nullptr);
  const auto* pixels = static_cast<const std::uint32_t*>(section.dsBm.bmBits);
  const std::size_t count = static_cast<std::size_t>(section.dsBm.bmWidth) * section.dsBm.bmHeight;
  bool transparent = false;
  bool opaque = false;
  for (std::size_t i = 0; i < count; ++i) {
    transparent |= (pixels[i] >> 24) == 0;
    opaque |= (pixels[i] >> 24) == 0xFF;
  }
  EXPECT_TRUE(transparent && opaque) << "the strip mixes clear and solid pixels";
}

TEST_F(ResourceModuleTest, DialogTemplatesComeFromTheLibraryOrTheProgram) {
  EXPECT_FALSE(fw::FindDialogTemplate(IDD_LIBRARY_ONLY).has_value());
  fw::ResourceModule::SetCurrent(library.get());
  EXPECT_TRUE(fw::FindDialogTemplate(IDD_LIBRARY_ONLY).has_value());
  const auto form = fw::FindDialogTemplate(IDD_FORM);
  ASSERT_TRUE(form.has_value());
  const auto parsed = fw::DialogTemplate::Parse(*form);
  ASSERT_TRUE(parsed.has_value());
  EXPECT_FALSE(parsed->IsExtended());
  EXPECT_EQ(parsed->PointSize(), std::optional<std::uint16_t>(8));
  const auto extended = fw::DialogTemplate::Parse(*fw::FindDialogTemplate(IDD_FORM_EX));
  ASSERT_TRUE(extended.has_value());
  EXPECT_TRUE(extended->IsExtended());
  EXPECT_EQ(extended->PointSize(), std::optional<std::uint16_t>(10));
}

TEST(ResourceLibrary, AMissingLibraryIsSimplyNotLoaded) {
  EXPECT_FALSE(fw::LoadResourceLibrary(L"Z:\\no\\such\\rc_en.dll"));
}

}  // namespace
