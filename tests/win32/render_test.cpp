// A Render through the real windows with real job starts: the main window writes the batch file,
// Wine's command processor runs it, the Windows renderer and post processor write the image,
// and the log window, ticked by its own timer, follows the job until it ends.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/launcher.h"
#include "support/test_system.h"
#include "win32_windows.h"
#include "worldgen/demo_world.h"

namespace sg::test {
namespace {

namespace fs = std::filesystem;

TEST(Win32Render, ThroughTheRealWindowsToTheImage) {
  fs::copy_file(SG_RENDERER, "strandvale_g_renderer.exe");
  fs::copy_file(SG_POST_PROCESSOR, "strandvale_g_post_processor.exe");
  sgworld::DemoWorld demo;
  demo.folder = fs::path("appdata") / ".minecraft" / "saves" / "Demo";
  demo.chunksX = demo.chunksZ = 4;
  demo.nether = false;
  std::string error;
  ASSERT_TRUE(sgworld::writeDemoWorld(demo, error)) << error;
  // The jobs inherit the program's environment: the renderer finds the saves folder there too.
  const std::string appdata = fs::absolute("appdata").string();
  setVariable("APPDATA", appdata);

  Win32Windows w;
  platform::PlatformLauncher real;
  w.svc.launcher.passTo(&real);
  w.svc.environment.set("APPDATA", appdata);
  w.open("Form1");
  ASSERT_EQ(w.c("Form1", "comboworldfolders").text(), "Demo");
  SendMessageW(w.hwnd("Form1", "Command5"), BM_CLICK, 0, 0);
  settle();
  ASSERT_EQ(w.svc.launcher.records().size(), 1u);
  const std::string image = w.c("Form1", "genfile").text();
  EXPECT_FALSE(IsWindowVisible(w.window("Form1").hwnd()));
  ASSERT_TRUE(IsWindowVisible(w.window("Form4").hwnd()));

  const DWORD until = GetTickCount() + 90000;
  while (w.registry.find("Form4") && w.registry.find("Form4")->visible() && GetTickCount() < until) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    settle();
  }
  ASSERT_TRUE(IsWindowVisible(w.window("Form1").hwnd())) << "the log window did not hand back to the main window";
  EXPECT_NE(w.c("Form4", "lbltask").caption().find(" completed at "), std::string::npos)
      << w.c("Form4", "lbltask").caption();
  EXPECT_TRUE(fs::is_regular_file(image)) << image;
  EXPECT_FALSE(fs::exists("renderJob0.log"));
  unsetVariable("APPDATA");
}

}  // namespace
}  // namespace sg::test
