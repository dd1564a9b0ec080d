// Stands in for a render tool in the runner's tests: appends its name and arguments to
// recorded.txt, one argument a line in brackets, and exits with 3 when an argument is "fail".
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  FILE* f = std::fopen("recorded.txt", "ab");
  if (!f) return 2;
  const char* name = std::strrchr(argv[0], '/');
  std::fprintf(f, "%s\n", name ? name + 1 : argv[0]);
  int status = 0;
  for (int i = 1; i < argc; ++i) {
    std::fprintf(f, "[%s]\n", argv[i]);
    if (std::strcmp(argv[i], "fail") == 0) status = 3;
  }
  std::fprintf(f, "--\n");
  std::fclose(f);
  std::printf("recorder ran\n");
  return status;
}
