// Pictures of every window in its states, for a person to look at: written only when
// SG_SCREENSHOT_DIR names a folder (otherwise the test is skipped). Each picture is what the
// screen shows where the window stands, its title bar and frame included.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "imaging/png_file.h"
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
  const char* dir = std::getenv("SG_SCREENSHOT_DIR");
  if (!dir || !*dir) GTEST_SKIP() << "set SG_SCREENSHOT_DIR to write the pictures";
  const fs::path out = fs::absolute(dir);
  fs::create_directories(out);
  for (const char* world : {"Hilltop Castle", "River Valley"}) {
    fs::create_directories(fs::path("appdata/.minecraft/saves") / world);
    std::ofstream(fs::path("appdata/.minecraft/saves") / world / "level.dat") << "x";
  }
  Win32Windows w;
  w.svc.environment.set("APPDATA", fs::absolute("appdata").string());
  w.open("Form1");
  auto shot = [&](const std::string& form, const std::string& name) {
    std::string error;
    EXPECT_TRUE(grabWindow(w.window(form).hwnd(), out / (name + ".png"), error)) << name << ": " << error;
  };
  auto click = [&](const std::string& form, const char* button) {
    SendMessageW(w.hwnd(form, button), BM_CLICK, 0, 0);
    settle();
  };
  shot("Form1", "main-narrow");
  click("Form1", "Command6");
  shot("Form1", "main-wide");
  for (const char* panel : {"toggleI", "toggleL", "toggleR"}) {
    click("Form1", panel);
    shot("Form1", std::string("main-wide-") + panel);
  }
  click("Form1", "toggleR");
  click("Form1", "Command6");
  click("Form1", "Command7");
  shot("Form2", "layer-filter");
  click("Form1", "Command8");
  shot("Form3", "block-filter");
  w.open("Form5");
  shot("Form5", "settings");
  w.open("Form6");
  shot("Form6", "mods");
  click("Form1", "Command5");
  ASSERT_NE(w.registry.find("Form4"), nullptr);
  const std::string job = "renderJob" + w.registry.find("Form4")->control("renderjob").text();
  std::ofstream(job + ".log", std::ios::app) << "Rendering Hilltop Castle\r\nPost Processing\r\n";
  std::ofstream(job + "progress.log") << "42\r\n";
  w.registry.find("Form4")->control("Timer1").tick();
  shot("Form4", "log-window");
}

}  // namespace
}  // namespace sg::test
