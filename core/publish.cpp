#include "core/publish.h"

#include <cctype>

#include "core/file_paths.h"
#include "core/text_message.h"
#include "core/text_rules.h"
#include "res/resource.h"

namespace velbrook {

namespace {

const std::size_t kMaxSiteName = 32;
// A refusal's own words are shown in a box: a line of them is enough.
const std::size_t kMaxServerMessage = 300;
// Neither the page nor a file beside it is sent when it is larger: each
// request is held in memory.
const std::size_t kMaxUploadFile = 64 * 1024 * 1024;
// The site's front page: Neocities serves https://NAME.neocities.org/ from it.
const char kFrontPage[] = "index.html";

bool IsAsciiAlnum(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

std::string LowerExtension(const std::string& name) {
  const std::size_t dot = name.rfind('.');
  std::string ext = dot == std::string::npos ? std::string() : name.substr(dot + 1);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext;
}

bool ExtensionIn(const std::string& name, std::initializer_list<const char*> list) {
  const std::string ext = LowerExtension(name);
  for (const char* item : list) {
    if (ext == item) return true;
  }
  return false;
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

std::string Joined(const std::vector<std::string>& names) {
  std::string joined;
  for (const std::string& name : names) joined += (joined.empty() ? "" : ", ") + name;
  return joined;
}

}  // namespace

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

bool IsPartName(const std::string& name) {
  if (name.empty() || name.back() == '.' || name.back() == ' ') return false;
  for (char c : name) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u < 32 || u == 127 || c == '"' || c == '\\' || c == '/' || c == ':' || c == '<' || c == '>' ||
        c == '|' || c == '?' || c == '*') {
      return false;
    }
  }
  // Windows opens a device for these names, whatever extension follows
  // (Microsoft's "Naming Files, Paths, and Namespaces").
  std::string base = name.substr(0, name.find('.'));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  for (char& c : base) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
    if (base == device) return false;
  }
  const bool numbered = base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0);
  return !(numbered && base[3] >= '0' && base[3] <= '9');
}

int PublishPageProblem(const PublishSettings& settings) {
  if (!settings.m_bPublish) return 0;
  if (!IsSiteName(settings.m_strSiteName)) return IDS_PUBLISH_BAD_NAME;
  if (settings.m_strPassword.empty() && settings.m_strKeptSite != settings.m_strSiteName) return IDS_PUBLISH_NO_PASSWORD;
  return 0;
}

FileKind KindOf(const std::string& name) {
  if (ExtensionIn(name, {"htm", "html", "ht3"})) return FileKind::kPage;
  if (ExtensionIn(name, {"gif", "jpg", "jpeg", "png", "bmp", "ico", "webp", "svg"})) return FileKind::kPicture;
  if (ExtensionIn(name, {"mid", "midi", "wav", "mp3", "au", "aif", "aiff", "ogg", "m4a", "wma"})) {
    return FileKind::kSound;
  }
  return FileKind::kOther;
}

bool FreeSiteTakes(const std::string& name) {
  // Neocities' list of the types a free site takes.
  return ExtensionIn(name, {"html", "htm", "txt", "text", "md", "markdown", "css", "js", "json", "geojson", "csv",
                            "tsv", "xml", "rss", "atom", "opml", "rdf", "manifest", "webmanifest", "webapp", "mf",
                            "less", "sass", "scss", "knowl", "kml", "jpg", "jpeg", "png", "gif", "svg", "ico",
                            "webp", "xcf", "mid", "midi", "eot", "ttf", "otf", "woff", "woff2", "pdf", "asc", "key",
                            "pgp", "dae", "obj", "mtl", "gltf", "bin", "epub"});
}

