#include "core/preview.h"

#include <cstdio>
#include <cstring>
#include <utility>

#include "core/text_message.h"
#include "core/text_rules.h"
#include "res/resource.h"

namespace velbrook {

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool HasDrive(const std::string& path) {
  return path.size() >= 2 && path[1] == ':' &&
         ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

std::string JoinPath(const std::string& directory, const std::string& rest) {
  if (directory.empty() || IsSeparator(directory.back())) return directory + rest;
  return directory + '\\' + rest;
}

// `path` as the file system resolves it from `currentDirectory`, the way
// the copy offer's copy would find the file.
std::string AbsolutePath(const std::string& path, const std::string& currentDirectory) {
  const bool rooted = !path.empty() && IsSeparator(path[0]);
  if (HasDrive(path)) {
    if (path.size() > 2 && IsSeparator(path[2])) return path;
    // "C:name" lies in the current directory of drive C:, which is known
    // only when it is the current drive.
    const std::string rest = path.substr(2);
    if (HasDrive(currentDirectory) && EqualsIgnoreAsciiCase(path.substr(0, 2), currentDirectory.substr(0, 2))) {
      return JoinPath(currentDirectory, rest);
    }
    return path.substr(0, 2) + '\\' + rest;
  }
  if (rooted) {
    // "\\server\share\..." stands alone; "\dir\..." lies on the current drive.
    if (path.size() > 1 && IsSeparator(path[1])) return path;
    return HasDrive(currentDirectory) ? currentDirectory.substr(0, 2) + path : path;
  }
  return JoinPath(currentDirectory, path);
}

}  // namespace

std::string FileUrl(const std::string& path, const std::string& currentDirectory) {
  if (path.empty() || HasScheme(path)) return path;
  const std::string absolute = AbsolutePath(path, currentDirectory);
  // A network path keeps its server as the URL's host: file://server/share.
  const bool network = absolute.size() > 1 && IsSeparator(absolute[0]) && IsSeparator(absolute[1]);
  std::string url = network ? "file:" : "file:///";
  static const char kEscaped[] = "\"#%<>?`{}|^";
  for (const char c : absolute) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (c == '\\') {
      url += '/';
    } else if (byte <= 0x20 || byte == 0x7F || std::strchr(kEscaped, c)) {
      char escape[4];
      std::snprintf(escape, sizeof escape, "%%%02X", byte);
      url += escape;
    } else {
      url += c;
    }
  }
  return url;
}

std::string BuildPreviewPage(const PageSettings& settings, const TextSource& texts, const Clock& clock,
                             const std::string& currentDirectory) {
  std::string page;
  BuildPage(settings, ResolveFiles(settings, [&](const std::string& reference) { return FileUrl(reference, currentDirectory); }),
            page, texts, clock);
  return page;
}

PagePreview::PagePreview(const PageSettings& settings, Services& services, const TextSource& texts,
                         const Clock& clock, std::string fileName)
    : m_settings(settings), m_services(services), m_texts(texts), m_clock(clock), m_fileName(std::move(fileName)) {}

PagePreview::~PagePreview() {
  if (!m_path.empty()) std::remove(m_path.c_str());
}

bool PagePreview::Show(const PageSettings& current, int helpContext) {
  bool written = false;
  // A failure to build, to find the folder or to write ends in the one
  // message; the wizard behind it goes on as it was.
  try {
    const std::string page = BuildPreviewPage(current, m_texts, m_clock, m_services.CurrentDirectory());
    if (m_path.empty()) {
      const std::string folder = m_services.TempFolder();
      if (!folder.empty()) m_path = JoinPath(folder, m_fileName);
    }
    if (!m_path.empty()) {
      if (std::FILE* file = std::fopen(m_path.c_str(), "wb")) {
        written = std::fwrite(page.data(), 1, page.size(), file) == page.size();
        written = std::fclose(file) == 0 && written;
      }
    }
  } catch (...) {
    written = false;
  }
  if (written && m_services.OpenWithShell(m_path)) return true;
  ShowTextMessage(m_services, m_texts, IDS_PREVIEW_ERROR, kMbOk | kMbIconExclamation, m_path, helpContext);
  return false;
}

}  // namespace velbrook
