// Putting the written page on the user's Neocities site: the site-name rule,
// the files that go, the upload request's body, reading the server's answer,
// and the run that ties them together at Finish.
#ifndef VELBROOK_CORE_PUBLISH_H
#define VELBROOK_CORE_PUBLISH_H

#include <string>
#include <vector>

#include "core/page_settings.h"
#include "core/services.h"
#include "core/texts.h"

namespace velbrook {

// The one host the program publishes to.
extern const char kPublishHost[];

// A site name goes into a URL and a header: letters, digits and '-' only,
// 1 to 32 of them.
bool IsSiteName(const std::string& name);

// A key pasted from the site's settings: 32 hex digits. Anything else typed
// is a password.
bool LooksLikeKey(const std::string& text);

// What keeps the publishing page from being left, as a message id (0: none):
// with the tick on, a site name that breaks the rule, or neither a password
// typed nor the key of that site kept.
int PublishPageProblem(const PublishSettings& settings);

struct UploadFile {
  std::string name;  // the name on the site
  std::string bytes;
};

struct UploadPlan {
  std::vector<UploadFile> files;       // the page first
  std::vector<std::string> notBeside;  // referred to, but not beside the page
};

// The page under its own file name, and every file the written page refers
// to that lies beside it, under its bare name. `files` names the files as
// the written page does (made bare by the copy offer).
UploadPlan PlanUpload(const PageSettings& settings, const PageFiles& files, const std::string& page);

struct MultipartBody {
  std::string boundary;
  std::string body;
};

// The multipart/form-data body with one part per file, each named after
// the file; the boundary occurs in none of the files.
MultipartBody BuildMultipart(const std::vector<UploadFile>& files);

// The fields of the server's JSON answer the program reads. `read` is false
// for anything that is not a JSON object.
struct ServerAnswer {
  bool read = false;
  std::string result;
  std::string errorType;
  std::string message;
  std::string apiKey;
};
ServerAnswer ReadServerAnswer(const std::string& body);

enum class PublishOutcome {
  kPublished,
  kNoConnection,
  kAuthRefused,
  kFileRefused,
  kSiteFull,
  kTimeout,
  kCancelled,
  kNoTls12,
  kBadAnswer,
  kRefused,  // any other refusal the server explains in its message
};

// What an answer to a request means for the user.
PublishOutcome ClassifyAnswer(const HttpsAnswer& answer, const ServerAnswer& read);

// The message id that tells `outcome`.
int OutcomeMessage(PublishOutcome outcome);

// Overwrites a secret (a password, a key) and empties it.
void Wipe(std::string& secret);

// Wipes `secret` when the scope it guards is left, however it is left.
class SecretGuard {
 public:
  explicit SecretGuard(std::string& secret) : m_secret(secret) {}
  ~SecretGuard() { Wipe(m_secret); }
  SecretGuard(const SecretGuard&) = delete;
  SecretGuard& operator=(const SecretGuard&) = delete;

 private:
  std::string& m_secret;
};

// Fills the publishing block from what this computer remembers.
void RecallPublishing(PublishSettings& settings, Services& services);

// At Finish, once the page file `page` is written, naming its files as
// `files` does: puts it and the files beside it on the site, keeps or
// forgets the key as "Remember" says, tells the outcome and offers to open
// the page. Wipes the password typed.
void PublishPage(PageSettings& settings, const PageFiles& files, const std::string& page, Services& services,
                 const TextSource& texts);

}  // namespace velbrook

#endif