UploadPlan PlanUpload(const PageSettings& settings, const PageFiles& files, const std::string& page) {
  UploadPlan plan;
  const PathParts pageParts = SplitPath(settings.file.m_strFileName);
  const PlannedFile pageFile{settings.publish.m_bFrontPage ? kFrontPage : pageParts.name + pageParts.ext,
                             FileKind::kPage, true, page};
  const struct {
    bool named;
    const std::string& reference;
    FileKind kind;
  } references[] = {
      {settings.background.m_bUseBitmap != FALSE, files.background, FileKind::kPicture},
      {!settings.background.m_strSoundFile.empty(), files.sound, FileKind::kSound},
      {settings.picture.m_bIncludePicture != FALSE, files.picture, FileKind::kPicture},
  };
  for (const auto& named : references) {
    const std::string& reference = named.reference;
    // A URL is on the web already.
    if (!named.named || reference.empty() || HasScheme(reference)) continue;
    bool planned = EqualsIgnoreAsciiCase(pageFile.name, reference);
    for (const PlannedFile& file : plan.files) planned = planned || EqualsIgnoreAsciiCase(file.name, reference);
    if (planned) continue;
    // Only what the page can show or play goes: a page may name any file.
    if (KindOf(reference) != named.kind) {
      plan.notKind.push_back(reference);
      continue;
    }
    PlannedFile file{reference, named.kind, false, std::string()};
    if (IsPartName(reference) && ReadFileUpTo(pageParts.drive + pageParts.dir + reference, kMaxUploadFile, file.bytes)) {
      plan.files.push_back(std::move(file));
    } else {
      plan.notBeside.push_back(reference);
    }
  }
  // Last, so that the page never goes up before what it shows.
  plan.files.push_back(pageFile);
  return plan;
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
  RememberedSite site = services.RecallSite();
  const SecretGuard key(site.key);
  if (site.siteName.empty()) return;
  settings.m_strSiteName = site.siteName;
  settings.m_bRemember = TRUE;
  settings.m_bFrontPage = site.frontPage ? TRUE : FALSE;
  const bool keyKept = LooksLikeKey(site.key);
  if (keyKept) settings.m_strKeptSite = site.siteName;
  // A site whose key is kept is published to again without asking.
  settings.m_bPublish = keyKept ? TRUE : FALSE;
}

namespace {

struct LeftOut {
  std::string name;
  FileKind kind;
  std::string serverMessage;
};

// The talk with the server, on the transfer's thread: the key (from the
// password when one was typed), the site's list, then each file the site
// lacks, one request each. Asks the user nothing.
struct Exchange {
  std::string site;  // UTF-8, as every name here
  Credentials credentials;
  std::vector<PlannedFile> files;
  std::vector<std::string> partNames;
  std::vector<std::string> sha1;
  // Set by the step that ended the talk: published only once every file
  // is up.
  PublishOutcome outcome = PublishOutcome::kBadAnswer;
  std::string serverMessage;
  bool keyAccepted = false;  // the server took the key (or gave it)
  std::size_t sent = 0;
  std::vector<LeftOut> leftOut;

  void Run(HttpsLink& link) {
    try {
      Talk(link);
    } catch (const std::exception&) {
      // Out of memory mid-way: whatever went, the outcome cannot be told.
      outcome = PublishOutcome::kBadAnswer;
    }
    // A key that never reached the server is kept all the same, as the user
    // typed it or the server gave it; only a refused one is not.
    keyAccepted = !credentials.Key().empty() && outcome != PublishOutcome::kAuthRefused;
  }

  // One request: its answer's meaning, and the server's words when it refused.
  PublishOutcome Ask(HttpsLink& link, HttpsRequest&& request, HttpsAnswer& answer) {
    const SecretGuard headers(request.headers);
    answer = link.Send(request);
    const ServerAnswer read = ReadServerAnswer(answer.body, request.maxAnswer);
    serverMessage = ShownServerMessage(read.message);
    return ClassifyAnswer(answer, read);
  }

