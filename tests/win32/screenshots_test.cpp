// Pictures of every window in its states, for a person to look at: written only when
// SG_SCREENSHOT_DIR names a folder (otherwise the test is skipped). Each picture is what the
// screen shows where the window stands, its title bar and frame included.
#include <gtest/gtest.h>

#include <filesystem>

#include "imaging/png_file.h"
#include "support/window_tour.h"
#include "win32_windows.h"

namespace sg::test {
namespace {

namespace fs = std::filesystem;

bool grabWindow(HWND hwnd, const fs::path& file, std::string& error) {
  SetForegroundWindow(hwnd);
  RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
  settle();
  Sleep(300);
  settle();
  RECT r{};
  GetWindowRect(hwnd, &r);
  const int width = r.right - r.left, height = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  sgimage::RgbaImage image(width, height);
  const auto* bgra = static_cast<const uint8_t*>(bits);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const uint8_t* p = bgra + (static_cast<size_t>(y) * width + x) * 4;
      image.set(x, y, {p[2], p[1], p[0], 255});
    }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return sgimage::writePngAtomically(file.string(), image, error);
}

TEST(Win32Screenshots, OfEveryWindowWhenAsked) {
  if (screenshotFolder().empty()) GTEST_SKIP() << kNoScreenshotsWanted;
  Win32Windows w;
  tourEveryWindowOf(
      w,
      [&](const std::string& form, const std::string& button) {
        SendMessageW(w.hwnd(form, button), BM_CLICK, 0, 0);
        settle();
      },
      [&](const std::string& form, const fs::path& file, std::string& error) {
        return grabWindow(w.window(form).hwnd(), file, error);
      });
}

}  // namespace
}  // namespace sg::test
