#include "core/page_run.h"

#include <new>

#include "core/delivery.h"
#include "res/resource.h"

namespace velbrook {

void FinishRun(int wizardResult, PageSettings& settings, std::string& page, Services& services,
               const TextSource& texts, const Clock& clock, CreationNotice& notice) {
  if (wizardResult == kWizardCancel) {
    services.ShowMessage(texts.Load(IDS_CANCELLED), kMbOk | kMbIconExclamation, kNoHelp);
    return;
  }
  if (wizardResult != kWizardFinish) return;

  const FileSettings& file = settings.file;
  if (file.m_strFileName.empty() && !file.m_bClipboard) {
    services.ShowMessage(texts.Load(IDS_NO_PAGE), kMbOk | kMbIconInformation, kNoHelp);
    return;
  }

  notice.Show();
  PageDelivery delivery(services, texts);
  // A failure while writing still delivers what was written so far; the
  // outcome message then warns that the page may be bad.
  try {
    BuildPage(settings, page, texts, delivery, clock);
  } catch (const std::bad_alloc&) {
    delivery.ReportFailure(IDS_MEMORY_ERROR);
  } catch (const ResourceError&) {
    delivery.ReportFailure(IDS_RESOURCE_ERROR);
  }
  if (!page.empty()) {
    if (file.m_bClipboard) delivery.CopyPageToClipboard(page);
    if (!file.m_strFileName.empty()) delivery.WritePageFile(page, file.m_strFileName);
  }
  notice.Remove();
  const int outcome = delivery.Failed() ? IDS_BAD_PAGE : IDS_PAGE_CREATED;
  services.ShowMessage(FormatText(texts.Load(outcome), file.m_strFileName), kMbOk | kMbIconInformation, kNoHelp);
}

}  // namespace velbrook