  void Talk(HttpsLink& link) {
    HttpsAnswer answer;
    if (!credentials.Password().empty()) {
      const PublishOutcome step = Ask(link, KeyRequest(site, credentials.Password()), answer);
      if (step != PublishOutcome::kPublished) return End(step);
      ServerAnswer read = ReadServerAnswer(answer.body);
      const SecretGuard given(read.apiKey);
      Wipe(answer.body);
      // It goes into a header and into the registry: only the form
      // Neocities gives.
      if (!LooksLikeKey(read.apiKey)) return End(PublishOutcome::kBadAnswer);
      credentials.KeyFromServer(read.apiKey);
    }
    const PublishOutcome listed = Ask(link, ListRequest(credentials.Key()), answer);
    if (listed != PublishOutcome::kPublished) return End(listed);
    const SiteFiles onSite = ReadSiteFiles(answer.body);
    if (!onSite.read) return End(PublishOutcome::kBadAnswer);
    bool freeSite = false;
    for (std::size_t i = 0; i < files.size(); ++i) {
      PlannedFile& file = files[i];
      const auto there = onSite.sha1ByPath.find(partNames[i]);
      if (there != onSite.sha1ByPath.end() && !sha1[i].empty() && EqualsIgnoreAsciiCase(there->second, sha1[i])) {
        std::string().swap(file.bytes);
        continue;
      }
      // A free site refuses the whole request for one file of a type it
      // lacks: once it has refused one, the others are not tried.
      if (freeSite && !file.isPage && !FreeSiteTakes(file.name)) {
        leftOut.push_back({file.name, file.kind, std::string()});
        continue;
      }
      std::vector<UploadFile> part;
      part.push_back({partNames[i], std::move(file.bytes)});
      const PublishOutcome step =
          Ask(link, UploadRequest(credentials.Key(), BuildMultipart(std::move(part)), file.name), answer);
      if (step == PublishOutcome::kFileRefused && !file.isPage) {
        freeSite = freeSite || !FreeSiteTakes(file.name);
        leftOut.push_back({file.name, file.kind, serverMessage});
        continue;
      }
      if (step != PublishOutcome::kPublished) return End(step);
      ++sent;
    }
    serverMessage.clear();
    End(PublishOutcome::kPublished);
  }

  void End(PublishOutcome step) { outcome = step; }
};

// The line that tells why a file is not on the web.
std::string LeftOutNote(const LeftOut& file, const TextSource& texts) {
  if (!FreeSiteTakes(file.name) && (file.kind == FileKind::kSound || file.kind == FileKind::kPicture)) {
    return FormatText(texts.Load(file.kind == FileKind::kSound ? IDS_PUBLISH_FREE_SOUND : IDS_PUBLISH_FREE_PICTURE),
                      "." + LowerExtension(file.name), file.name);
  }
  return FormatText(texts.Load(IDS_PUBLISH_FILE_LEFT_OUT), file.name, file.serverMessage);
}

std::string LoadedOrEmpty(const TextSource& texts, int id, const std::string& first = std::string()) {
  try {
    return FormatText(texts.Load(id), first);
  } catch (const ResourceError&) {
    return std::string();
  }
}

}  // namespace

