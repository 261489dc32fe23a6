#include "core/delivery.h"

#include <cstdio>
#include <memory>

#include "res/resource.h"

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

bool EqualsIgnoreAsciiCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

void PageDelivery::OfferCopyToPageDir(const std::string& pageFile, std::string& reference) {
  const PathParts ref = SplitPath(reference);
  const PathParts page = SplitPath(pageFile);
  if (!EqualsIgnoreAsciiCase(ref.drive, page.drive) || !EqualsIgnoreAsciiCase(ref.dir, page.dir)) {
    const std::string question = FormatText(m_texts.Load(IDS_COPY_OFFER), reference, pageFile);
    const std::string destination = page.drive + page.dir + ref.name + ref.ext;
    // Another page's picture of the same name may already lie there; the
    // first Yes agreed to a copy, not to losing that file. No keeps it, and
    // the page refers to the bare name as after any No.
    if (m_services.ShowMessage(question, kMbYesNo, kNoHelp) == kIdYes &&
        (!m_services.AnotherFileAt(destination, reference) ||
         m_services.ShowMessage(FormatText(m_texts.Load(IDS_REPLACE_FILE), destination, reference),
                                kMbYesNo | kMbIconExclamation, kNoHelp) == kIdYes)) {
      // The user was promised a copy; one that fails must not end in the
      // congratulation, or the page would point at a file that is not there.
      if (!m_services.CopyFileReplacing(reference, destination)) m_bError = true;
    }
  }
  reference = ref.name + ref.ext;
}

void PageDelivery::WritePageFile(const std::string& page, const std::string& fileName) {
  if (!m_services.WriteFileReplacing(fileName, page)) ReportFailure(IDS_FILE_ERROR);
}

BOOL PageDelivery::CopyPageToClipboard(const std::string& page) {
  // The user's page may live nowhere but on the clipboard; a clipboard that
  // stayed busy must not end in the congratulation.
  if (m_services.PutTextOnClipboard(page)) return TRUE;
  ReportFailure(IDS_CLIPBOARD_ERROR);
  return FALSE;
}

bool HasScheme(const std::string& reference) {
  const std::size_t colon = reference.find("://");
  if (colon == std::string::npos || colon < 2) return false;
  for (std::size_t i = 0; i < colon; ++i) {
    const char c = reference[i];
    const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    if (!letter && !(i > 0 && ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.'))) return false;
  }
  return true;
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

int ShowTextMessage(Services& services, const TextSource& texts, int id, unsigned style, const std::string& first,
                    int helpContext, const std::string& second) {
  // Whatever fails here, loading the text or showing the box, leaves this
  // one message out; the run must still get to its closing steps.
  try {
    return services.ShowMessage(FormatText(texts.Load(id), first, second), style, helpContext);
  } catch (...) {
    return kIdCancel;
  }
}

void PageDelivery::ReportFailure(int id) {
  // Marked first: the outcome must warn even when this message cannot say why.
  m_bError = true;
  ShowTextMessage(m_services, m_texts, id, kMbOk | kMbIconExclamation);
}

}  // namespace velbrook
