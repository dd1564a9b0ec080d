# Writes a C++ source holding files' bytes, for a program that must write them out again:
#   cmake -DOUT=<file.cpp> -DNAMESPACE=<ns> -DFILES="<name>=<path>|..." -P embed_files.cmake
# The source defines `std::span<const EmbeddedFile> embeddedFiles()` in that namespace.
string(REPLACE "|" ";" FILES "${FILES}")
set(body "")
set(list "")
set(index 0)
foreach(pair IN LISTS FILES)
  string(FIND "${pair}" "=" eq)
  string(SUBSTRING "${pair}" 0 ${eq} name)
  math(EXPR from "${eq} + 1")
  string(SUBSTRING "${pair}" ${from} -1 path)
  file(READ "${path}" hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR size "${digits} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "((0x..,){32})" "\\1\n" bytes "${bytes}")
  string(APPEND body "const unsigned char file${index}[] = {\n${bytes}0};\n")
  string(APPEND list "    {\"${name}\", file${index}, ${size}},\n")
  math(EXPR index "${index} + 1")
endforeach()
file(WRITE "${OUT}.new" "// Made by the build from the files named below; not to be edited.
#include \"zoom_map/embedded_files.h\"

namespace ${NAMESPACE} {
namespace {
${body}}  // namespace

std::span<const EmbeddedFile> embeddedFiles() {
  static const EmbeddedFile files[] = {
${list}  };
  return files;
}

}  // namespace ${NAMESPACE}
")
file(COPY_FILE "${OUT}.new" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.new")
