#include "core/publish.h"

#include <cstdio>
#include <nlohmann/json.hpp>

#include "core/file_paths.h"
#include "core/text_message.h"
#include "core/text_rules.h"
#include "res/resource.h"

namespace velbrook {

const char kPublishHost[] = "neocities.org";

namespace {

const std::size_t kMaxSiteName = 32;
// A key read from the server goes into a header: bounded, and plain.
const std::size_t kMaxKey = 128;
// A refusal's own words are shown in a box: a line of them is enough.
const std::size_t kMaxServerMessage = 300;
// Neither the page nor a file beside it is sent when it is larger: the
// whole request is held in memory.
const std::size_t kMaxUploadFile = 64 * 1024 * 1024;

bool IsAsciiAlnum(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// A name the request can carry inside its quotes: no quote, no control
// character, no path.
bool IsPartName(const std::string& name) {
  if (name.empty()) return false;
  for (char c : name) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u < 32 || u == 127 || c == '"' || c == '\\' || c == '/' || c == ':') return false;
  }
  return true;
}

std::string Base64(const std::string& bytes) {
  static const char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    unsigned value = static_cast<unsigned char>(bytes[i]) << 16;
    if (i + 1 < bytes.size()) value |= static_cast<unsigned char>(bytes[i + 1]) << 8;
    if (i + 2 < bytes.size()) value |= static_cast<unsigned char>(bytes[i + 2]);
    out += kDigits[(value >> 18) & 63];
    out += kDigits[(value >> 12) & 63];
    out += i + 1 < bytes.size() ? kDigits[(value >> 6) & 63] : '=';
    out += i + 2 < bytes.size() ? kDigits[value & 63] : '=';
  }
  return out;
}

// The server's own words, made fit for a message box: printable ASCII only
// and one short line.
std::string ShownServerMessage(const std::string& message) {
  std::string shown;
  for (char c : message) {
    if (shown.size() >= kMaxServerMessage) break;
    shown += (c >= 32 && c < 127) ? c : ' ';
  }
  return shown;
}

}  // namespace

void Wipe(std::string& secret) {
  // Through a volatile pointer, so that the compiler keeps the writes.
  volatile char* bytes = secret.empty() ? nullptr : &secret[0];
  for (std::size_t i = 0; i < secret.size(); ++i) bytes[i] = 0;
  secret.clear();
}

bool IsSiteName(const std::string& name) {
  if (name.empty() || name.size() > kMaxSiteName) return false;
  for (char c : name) {
    if (!IsAsciiAlnum(c) && c != '-') return false;
  }
  return true;
}

bool LooksLikeKey(const std::string& text) {
  if (text.size() != 32) return false;
  for (char c : text) {
    if (!IsHexDigit(c)) return false;
  }
  return true;
}

int PublishPageProblem(const PublishSettings& settings) {
  if (!settings.m_bPublish) return 0;
  if (!IsSiteName(settings.m_strSiteName)) return IDS_PUBLISH_BAD_NAME;
  if (settings.m_strPassword.empty() && settings.m_strKeptSite != settings.m_strSiteName) return IDS_PUBLISH_NO_PASSWORD;
  return 0;
}

UploadPlan PlanUpload(const PageSettings& settings, const PageFiles& files, const std::string& page) {
  UploadPlan plan;
  const PathParts pageParts = SplitPath(settings.file.m_strFileName);
  plan.files.push_back({pageParts.name + pageParts.ext, page});
  std::vector<std::string> references;
  if (settings.background.m_bUseBitmap) references.push_back(files.background);
  if (!settings.background.m_strSoundFile.empty()) references.push_back(files.sound);
  if (settings.picture.m_bIncludePicture && !settings.picture.m_strPictureFile.empty()) {
    references.push_back(files.picture);
  }
  for (const std::string& reference : references) {
    // A URL is on the web already.
    if (HasScheme(reference)) continue;
    bool sent = false;
    for (const UploadFile& file : plan.files) sent = sent || EqualsIgnoreAsciiCase(file.name, reference);
    if (sent) continue;
    UploadFile file{reference, std::string()};
    if (IsPartName(reference) && ReadFileUpTo(pageParts.drive + pageParts.dir + reference, kMaxUploadFile, file.bytes)) {
      plan.files.push_back(std::move(file));
    } else {
      plan.notBeside.push_back(reference);
    }
  }
  return plan;
}

