// The UI-test helpers: PNG files that an independent decoder (GDI+) reads back, and window
// captures that show what was painted.
#include <gtest/gtest.h>

#include <windows.h>
#include <objidl.h>  // GDI+ needs it, and WIN32_LEAN_AND_MEAN leaves it out
#include <gdiplus.h>

#include <vector>

#include "framework/gdi_objects.h"
#include "test_host.h"
#include "tests/ui_support/message_pump.h"
#include "tests/ui_support/png_writer.h"
#include "tests/ui_support/window_capture.h"

namespace {

std::wstring TempFile(const wchar_t* name) {
  wchar_t folder[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + name;
}

class GdiPlus : public ::testing::Test {
 protected:
  void SetUp() override {
    Gdiplus::GdiplusStartupInput input;
    ASSERT_EQ(Gdiplus::GdiplusStartup(&token_, &input, nullptr), Gdiplus::Ok);
  }
  void TearDown() override { Gdiplus::GdiplusShutdown(token_); }

  // The file's pixels as 0xAARRGGBB, decoded by GDI+.
  std::vector<std::uint32_t> Decode(const std::wstring& path, int& width, int& height) {
    std::vector<std::uint32_t> pixels;
    Gdiplus::Bitmap bitmap(path.c_str());
    if (bitmap.GetLastStatus() != Gdiplus::Ok) return pixels;
    width = static_cast<int>(bitmap.GetWidth());
    height = static_cast<int>(bitmap.GetHeight());
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        Gdiplus::Color colour;
        bitmap.GetPixel(x, y, &colour);
        pixels.push_back(colour.GetValue());
      }
    }
    return pixels;
  }

 private:
  ULONG_PTR token_ = 0;
};

TEST(PngChecksums, MatchTheStandardCheckValues) {
  const std::string digits = "123456789";
  const std::string word = "Wikipedia";
  EXPECT_EQ(
      ui_support::Crc32({reinterpret_cast<const std::uint8_t*>(digits.data()), digits.size()}),
      0xCBF43926u);
  EXPECT_EQ(ui_support::Adler32({reinterpret_cast<const std::uint8_t*>(word.data()), word.size()}),
            0x11E60398u);
}

TEST_F(GdiPlus, SmallImagesWithAlphaDecodeToTheSamePixels) {
  const std::vector<std::uint32_t> pixels{0xFFFF0000u, 0x8000FF00u, 0x000000FFu,
                                          0xFFFFFFFFu, 0xFF000000u, 0xFF123456u};
  const std::wstring path = TempFile(L"fw_small.png");
  ASSERT_TRUE(ui_support::WritePngFile(path, 3, 2, pixels, true));
  int width = 0;
  int height = 0;
  const auto decoded = Decode(path, width, height);
  ASSERT_EQ(width, 3);
  ASSERT_EQ(height, 2);
  EXPECT_EQ(decoded[0], pixels[0]);
  EXPECT_EQ(decoded[1] >> 24, 0x80u) << "alpha kept";
  EXPECT_EQ(decoded[2] >> 24, 0u);
  EXPECT_EQ(decoded[5], pixels[5]);
  ::DeleteFileW(path.c_str());
}

TEST_F(GdiPlus, ImagesLargerThanOneStoredBlockDecode) {
  constexpr int kSide = 300;  // 360 000 bytes of pixels: six stored blocks
  std::vector<std::uint32_t> pixels(kSide * kSide);
  for (int i = 0; i < kSide * kSide; ++i)
    pixels[i] = 0xFF000000u | static_cast<std::uint32_t>(i * 2654435761u >> 8);
  const std::wstring path = TempFile(L"fw_large.png");
  ASSERT_TRUE(ui_support::WritePngFile(path, kSide, kSide, pixels));
  int width = 0;
  int height = 0;
  const auto decoded = Decode(path, width, height);
  ASSERT_EQ(decoded.size(), pixels.size());
  EXPECT_EQ(decoded, pixels);
  ::DeleteFileW(path.c_str());
}

class TwoColourWindow : public fw_test::HostWindow {
 protected:
  void OnPaint() override {
    PAINTSTRUCT paint;
    const HDC dc = ::BeginPaint(hwnd(), &paint);
    const RECT client = ClientRect();
    fw::Brush blue = fw::CreateSolidBrush(RGB(180, 200, 255));
    fw::Brush red = fw::CreateSolidBrush(RGB(200, 20, 10));
    ::FillRect(dc, &client, blue.get());
    const RECT corner{10, 10, 40, 30};
    ::FillRect(dc, &corner, red.get());
    ::EndPaint(hwnd(), &paint);
  }
  bool OnEraseBackground(HDC) override { return true; }
};

TEST_F(GdiPlus, ACapturedWindowShowsWhatItPaintedAndSavesAsPng) {
  TwoColourWindow window;
  ASSERT_TRUE(window.Open(200, 120));
  window.Redraw();
  ui_support::PumpMessagesFor(50);
  const auto image = ui_support::CaptureWindow(window.hwnd());
  ASSERT_TRUE(image.has_value());
  EXPECT_EQ(image->width, fw_test::ClientSizeOf(window.hwnd()).cx);
  EXPECT_EQ(image->At(20, 20), RGB(200, 20, 10));
  EXPECT_EQ(image->At(60, 60), RGB(180, 200, 255));
  EXPECT_EQ(ui_support::ReadWindowPixel(window.hwnd(), 39, 29), RGB(200, 20, 10));
  EXPECT_EQ(ui_support::ReadWindowPixel(window.hwnd(), 40, 30), RGB(180, 200, 255));
  EXPECT_FALSE(ui_support::ReadWindowPixel(window.hwnd(), -1, 0).has_value());

  const std::wstring path = TempFile(L"fw_capture.png");
  ASSERT_TRUE(ui_support::CaptureWindowToPng(window.hwnd(), path));
  int width = 0;
  int height = 0;
  const auto decoded = Decode(path, width, height);
  ASSERT_EQ(width, image->width);
  EXPECT_EQ(decoded[20 * width + 20], 0xFFC8140Au);
  ::DeleteFileW(path.c_str());
  EXPECT_TRUE(ui_support::CaptureWindow(window.hwnd(), true).has_value());
}

}  // namespace
