// Paths and files as the runtime sees them: a path in its parts, and a
// file read whole up to a bound.
#ifndef VELBROOK_CORE_FILE_PATHS_H
#define VELBROOK_CORE_FILE_PATHS_H

#include <cstddef>
#include <string>

namespace velbrook {

// A path in the four parts the runtime's path splitter gives: drive ("C:"
// or empty), directory (up to and including the last \ or /), name (the last
// component up to its last dot) and extension (from that dot on).
struct PathParts {
  std::string drive;
  std::string dir;
  std::string name;
  std::string ext;
};
PathParts SplitPath(const std::string& path);

// The whole of the file `path` into `bytes`; false when it cannot be read
// (missing, a folder, no access) or holds more than `maxBytes`.
bool ReadFileUpTo(const std::string& path, std::size_t maxBytes, std::string& bytes);

}  // namespace velbrook

#endif