MultipartBody BuildMultipart(const std::vector<UploadFile>& files) {
  MultipartBody result;
  // The boundary must not occur in any file: count up until it does not.
  for (unsigned n = 0;; ++n) {
    char boundary[48];
    std::snprintf(boundary, sizeof boundary, "----VelbrookBoundary%08X", n * 2654435761u);
    bool inData = false;
    for (const UploadFile& file : files) inData = inData || file.bytes.find(boundary) != std::string::npos;
    if (!inData) {
      result.boundary = boundary;
      break;
    }
  }
  for (const UploadFile& file : files) {
    result.body += "--" + result.boundary + "\r\n";
    result.body += "Content-Disposition: form-data; name=\"" + file.name + "\"; filename=\"" + file.name + "\"\r\n";
    result.body += "Content-Type: application/octet-stream\r\n\r\n";
    result.body += file.bytes;
    result.body += "\r\n";
  }
  result.body += "--" + result.boundary + "--\r\n";
  return result;
}

ServerAnswer ReadServerAnswer(const std::string& body) {
  ServerAnswer answer;
  if (body.size() > kMaxAnswerBytes) return answer;
  const nlohmann::json json = nlohmann::json::parse(body, nullptr, false);
  if (json.is_discarded() || !json.is_object()) return answer;
  answer.read = true;
  const auto text = [&json](const char* name) {
    const auto it = json.find(name);
    return it != json.end() && it->is_string() ? it->get<std::string>() : std::string();
  };
  answer.result = text("result");
  answer.errorType = text("error_type");
  answer.message = text("message");
  answer.apiKey = text("api_key");
  return answer;
}

PublishOutcome ClassifyAnswer(const HttpsAnswer& answer, const ServerAnswer& read) {
  switch (answer.failure) {
    case HttpsFailure::kNone:
      break;
    case HttpsFailure::kNoConnection:
      return PublishOutcome::kNoConnection;
    case HttpsFailure::kTimeout:
      return PublishOutcome::kTimeout;
    case HttpsFailure::kCancelled:
      return PublishOutcome::kCancelled;
    case HttpsFailure::kNoTls12:
      return PublishOutcome::kNoTls12;
    case HttpsFailure::kTooLong:
      return PublishOutcome::kBadAnswer;
  }
  if (answer.status == 401 || answer.status == 403 || read.errorType == "invalid_auth") {
    return PublishOutcome::kAuthRefused;
  }
  if (!read.read || read.result.empty()) return PublishOutcome::kBadAnswer;
  if (read.result == "success" && answer.status == 200) return PublishOutcome::kPublished;
  if (read.errorType == "invalid_file_type") return PublishOutcome::kFileRefused;
  if (read.errorType == "too_large" || read.errorType == "too_many_files") return PublishOutcome::kSiteFull;
  if (read.result == "error") return PublishOutcome::kRefused;
  return PublishOutcome::kBadAnswer;
}

int OutcomeMessage(PublishOutcome outcome) {
  switch (outcome) {
    case PublishOutcome::kPublished:
      return IDS_PUBLISH_DONE;
    case PublishOutcome::kNoConnection:
      return IDS_PUBLISH_NO_CONNECTION;
    case PublishOutcome::kAuthRefused:
      return IDS_PUBLISH_AUTH;
    case PublishOutcome::kFileRefused:
      return IDS_PUBLISH_FILE_TYPE;
    case PublishOutcome::kSiteFull:
      return IDS_PUBLISH_FULL;
    case PublishOutcome::kTimeout:
      return IDS_PUBLISH_TIMEOUT;
    case PublishOutcome::kCancelled:
      return IDS_PUBLISH_CANCELLED;
    case PublishOutcome::kNoTls12:
      return IDS_PUBLISH_NO_TLS;
    case PublishOutcome::kBadAnswer:
      return IDS_PUBLISH_BAD_ANSWER;
    case PublishOutcome::kRefused:
      break;
  }
  return IDS_PUBLISH_REFUSED;
}

void RecallPublishing(PublishSettings& settings, Services& services) {
  const RememberedSite site = services.RecallSite();
  if (site.siteName.empty()) return;
  settings.m_strSiteName = site.siteName;
  settings.m_bRemember = TRUE;
  if (!site.key.empty()) settings.m_strKeptSite = site.siteName;
  // A site whose key is kept is published to again without asking.
  settings.m_bPublish = !site.key.empty();
}

namespace {

// The talk with the server, on the transfer's thread: the key (from the
// password when one was typed), then the upload. Asks the user nothing.
struct Exchange {
  std::string site;
  std::string password;  // empty when the key is known
  std::string key;
  MultipartBody body;
  PublishOutcome outcome = PublishOutcome::kBadAnswer;
  std::string serverMessage;
  bool keyAccepted = false;  // the server took the key (or gave it)
  bool keptKey = false;      // the key is the one this computer kept

