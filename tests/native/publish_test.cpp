#include <cstdio>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "core/publish.h"
#include "res/resource.h"
#include "tests/native/scripted_services.h"

namespace velbrook {
namespace {

TEST(PublishRules, SiteNameAndWhatKeepsThePageFromBeingLeft) {
  const struct {
    const char* site;
    const char* password;
    const char* keptSite;
    int problem;
  } cases[] = {
      {"my-site-2", "secret", "", 0},
      {"my-site-2", "", "my-site-2", 0},
      {"my-site-2", "", "", IDS_PUBLISH_NO_PASSWORD},
      {"my-site-2", "", "other-site", IDS_PUBLISH_NO_PASSWORD},
      {"", "secret", "", IDS_PUBLISH_BAD_NAME},
      {"my.site", "secret", "", IDS_PUBLISH_BAD_NAME},
      {"evil\r\nHost: x", "secret", "", IDS_PUBLISH_BAD_NAME},
      {"a/b", "secret", "", IDS_PUBLISH_BAD_NAME},
      {"abcdefghijklmnopqrstuvwxyz0123456", "secret", "", IDS_PUBLISH_BAD_NAME},  // 33
      {"caf\xe9", "secret", "", IDS_PUBLISH_BAD_NAME},
  };
  for (const auto& c : cases) {
    PublishSettings settings;
    settings.m_bPublish = TRUE;
    settings.m_strSiteName = c.site;
    settings.m_strPassword = c.password;
    settings.m_strKeptSite = c.keptSite;
    EXPECT_EQ(c.problem, PublishPageProblem(settings)) << c.site << " / " << c.password;
    settings.m_bPublish = FALSE;
    EXPECT_EQ(0, PublishPageProblem(settings)) << "unticked, " << c.site;
  }
}

TEST(PublishBody, EachFileIsOnePartUnderItsNameAndTheBoundaryIsInNoFile) {
  const std::string first = "----VelbrookBoundary00000000";
  const std::vector<UploadFile> files = {{"home.htm", "<HTML>\r\n" + first + "\r\n</HTML>"},
                                         {"me.gif", std::string("GIF89a\0\xff", 8)}};
  const MultipartBody made = BuildMultipart(files);
  for (const UploadFile& file : files) EXPECT_EQ(std::string::npos, file.bytes.find(made.boundary));
  const std::string b = "--" + made.boundary;
  EXPECT_EQ(b + "\r\nContent-Disposition: form-data; name=\"home.htm\"; filename=\"home.htm\"\r\n"
                "Content-Type: application/octet-stream\r\n\r\n" + files[0].bytes + "\r\n" +
                b + "\r\nContent-Disposition: form-data; name=\"me.gif\"; filename=\"me.gif\"\r\n"
                "Content-Type: application/octet-stream\r\n\r\n" + files[1].bytes + "\r\n" + b + "--\r\n",
            made.body);
}

TEST(PublishAnswer, WhatEachAnswerMeans) {
  const std::string huge = "{\"result\":\"success\",\"message\":\"" + std::string(kMaxAnswerBytes, 'x') + "\"}";
  const struct {
    HttpsFailure failure;
    int status;
    std::string body;
    PublishOutcome outcome;
  } cases[] = {
      {HttpsFailure::kNone, 200, R"({"result":"success","message":"your file(s) have been successfully uploaded"})",
       PublishOutcome::kPublished},
      {HttpsFailure::kNone, 403, R"({"result":"error","error_type":"invalid_auth","message":"invalid credentials"})",
       PublishOutcome::kAuthRefused},
      {HttpsFailure::kNone, 401, "Unauthorized", PublishOutcome::kAuthRefused},
      {HttpsFailure::kNone, 200, R"({"result":"error","error_type":"invalid_auth"})", PublishOutcome::kAuthRefused},
      {HttpsFailure::kNone, 400, R"({"result":"error","error_type":"invalid_file_type","message":"x.exe"})",
       PublishOutcome::kFileRefused},
      {HttpsFailure::kNone, 400, R"({"result":"error","error_type":"too_large","message":"full"})",
       PublishOutcome::kSiteFull},
      {HttpsFailure::kNone, 400, R"({"result":"error","error_type":"something_new"})", PublishOutcome::kRefused},
      {HttpsFailure::kNone, 500, "An unhandled lowlevel error occurred.", PublishOutcome::kBadAnswer},
      {HttpsFailure::kNone, 200, R"({"result":"success")", PublishOutcome::kBadAnswer},
      {HttpsFailure::kNone, 200, "", PublishOutcome::kBadAnswer},
      {HttpsFailure::kNone, 302, "", PublishOutcome::kNoConnection},
      {HttpsFailure::kNone, 301, R"({"result":"success"})", PublishOutcome::kNoConnection},
      {HttpsFailure::kNone, 200, R"(["result","success"])", PublishOutcome::kBadAnswer},
      {HttpsFailure::kNone, 200, R"({"result":7})", PublishOutcome::kBadAnswer},
      {HttpsFailure::kNone, 502, R"({"result":"success"})", PublishOutcome::kBadAnswer},
      {HttpsFailure::kNone, 200, huge, PublishOutcome::kBadAnswer},
      {HttpsFailure::kTooLong, 200, "", PublishOutcome::kBadAnswer},
      {HttpsFailure::kNoConnection, 0, "", PublishOutcome::kNoConnection},
      {HttpsFailure::kTimeout, 0, "", PublishOutcome::kTimeout},
      {HttpsFailure::kCancelled, 0, "", PublishOutcome::kCancelled},
      {HttpsFailure::kNoTls12, 0, "", PublishOutcome::kNoTls12},
  };
  for (const auto& c : cases) {
    const HttpsAnswer answer{c.failure, c.status, c.body};
    EXPECT_EQ(static_cast<int>(c.outcome), static_cast<int>(ClassifyAnswer(answer, ReadServerAnswer(c.body))))
        << c.status << " " << c.body.substr(0, 80);
  }
}

// A whole Finish with the tick on, over scripted answers: what is asked,
// what is sent, what is kept, what is said.
TEST(PublishRun, KeyFromPasswordUploadAndWhatIsKept) {
  const std::string key = "0123456789abcdef0123456789abcdef";
  const HttpsAnswer keyAnswer{HttpsFailure::kNone, 200, R"({"result":"success","api_key":")" + key + "\"}"};
  const HttpsAnswer badKey{HttpsFailure::kNone, 200, R"({"result":"success","api_key":"0123456789abcdef\r\nX: 0123456789ab"})"};
  const HttpsAnswer uploaded{HttpsFailure::kNone, 200, R"({"result":"success"})"};
  const HttpsAnswer emptyOk{HttpsFailure::kNone, 200, ""};
  const HttpsAnswer refused{HttpsFailure::kNone, 403, R"({"result":"error","error_type":"invalid_auth"})"};
  const auto list = [](const std::string& files) {
    return HttpsAnswer{HttpsFailure::kNone, 200, R"({"result":"success","files":[)" + files + "]}"};
  };
  const HttpsAnswer empty = list("");
  const std::string page = "<HTML>page</HTML>";
  const std::string pageThere = R"x({"path":"home.htm","is_directory":false,"sha1_hash":"sha1()x" + page + ")\"}";
  const std::string gifThere = R"x({"path":"me.gif","is_directory":false,"sha1_hash":"SHA1(GIF89a)"})x";
  const std::string bearer = "Bearer " + key;
  const struct {
    const char* name;
    std::string password;
    BOOL remember;
    RememberedSite keptBefore;
    std::vector<HttpsAnswer> answers;
    std::vector<std::string> authorizations;
    std::vector<std::string> uploads;  // the files sent, in order
    std::string keptAfter;
    int message;
    int throwAt = -1;
    bool keepFails = false;
  } cases[] = {
      {"password, remembered", "pa:ss", TRUE, {}, {keyAnswer, empty, uploaded, uploaded},
       {"Basic bXktc2l0ZTpwYTpzcw==", bearer, bearer, bearer}, {"me.gif", "home.htm"}, key, IDS_PUBLISH_DONE},
      {"a password in the code page goes as UTF-8", "p\xe4ss", FALSE, {}, {refused},
       {"Basic bXktc2l0ZTpww6Rzcw=="}, {}, "", IDS_PUBLISH_AUTH},
      {"pasted key, not remembered", key, FALSE, {"my-site", "old"}, {empty, uploaded, uploaded},
       {bearer, bearer, bearer}, {"me.gif", "home.htm"}, "", IDS_PUBLISH_DONE},
      {"remembered key, nothing typed", "", TRUE, {"my-site", key}, {empty, uploaded, uploaded},
       {bearer, bearer, bearer}, {"me.gif", "home.htm"}, key, IDS_PUBLISH_DONE},
      {"a kept key goes to its own site only", "", TRUE, {"other-site", key}, {}, {}, {}, key, IDS_PUBLISH_AUTH},
      {"a kept key not of a key's form is not sent", "", TRUE, {"my-site", "abc\r\nX: y"}, {}, {}, {}, "abc\r\nX: y",
       IDS_PUBLISH_AUTH},
      {"refused key is forgotten", "", TRUE, {"my-site", key}, {refused}, {bearer}, {}, "", IDS_PUBLISH_AUTH},
      {"refused password sends nothing", "wrong", TRUE, {}, {refused}, {"Basic bXktc2l0ZTp3cm9uZw=="}, {}, "",
       IDS_PUBLISH_AUTH},
      {"a wrong password leaves the kept key", "wrong", TRUE, {"my-site", key}, {refused},
       {"Basic bXktc2l0ZTp3cm9uZw=="}, {}, key, IDS_PUBLISH_AUTH},
      {"key without a connection is kept", key, TRUE, {}, {}, {bearer}, {}, key, IDS_PUBLISH_NO_CONNECTION},
      {"a key with CR LF from the server is not used", "pa:ss", TRUE, {}, {badKey}, {"Basic bXktc2l0ZTpwYTpzcw=="},
       {}, "", IDS_PUBLISH_BAD_ANSWER},
      {"an empty 200 to the upload is no success", key, FALSE, {}, {empty, emptyOk}, {bearer, bearer}, {"me.gif"},
       "", IDS_PUBLISH_BAD_ANSWER},
      {"out of memory in the upload after the key", "pa:ss", TRUE, {}, {keyAnswer, empty},
       {"Basic bXktc2l0ZTpwYTpzcw==", bearer}, {}, key, IDS_PUBLISH_BAD_ANSWER, 2},
      {"an unchanged page sends nothing", key, FALSE, {}, {list(pageThere + "," + gifThere)}, {bearer}, {}, "",
       IDS_PUBLISH_UNCHANGED},
      {"only the changed file is sent", key, FALSE, {}, {list(pageThere), uploaded}, {bearer, bearer}, {"me.gif"}, "",
       IDS_PUBLISH_DONE},
      {"a key that cannot be kept is told", key, TRUE, {}, {empty, uploaded, uploaded}, {bearer, bearer, bearer},
       {"me.gif", "home.htm"}, "", IDS_PUBLISH_DONE, -1, true},
  };
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "velbrook-publish-test";
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "me.gif", std::ios::binary) << "GIF89a";
  std::ofstream(dir / "notes.txt", std::ios::binary) << "private";
  for (const auto& c : cases) {
    ScriptedServices services;
    services.answers = {kIdNo};
    for (const HttpsAnswer& answer : c.answers) services.httpsAnswers.push_back(answer);
    services.kept = c.keptBefore;
    services.throwAtRequest = c.throwAt;
    services.keepSucceeds = !c.keepFails;
    PageSettings settings;
    settings.file.m_strFileName = (dir / "home.htm").string();
    settings.picture.m_bIncludePicture = TRUE;
    settings.picture.m_strPictureFile = "me.gif";
    settings.background.m_strSoundFile = "tune.mid";  // not beside the page
    settings.publish = {TRUE, "my-site", c.password, c.remember, c.keptBefore.siteName};
    settings.publish.m_bFrontPage = FALSE;
    PublishPage(settings, {"", "tune.mid", "me.gif"}, page, services, BuiltinTexts());

    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.authorizations.empty() ? std::vector<std::string>() : std::vector<std::string>{kPublishHost},
              services.hosts);
    ASSERT_EQ(c.authorizations.size(), services.requests.size());
    std::vector<std::string> uploads;
    for (std::size_t i = 0; i < services.requests.size(); ++i) {
      const HttpsRequest& request = services.requests[i];
      EXPECT_NE(std::string::npos, request.headers.find("Authorization: " + c.authorizations[i] + "\r\n"));
      if (request.verb != "POST") continue;
      EXPECT_EQ("/api/upload", request.path);
      uploads.push_back(request.label);
      const std::string& bytes = request.label == "me.gif" ? std::string("GIF89a") : page;
      EXPECT_NE(std::string::npos, request.body.find("name=\"" + request.label + "\"; filename=\"" + request.label +
                                                     "\"\r\nContent-Type: application/octet-stream\r\n\r\n" +
                                                     bytes + "\r\n"));
      EXPECT_EQ(std::string::npos, request.body.find("tune.mid"));
    }
    EXPECT_EQ(c.uploads, uploads);
    EXPECT_EQ(c.keptAfter, services.kept.key);
    EXPECT_TRUE(settings.publish.m_strPassword.empty());
    ASSERT_EQ(1u, services.messages.size());
    const BuiltinTexts texts;
    std::string expected = FormatText(texts.Load(c.message), settings.file.m_strFileName);
    if (c.message == IDS_PUBLISH_DONE || c.message == IDS_PUBLISH_UNCHANGED) {
      expected = FormatText(texts.Load(c.message), "https://my-site.neocities.org/home.htm",
                            FormatText(texts.Load(IDS_PUBLISH_NOT_BESIDE), "tune.mid") +
                                (c.keepFails ? texts.Load(IDS_PUBLISH_NOT_KEPT) : std::string()));
    }
    EXPECT_EQ(expected, services.messages[0].text);
  }
  std::filesystem::remove_all(dir);
}

