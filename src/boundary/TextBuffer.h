#ifndef EDIHAL_BOUNDARY_TEXTBUFFER_H
#define EDIHAL_BOUNDARY_TEXTBUFFER_H

#include <cstdint>
#include <string>

namespace edihal {

// Fills a host buffer of 300 bytes the way strncpy with a count of 299 does
// (the text up to its first NUL, cut to 299 bytes, the rest NUL) and always
// ends it with a NUL in byte 299.  A null buffer is left alone.
void WriteTextBuffer(char* buffer, const std::string& text);

// The host's NUL-terminated text as the module's own string; null is empty.
std::string TextArgument(const char* text);

// The number the host wrote in a text: trimmed and read as a whole signed
// 32-bit integer; -1 when it is empty or not a number.
std::int32_t NumberArgument(const char* text);

}  // namespace edihal

#endif  // EDIHAL_BOUNDARY_TEXTBUFFER_H
