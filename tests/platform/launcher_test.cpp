#include <gtest/gtest.h>

#include "platform/launcher.h"

using namespace sg;

// The command processor drops the outer quotes and runs the code page switch, then the batch
// file under its quoted name (the Windows suite runs this line through Wine's cmd.exe).
TEST(CommandProcessorLine, SwitchesToTheAnsiCodePageThenRunsTheBatchFile) {
  EXPECT_EQ(platform::commandProcessorLine("renderJob7.bat", 1252),
            "cmd.exe /c \"chcp 1252 >nul & \"renderJob7.bat\"\"");
  EXPECT_EQ(platform::commandProcessorLine("renderJobDelete.bat", 1251),
            "cmd.exe /c \"chcp 1251 >nul & \"renderJobDelete.bat\"\"");
}
