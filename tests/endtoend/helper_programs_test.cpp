// The helper programs a player or a script may run by hand: each answers --help with its usage
// on standard output and exits 0, and none takes a flag for a name.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

struct Ran {
  int status = -1;
  std::string out, err;
};

std::string contentOf(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

Ran runHelper(const std::string& program, const std::string& arguments) {
  const std::string command = "'" + program + "' " + arguments + " >helper.out 2>helper.err </dev/null";
  Ran r;
  const int status = std::system(command.c_str());
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  r.out = contentOf("helper.out");
  r.err = contentOf("helper.err");
  return r;
}

}  // namespace

TEST(HelperPrograms, EachAnswersHelpWithItsUsage) {
  for (const char* program : {SG_SCRIPT_DRIVER, SG_POST_PROCESSOR, SG_DEMO_WORLD}) {
    SCOPED_TRACE(program);
    const Ran help = runHelper(program, "--help");
    EXPECT_EQ(help.status, 0) << help.err;
    EXPECT_EQ(help.out.rfind("usage: ", 0), 0u) << help.out;
    EXPECT_EQ(help.err, "");
  }
  // The world writer takes no flag for the folder it writes, and writes nothing then.
  const Ran flagFirst = runHelper(SG_DEMO_WORLD, "--regions 2");
  EXPECT_EQ(flagFirst.status, 1);
  EXPECT_NE(flagFirst.err.find("name the folder first"), std::string::npos) << flagFirst.err;
  const Ran unknown = runHelper(SG_DEMO_WORLD, "w --colour red");
  EXPECT_EQ(unknown.status, 1);
  EXPECT_NE(unknown.err.find("unknown argument --colour"), std::string::npos) << unknown.err;
  for (const auto& e : fs::directory_iterator(".")) EXPECT_NE(e.path().filename().string()[0], '-') << e.path();
  EXPECT_FALSE(fs::exists("w/level.dat"));
}
