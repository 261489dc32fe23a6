#include "core/delivery.h"

#include "core/file_paths.h"
#include "core/html_writer.h"
#include "core/text_message.h"
#include "core/text_rules.h"
#include "res/resource.h"

namespace velbrook {

std::string PageDelivery::OfferCopyToPageDir(const std::string& pageFile, const std::string& reference) {
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
  return ref.name + ref.ext;
}

PageFiles PageDelivery::OfferCopies(const PageSettings& settings) {
  const std::string& pageFile = settings.file.m_strFileName;
  return ResolveFiles(settings, [&](const std::string& reference) { return OfferCopyToPageDir(pageFile, reference); });
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

void PageDelivery::ReportFailure(int id) {
  // Marked first: the outcome must warn even when this message cannot say why.
  m_bError = true;
  ShowTextMessage(m_services, m_texts, id, kMbOk | kMbIconExclamation);
}

}  // namespace velbrook
