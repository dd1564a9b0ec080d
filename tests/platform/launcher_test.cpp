#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "platform/launcher.h"
#include "support/working_folder.h"

#ifdef _WIN32
#include <windows.h>
#endif

using namespace sg;

// The command processor drops the outer quotes and runs the code page switch, then the batch
// file under its quoted name (the Windows suite runs this line through Wine's cmd.exe).
TEST(CommandProcessorLine, SwitchesToTheAnsiCodePageThenRunsTheBatchFile) {
  EXPECT_EQ(platform::commandProcessorLine("renderJob7.bat", 1252),
            "cmd.exe /c \"chcp 1252 >nul & \"renderJob7.bat\"\"");
  EXPECT_EQ(platform::commandProcessorLine("renderJobDelete.bat", 1251),
            "cmd.exe /c \"chcp 1251 >nul & \"renderJobDelete.bat\"\"");
}

#ifdef _WIN32
// A job started by the launcher runs in a console of its own that is switched to the ANSI code
// page, the page its batch file is written in.
TEST(PlatformLauncher, TheJobsConsoleIsInTheAnsiCodePage) {
  test::writeFile("renderJob7.bat", "@chcp > codepage.txt\r\n@ren codepage.txt codepage.done\r\n");
  ASSERT_TRUE(platform::PlatformLauncher().start("renderJob7.bat", true));
  std::string text;
  for (int i = 0; i < 600 && text.empty(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    if (GetFileAttributesA("codepage.done") != INVALID_FILE_ATTRIBUTES) text = test::readFile("codepage.done");
  }
  ASSERT_FALSE(text.empty()) << "the job did not run";
  EXPECT_NE(text.find(": " + std::to_string(GetACP())), std::string::npos) << text;
}
#endif
