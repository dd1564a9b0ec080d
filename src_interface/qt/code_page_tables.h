// Tables of the single-byte code pages used by translated captions.
#pragma once

namespace sg::qt {

// The 128 characters of bytes 0x80..0xFF of a Windows code page (874, 1250 to 1258), or null.
const char16_t* singleByteHighHalf(int codePage);

}  // namespace sg::qt