  void Run(HttpsLink& link) {
    if (!password.empty()) {
      HttpsRequest ask{"GET", "/api/key", "Authorization: Basic " + Base64(site + ":" + password) + "\r\n", ""};
      const HttpsAnswer answer = link.Send(ask);
      Wipe(ask.headers);
      const ServerAnswer read = ReadServerAnswer(answer.body);
      outcome = ClassifyAnswer(answer, read);
      if (outcome != PublishOutcome::kPublished) return Refused(read);
      if (read.apiKey.empty() || read.apiKey.size() > kMaxKey) {
        outcome = PublishOutcome::kBadAnswer;
        return;
      }
      for (char c : read.apiKey) {
        if (!IsAsciiAlnum(c)) {
          outcome = PublishOutcome::kBadAnswer;
          return;
        }
      }
      key = read.apiKey;
    }
    const HttpsRequest upload{"POST", "/api/upload",
                              "Authorization: Bearer " + key + "\r\nContent-Type: multipart/form-data; boundary=" +
                                  body.boundary + "\r\n",
                              body.body};
    const HttpsAnswer answer = link.Send(upload);
    const ServerAnswer read = ReadServerAnswer(answer.body);
    outcome = ClassifyAnswer(answer, read);
    Refused(read);
  }

  // A key that never reached the server is kept all the same, as the user
  // typed it or the server gave it; only a refused one is not.
  void Refused(const ServerAnswer& read) {
    keyAccepted = !key.empty() && outcome != PublishOutcome::kAuthRefused;
    serverMessage = ShownServerMessage(read.message);
  }
};

}  // namespace

void PublishPage(PageSettings& settings, const PageFiles& files, const std::string& page, Services& services,
                 const TextSource& texts) {
  PublishSettings& publish = settings.publish;
  const std::string& pageFile = settings.file.m_strFileName;
  const SecretGuard password(publish.m_strPassword);
  // Read once: the key is decrypted each time it is read.
  RememberedSite kept = services.RecallSite();
  const SecretGuard keptKey(kept.key);
  const auto forgetKept = [&] {
    if (!kept.siteName.empty()) services.RememberSite(RememberedSite());
  };
  if (!publish.m_bPublish) {
    // Unticking "Remember" and finishing removes what was kept.
    if (!publish.m_bRemember) forgetKept();
    return;
  }
  if (page.empty() || pageFile.empty()) {
    ShowTextMessage(services, texts, IDS_PUBLISH_NOT_WRITTEN, kMbOk | kMbIconExclamation);
    return;
  }

  Exchange exchange;
  exchange.site = publish.m_strSiteName;
  if (LooksLikeKey(publish.m_strPassword)) {
    exchange.key = publish.m_strPassword;
  } else if (!publish.m_strPassword.empty()) {
    exchange.password = publish.m_strPassword;
  } else {
    if (kept.siteName == publish.m_strSiteName) exchange.key = kept.key;
    exchange.keptKey = !exchange.key.empty();
  }
  // Gone from the record before anything is sent.
  Wipe(publish.m_strPassword);

  const UploadPlan plan = PlanUpload(settings, files, page);
  if (!IsSiteName(exchange.site) || (exchange.key.empty() && exchange.password.empty())) {
    exchange.outcome = PublishOutcome::kAuthRefused;
  } else {
    exchange.body = BuildMultipart(plan.files);
    services.RunTransfer(kPublishHost, [&exchange](HttpsLink& link) { exchange.Run(link); });
  }
  Wipe(exchange.password);

  if (publish.m_bRemember && exchange.keyAccepted && !exchange.key.empty()) {
    services.RememberSite({exchange.site, exchange.key});
  } else if (!publish.m_bRemember || (exchange.keptKey && exchange.outcome == PublishOutcome::kAuthRefused)) {
    // A kept key the server refused is no use kept; a wrong password typed
    // says nothing about it.
    forgetKept();
  }
  Wipe(exchange.key);

  const int id = OutcomeMessage(exchange.outcome);
  if (exchange.outcome != PublishOutcome::kPublished) {
    ShowTextMessage(services, texts, id, kMbOk | kMbIconExclamation, pageFile, kNoHelp, exchange.serverMessage);
    return;
  }
  const std::string address = "https://" + exchange.site + ".neocities.org/" + plan.files.front().name;
  std::string notBeside;
  for (const std::string& name : plan.notBeside) notBeside += (notBeside.empty() ? "" : ", ") + name;
  std::string note;
  try {
    if (!notBeside.empty()) note = FormatText(texts.Load(IDS_PUBLISH_NOT_BESIDE), notBeside);
  } catch (const ResourceError&) {
  }
  if (ShowTextMessage(services, texts, id, kMbYesNo | kMbIconInformation, address, kNoHelp, note) == kIdYes) {
    services.OpenWithShell(address);
  }
}

}  // namespace velbrook
