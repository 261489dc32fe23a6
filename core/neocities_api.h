// The Neocities API as this program speaks it: the requests (the key for a
// password, the site's file list, one upload), their bodies, and what an
// answer says. No rule of what to publish lives here.
#ifndef VELBROOK_CORE_NEOCITIES_API_H
#define VELBROOK_CORE_NEOCITIES_API_H

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/code_page.h"
#include "core/services.h"

namespace velbrook {

// The one host the program publishes to.
extern const char kPublishHost[];

std::string Base64(const std::string& bytes);

// `text` (in `codePage`, the process code page) as UTF-8, which the API
// takes for names and credentials whatever code page the computer uses.
// In a name a "&#N;" as the page writes it stands for the character N (a
// page names a file its code page cannot hold so); a password is what was
// typed, "&#" and all.
enum class References { kCharacters, kVerbatim };
std::string ToUtf8(std::string_view text, const CodePage& codePage, References references);

struct UploadFile {
  std::string name;  // the part's name: the path on the site, as UTF-8
  std::string bytes;
};

struct MultipartBody {
  std::string boundary;
  std::string body;
};

// The multipart/form-data body with one part per file, each named after
// the file; the boundary occurs in none of the files. The files' bytes are
// moved into the body, so that the upload is held once.
MultipartBody BuildMultipart(std::vector<UploadFile>&& files);
MultipartBody BuildMultipart(const std::vector<UploadFile>& files);

// The requests. `site` and `password` are UTF-8.
HttpsRequest KeyRequest(const std::string& site, const std::string& password);
HttpsRequest ListRequest(const std::string& key);
// `label` is the name the progress window shows while the body goes.
HttpsRequest UploadRequest(const std::string& key, MultipartBody&& body, const std::string& label);

// The fields of the server's JSON answer the program reads. `read` is false
// for anything that is not a JSON object of at most `maxBytes`.
struct ServerAnswer {
  bool read = false;
  std::string result;
  std::string errorType;
  std::string message;
  std::string apiKey;
};
ServerAnswer ReadServerAnswer(const std::string& body, std::size_t maxBytes = kMaxAnswerBytes);

// The site's files from the /api/list answer: path to SHA-1 (as the server
// writes it). `read` is false when the answer is not a list.
struct SiteFiles {
  bool read = false;
  std::map<std::string, std::string> sha1ByPath;
};
SiteFiles ReadSiteFiles(const std::string& body);

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

}  // namespace velbrook

#endif