void PublishPage(PageSettings& settings, const PageFiles& files, const std::string& page, Services& services,
                 const TextSource& texts) {
  PublishSettings& publish = settings.publish;
  const std::string& pageFile = settings.file.m_strFileName;
  const SecretGuard password(publish.m_strPassword);
  // Read once: the key is decrypted each time it is read.
  RememberedSite kept = services.RecallSite();
  const SecretGuard keptKey(kept.key);
  std::string notes;
  const auto forgetKept = [&] {
    if (!kept.siteName.empty() && !services.RememberSite(RememberedSite())) {
      notes += LoadedOrEmpty(texts, IDS_PUBLISH_NOT_FORGOTTEN);
    }
  };
  if (!publish.m_bPublish) {
    // Unticking "Remember" and finishing removes what was kept.
    if (!publish.m_bRemember) forgetKept();
    if (!notes.empty()) ShowTextMessage(services, texts, IDS_PUBLISH_NOT_FORGOTTEN, kMbOk | kMbIconExclamation);
    return;
  }
  if (page.empty() || pageFile.empty()) {
    ShowTextMessage(services, texts, IDS_PUBLISH_NOT_WRITTEN, kMbOk | kMbIconExclamation);
    return;
  }

  const CodePage& codePage = texts.TextCodePage();
  Exchange exchange;
  exchange.site = publish.m_strSiteName;
  bool keptKeyUsed = false;
  if (!publish.m_strPassword.empty()) {
    const bool isKey = LooksLikeKey(publish.m_strPassword);
    // The API reads the password as UTF-8, whatever code page it was typed in.
    std::string typed =
        isKey ? publish.m_strPassword : ToUtf8(publish.m_strPassword, codePage, References::kVerbatim);
    exchange.credentials.TakeTyped(typed, isKey);
  } else if (kept.siteName == publish.m_strSiteName && LooksLikeKey(kept.key)) {
    // Only the site it was kept with: never another site's key.
    exchange.credentials.TakeKept(kept.key);
    keptKeyUsed = true;
  }
  // Gone from the record before anything is sent.
  Wipe(publish.m_strPassword);

  UploadPlan plan = PlanUpload(settings, files, page);
  for (PlannedFile& file : plan.files) {
    exchange.partNames.push_back(ToUtf8(file.name, codePage, References::kCharacters));
    exchange.sha1.push_back(services.Sha1Hex(file.bytes));
  }
  const std::string pageName = plan.files.back().name;
  exchange.files = std::move(plan.files);
  if (!IsSiteName(exchange.site) || (exchange.credentials.Key().empty() && exchange.credentials.Password().empty())) {
    exchange.outcome = PublishOutcome::kAuthRefused;
  } else {
    services.RunTransfer(kPublishHost, [&exchange](HttpsLink& link) { exchange.Run(link); });
  }
  exchange.files.clear();

  if (publish.m_bRemember && exchange.keyAccepted) {
    if (!services.RememberSite({exchange.site, exchange.credentials.Key(), publish.m_bFrontPage != FALSE})) {
      notes += LoadedOrEmpty(texts, IDS_PUBLISH_NOT_KEPT);
    }
  } else if (!publish.m_bRemember || (keptKeyUsed && exchange.outcome == PublishOutcome::kAuthRefused)) {
    // A kept key the server refused is no use kept; a wrong password typed
    // says nothing about it.
    forgetKept();
  }

  if (exchange.outcome != PublishOutcome::kPublished) {
    ShowTextMessage(services, texts, OutcomeMessage(exchange.outcome), kMbOk | kMbIconExclamation, pageFile, kNoHelp,
                    exchange.serverMessage, notes);
    return;
  }
  const std::string address =
      "https://" + exchange.site + ".neocities.org/" + (publish.m_bFrontPage ? std::string() : pageName);
  std::string said;
  try {
    for (const LeftOut& file : exchange.leftOut) said += LeftOutNote(file, texts);
  } catch (const ResourceError&) {
  }
  if (!plan.notKind.empty()) said += LoadedOrEmpty(texts, IDS_PUBLISH_NOT_KIND, Joined(plan.notKind));
  if (!plan.notBeside.empty()) said += LoadedOrEmpty(texts, IDS_PUBLISH_NOT_BESIDE, Joined(plan.notBeside));
  const int id = exchange.sent == 0 && exchange.leftOut.empty() ? IDS_PUBLISH_UNCHANGED : IDS_PUBLISH_DONE;
  if (ShowTextMessage(services, texts, id, kMbYesNo | kMbIconInformation, address, kNoHelp, said + notes) == kIdYes) {
    services.OpenWithShell(address);
  }
}

}  // namespace velbrook
