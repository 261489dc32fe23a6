#include "core/file_paths.h"

#include <cstdio>
#include <memory>

namespace velbrook {

PathParts SplitPath(const std::string& path) {
  PathParts parts;
  std::size_t start = 0;
  if (path.size() >= 2 && path[1] == ':') {
    parts.drive = path.substr(0, 2);
    start = 2;
  }
  std::size_t lastSep = path.find_last_of("\\/");
  std::size_t nameStart = start;
  if (lastSep != std::string::npos && lastSep >= start) {
    parts.dir = path.substr(start, lastSep + 1 - start);
    nameStart = lastSep + 1;
  }
  std::size_t dot = path.rfind('.');
  if (dot != std::string::npos && dot >= nameStart) {
    parts.name = path.substr(nameStart, dot - nameStart);
    parts.ext = path.substr(dot);
  } else {
    parts.name = path.substr(nameStart);
  }
  return parts;
}

bool ReadFileUpTo(const std::string& path, std::size_t maxBytes, std::string& bytes) {
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!file) return false;
  // Read up to one byte past the bound, so that a larger file is told
  // without asking its size, and a folder fails in the read.
  char buffer[65536];
  std::size_t got;
  while (bytes.size() <= maxBytes && (got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
    bytes.append(buffer, got);
  }
  return !std::ferror(file.get()) && bytes.size() <= maxBytes;
}

}  // namespace velbrook
