#include "core/neocities_api.h"

#include <cstdio>
#include <nlohmann/json.hpp>

#include "core/secrets.h"

namespace velbrook {

const char kPublishHost[] = "neocities.org";

namespace {

// A site's list names every file it holds: a big site's is long.
const std::size_t kMaxListBytes = 8 * 1024 * 1024;

}  // namespace

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

std::string ToUtf8(std::string_view text, const CodePage& codePage, References references) {
  // UTF-8 holds every character, so the recoding makes no reference of its
  // own; those of a name then turn back as the page reader turns them.
  std::string utf8 = Recode(text, codePage, Utf8CodePage());
  return references == References::kCharacters ? WithoutReferences(utf8, Utf8CodePage()) : utf8;
}

MultipartBody BuildMultipart(std::vector<UploadFile>&& files) {
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
  std::size_t size = result.boundary.size() + 8;
  for (const UploadFile& file : files) size += file.bytes.size() + 2 * file.name.size() + 160;
  result.body.reserve(size);
  for (UploadFile& file : files) {
    result.body += "--" + result.boundary + "\r\n";
    result.body += "Content-Disposition: form-data; name=\"" + file.name + "\"; filename=\"" + file.name + "\"\r\n";
    result.body += "Content-Type: application/octet-stream\r\n\r\n";
    result.body += file.bytes;
    result.body += "\r\n";
    // The body is now the one copy of the file.
    std::string().swap(file.bytes);
  }
  result.body += "--" + result.boundary + "--\r\n";
  return result;
}

MultipartBody BuildMultipart(const std::vector<UploadFile>& files) {
  return BuildMultipart(std::vector<UploadFile>(files));
}

HttpsRequest KeyRequest(const std::string& site, const std::string& password) {
  HttpsRequest request{"GET", "/api/key", "", "", ""};
  std::string pair = site + ":" + password;
  request.headers = "Authorization: Basic " + Base64(pair) + "\r\n";
  Wipe(pair);
  return request;
}

HttpsRequest ListRequest(const std::string& key) {
  HttpsRequest request{"GET", "/api/list", "Authorization: Bearer " + key + "\r\n", "", ""};
  request.maxAnswer = kMaxListBytes;
  return request;
}

HttpsRequest UploadRequest(const std::string& key, MultipartBody&& body, const std::string& label) {
  HttpsRequest request{"POST", "/api/upload",
                       "Authorization: Bearer " + key + "\r\nContent-Type: multipart/form-data; boundary=" +
                           body.boundary + "\r\n",
                       std::move(body.body), label};
  return request;
}

namespace {

// The parsed answer, or a discarded value for anything too long or not JSON.
nlohmann::json ParseAnswer(const std::string& body, std::size_t maxBytes) {
  if (body.size() > maxBytes) return nlohmann::json(nlohmann::json::value_t::discarded);
  return nlohmann::json::parse(body, nullptr, false);
}

std::string TextField(const nlohmann::json& json, const char* name) {
  const auto it = json.find(name);
  return it != json.end() && it->is_string() ? it->get<std::string>() : std::string();
}

}  // namespace

ServerAnswer ReadServerAnswer(const std::string& body, std::size_t maxBytes) {
  ServerAnswer answer;
  const nlohmann::json json = ParseAnswer(body, maxBytes);
  if (json.is_discarded() || !json.is_object()) return answer;
  answer.read = true;
  answer.result = TextField(json, "result");
  answer.errorType = TextField(json, "error_type");
  answer.message = TextField(json, "message");
  answer.apiKey = TextField(json, "api_key");
  return answer;
}

SiteFiles ReadSiteFiles(const std::string& body) {
  SiteFiles files;
  const nlohmann::json json = ParseAnswer(body, kMaxListBytes);
  if (json.is_discarded() || !json.is_object() || TextField(json, "result") != "success") return files;
  const auto list = json.find("files");
  if (list == json.end() || !list->is_array()) return files;
  files.read = true;
  for (const nlohmann::json& file : *list) {
    if (!file.is_object()) continue;
    const auto directory = file.find("is_directory");
    if (directory != file.end() && directory->is_boolean() && directory->get<bool>()) continue;
    const std::string path = TextField(file, "path");
    const std::string sha1 = TextField(file, "sha1_hash");
    if (!path.empty() && !sha1.empty()) files.sha1ByPath[path] = sha1;
  }
  return files;
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
  // Redirects are never followed: one elsewhere, above all to http://, is a
  // site that cannot be reached safely.
  if (answer.status >= 300 && answer.status < 400) return PublishOutcome::kNoConnection;
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

}  // namespace velbrook
