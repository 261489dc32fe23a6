// The rules of a file-contents drop, apart from any window: which sizes are
// taken and how the bytes read become the control's text.
#ifndef VELBROOK_DRAVEL_DROP_RULES_H
#define VELBROOK_DRAVEL_DROP_RULES_H

#include <cstddef>
#include <cstdint>

namespace dravel {

// The largest file whose contents a drop takes, in bytes.
const std::uint64_t kMaxDropBytes = 0xFFFF;

inline bool DropSizeAccepted(std::uint64_t size) { return size <= kMaxDropBytes; }

// The length of the text of `bytesRead` bytes: the edit's text ends at the
// first zero byte, and never reaches past what was actually read.
inline std::size_t DropTextLength(const char* bytes, std::size_t bytesRead) {
  std::size_t length = 0;
  while (length < bytesRead && bytes[length] != '\0') ++length;
  return length;
}

}  // namespace dravel

#endif
