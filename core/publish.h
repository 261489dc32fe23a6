// Putting the written page on the user's Neocities site: the site-name and
// file rules, what a free site takes, the files that go, and the run that
// ties them together at Finish. The API itself is core/neocities_api.h.
#ifndef VELBROOK_CORE_PUBLISH_H
#define VELBROOK_CORE_PUBLISH_H

#include <string>
#include <vector>

#include "core/neocities_api.h"
#include "core/page_settings.h"
#include "core/secrets.h"
#include "core/services.h"
#include "core/texts.h"

namespace velbrook {

// A site name goes into a URL and a header: letters, digits and '-' only,
// 1 to 32 of them.
bool IsSiteName(const std::string& name);

// A key as Neocities gives it: 32 hex digits. Anything else typed is a
// password.
bool LooksLikeKey(const std::string& text);

// A file name the upload may carry and this computer may open: no quote,
// control character or path, no DOS device name (CON, NUL, COM1...,
// whatever follows a dot) and no dot or blank at its end.
bool IsPartName(const std::string& name);

// What keeps the publishing page from being left, as a message id (0: none):
// with the tick on, a site name that breaks the rule, or neither a password
// typed nor the key of that site kept.
int PublishPageProblem(const PublishSettings& settings);

// What a page can use a file as, by its extension (any case).
enum class FileKind { kPage, kPicture, kSound, kOther };
FileKind KindOf(const std::string& name);
// Whether a free Neocities site takes files of this name's type.
bool FreeSiteTakes(const std::string& name);

struct PlannedFile {
  std::string name;  // on the site, as the user knows it
  FileKind kind = FileKind::kOther;
  bool isPage = false;
  std::string bytes;
};

struct UploadPlan {
  std::vector<PlannedFile> files;      // the page last
  std::vector<std::string> notBeside;  // referred to, but not beside the page
  std::vector<std::string> notKind;    // named as a picture or sound, but none
};

// The page (as index.html when it is to be the site's front page, else
// under its own file name), and every picture and sound the written page
// refers to that lies beside it, under its bare name. `files` names them as
// the written page does (made bare by the copy offer).
UploadPlan PlanUpload(const PageSettings& settings, const PageFiles& files, const std::string& page);

// The message id that tells `outcome`.
int OutcomeMessage(PublishOutcome outcome);

// Fills the publishing block from what this computer remembers.
void RecallPublishing(PublishSettings& settings, Services& services);

// At Finish, once the page file `page` is written, naming its files as
// `files` does: puts it and the files
// beside it that the site lacks on the site, keeps or forgets the key as
// "Remember" says, tells the outcome and offers to open the page. Wipes the
// password typed.
void PublishPage(PageSettings& settings, const PageFiles& files, const std::string& page, Services& services,
                 const TextSource& texts);

}  // namespace velbrook

#endif
