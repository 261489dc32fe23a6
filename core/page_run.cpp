#include "core/page_run.h"

#include <new>
#include <stdexcept>

#include "core/delivery.h"
#include "core/page_reader.h"
#include "core/publish.h"
#include "core/text_message.h"
#include "res/resource.h"

namespace velbrook {

namespace {

// Runs one step of making and delivering the page. Its failure is reported
// (messages 3 and 4) and marks the page as possibly bad; the run goes on, so
// that help is closed and the main window destroyed whatever was thrown.
// A text that would outgrow what a string can hold is a want of memory too;
// anything else we did not foresee is a part of the program that is not as
// it should be, which is what "Bad resource" says.
template <typename Step>
void RunStep(PageDelivery& delivery, Step step) {
  try {
    step();
  } catch (const std::bad_alloc&) {
    delivery.ReportFailure(IDS_MEMORY_ERROR);
  } catch (const std::length_error&) {
    delivery.ReportFailure(IDS_MEMORY_ERROR);
  } catch (...) {
    delivery.ReportFailure(IDS_RESOURCE_ERROR);
  }
}

}  // namespace

void StartFromPage(const std::string& pageFile, PageSettings& settings, Services& services,
                   const TextSource& texts) {
  if (pageFile.empty() || ReadPageFile(pageFile, texts, settings)) return;
  // Help shows the welcome topic, which tells how a page is opened again.
  ShowTextMessage(services, texts, IDS_PAGE_UNREADABLE, kMbOk | kMbIconExclamation, pageFile,
                  IDS_HELP_WELCOME - IDS_HELP_BASE);
}

void FinishRun(int wizardResult, PageSettings& settings, std::string& page, Services& services,
               const TextSource& texts, const Clock& clock, CreationNotice& notice) {
  // The password typed is for this run's Finish only.
  const SecretGuard password(settings.publish.m_strPassword);
  if (wizardResult == kWizardCancel) {
    ShowTextMessage(services, texts, IDS_CANCELLED, kMbOk | kMbIconExclamation);
    return;
  }
  if (wizardResult == kWizardNotCreated) {
    ShowTextMessage(services, texts, IDS_RESOURCE_ERROR, kMbOk | kMbIconExclamation);
    return;
  }
  if (wizardResult != kWizardFinish) return;

  const FileSettings& file = settings.file;
  if (file.m_strFileName.empty() && !file.m_bClipboard) {
    ShowTextMessage(services, texts, IDS_NO_PAGE, kMbOk | kMbIconInformation);
    return;
  }

  notice.Show();
  PageDelivery delivery(services, texts);
  // The copy offer asks its questions before a byte of the page is written,
  // so the writer only assembles text and Finish names the files one way.
  // Nothing here lets a failure escape, so the application always closes
  // help and its window.
  PageFiles files;
  bool built = false;
  RunStep(delivery, [&] {
    files = delivery.OfferCopies(settings);
    BuildPage(settings, files, page, texts, clock);
    built = true;
  });
  // A page cut short may still be better than none where there was none:
  // a new file receives it, and the outcome warns that it may be bad. It
  // never replaces a file already there, which may be the very page the
  // user opened to change, nor what the user had on the clipboard.
  bool kept = false;
  if (!page.empty()) {
    if (file.m_bClipboard && built) RunStep(delivery, [&] { delivery.CopyPageToClipboard(page); });
    if (!file.m_strFileName.empty()) {
      RunStep(delivery, [&] {
        // An empty name is no file, so any file there counts.
        kept = !built && services.AnotherFileAt(file.m_strFileName, std::string());
        if (!kept) delivery.WritePageFile(page, file.m_strFileName);
      });
    }
  }
  notice.Remove();
  if (kept) {
    ShowTextMessage(services, texts, IDS_PAGE_KEPT, kMbOk | kMbIconExclamation, file.m_strFileName);
  } else {
    ShowTextMessage(services, texts, delivery.Failed() ? IDS_BAD_PAGE : IDS_PAGE_CREATED, kMbOk | kMbIconInformation,
                    file.m_strFileName);
  }
  // Only a page written whole goes on the web; the file stays whatever
  // becomes of the upload.
  RunStep(delivery, [&] {
    PublishPage(settings, files, delivery.Failed() || file.m_strFileName.empty() ? std::string() : page, services,
                texts);
  });
}

}  // namespace velbrook