// What a page's files may be sent as: only pictures and sounds of names
// this computer can open, and what a free site takes.
TEST(PublishRules, WhichFilesGo) {
  const struct {
    const char* name;
    bool partName;
    FileKind kind;
    bool free;
  } cases[] = {
      {"me.gif", true, FileKind::kPicture, true},
      {"ME.JPEG", true, FileKind::kPicture, true},
      {"back.bmp", true, FileKind::kPicture, false},
      {"tune.MID", true, FileKind::kSound, true},
      {"sound.wav", true, FileKind::kSound, false},
      {"song.mp3", true, FileKind::kSound, false},
      {"notes.txt", true, FileKind::kOther, true},
      {"home.htm", true, FileKind::kPage, true},
      {"&#20889;&#30495;.gif", true, FileKind::kPicture, true},
      {"a\\b.gif", false, FileKind::kPicture, true},
      {"a/b.gif", false, FileKind::kPicture, true},
      {"me.gif.", false, FileKind::kOther, false},
      {"me.gif ", false, FileKind::kOther, false},
      {"NUL", false, FileKind::kOther, false},
      {"com1.gif", false, FileKind::kPicture, true},
      {"Lpt9.mid", false, FileKind::kSound, true},
      {"aux .gif", false, FileKind::kPicture, true},
      {"con", false, FileKind::kOther, false},
      {"COM10.gif", true, FileKind::kPicture, true},
      {"console.gif", true, FileKind::kPicture, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.partName, IsPartName(c.name)) << c.name;
    EXPECT_EQ(static_cast<int>(c.kind), static_cast<int>(KindOf(c.name))) << c.name;
    EXPECT_EQ(c.free, FreeSiteTakes(c.name)) << c.name;
  }
  // A page naming a private file as its sound does not send it.
  PageSettings settings;
  settings.file.m_strFileName = (std::filesystem::temp_directory_path() / "home.htm").string();
  settings.background.m_strSoundFile = "notes.txt";
  const UploadPlan plan = PlanUpload(settings, {"", "notes.txt", ""}, "<HTML>");
  ASSERT_EQ(1u, plan.files.size());
  EXPECT_EQ("index.html", plan.files[0].name);
  EXPECT_EQ(std::vector<std::string>{"notes.txt"}, plan.notKind);
}

// The names and the password go as UTF-8 from any code page; in a name a
// reference stands for its character, in a password it is what was typed.
TEST(PublishBody, NamesGoAsUtf8) {
  const CodePage& cp1252 = WindowsCodePage1252();
  const struct {
    const char* text;
    References references;
    const char* utf8;
  } cases[] = {
      {"me.gif", References::kCharacters, "me.gif"},
      {"Gr\xfc\xdf" "e.gif", References::kCharacters, "Gr\xc3\xbc\xc3\x9f" "e.gif"},
      {"&#20889;&#30495;.gif", References::kCharacters, "\xe5\x86\x99\xe7\x9c\x9f.gif"},
      {"&#128512;", References::kCharacters, "\xf0\x9f\x98\x80"},
      {"&#55296;&#;&#x41;", References::kCharacters, "&#55296;&#;&#x41;"},
      {"pa&#65;ss", References::kVerbatim, "pa&#65;ss"},
      {"p\xe4ss&#20889;", References::kVerbatim, "p\xc3\xa4ss&#20889;"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.utf8, ToUtf8(c.text, cp1252, c.references)) << c.text;
}

}  // namespace
}  // namespace velbrook
