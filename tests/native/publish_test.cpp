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
  const HttpsAnswer uploaded{HttpsFailure::kNone, 200, R"({"result":"success"})"};
  const HttpsAnswer refused{HttpsFailure::kNone, 403, R"({"result":"error","error_type":"invalid_auth"})"};
  const struct {
    const char* name;
    std::string password;
    BOOL remember;
    std::string keptBefore;
    std::vector<HttpsAnswer> answers;
    std::vector<std::string> authorizations;
    std::string keptAfter;
    int message;
  } cases[] = {
      {"password, remembered", "pa:ss", TRUE, "", {keyAnswer, uploaded},
       {"Basic bXktc2l0ZTpwYTpzcw==", "Bearer " + key}, key, IDS_PUBLISH_DONE},
      {"pasted key, not remembered", key, FALSE, "old", {uploaded}, {"Bearer " + key}, "", IDS_PUBLISH_DONE},
      {"remembered key, nothing typed", "", TRUE, key, {uploaded}, {"Bearer " + key}, key, IDS_PUBLISH_DONE},
      {"refused key is forgotten", "", TRUE, key, {refused}, {"Bearer " + key}, "", IDS_PUBLISH_AUTH},
      {"refused password sends nothing", "wrong", TRUE, "", {refused}, {"Basic bXktc2l0ZTp3cm9uZw=="}, "",
       IDS_PUBLISH_AUTH},
      {"a wrong password leaves the kept key", "wrong", TRUE, key, {refused}, {"Basic bXktc2l0ZTp3cm9uZw=="}, key,
       IDS_PUBLISH_AUTH},
      {"key without a connection is kept", key, TRUE, "", {}, {"Bearer " + key}, key, IDS_PUBLISH_NO_CONNECTION},
  };
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "velbrook-publish-test";
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "me.gif", std::ios::binary) << "GIF89a";
  for (const auto& c : cases) {
    ScriptedServices services;
    services.answers = {kIdNo};
    for (const HttpsAnswer& answer : c.answers) services.httpsAnswers.push_back(answer);
    if (!c.keptBefore.empty()) services.kept = {"my-site", c.keptBefore};
    PageSettings settings;
    settings.file.m_strFileName = (dir / "home.htm").string();
    settings.picture.m_bIncludePicture = TRUE;
    settings.picture.m_strPictureFile = "me.gif";
    settings.background.m_strSoundFile = "tune.mid";  // not beside the page
    settings.publish = {TRUE, "my-site", c.password, c.remember, c.keptBefore.empty() ? "" : "my-site"};
    PublishPage(settings, {"", "tune.mid", "me.gif"}, "<HTML>page</HTML>", services, BuiltinTexts());

    SCOPED_TRACE(c.name);
    EXPECT_EQ(std::vector<std::string>{kPublishHost}, services.hosts);
    ASSERT_EQ(c.authorizations.size(), services.requests.size());
    for (std::size_t i = 0; i < services.requests.size(); ++i) {
      EXPECT_NE(std::string::npos, services.requests[i].headers.find("Authorization: " + c.authorizations[i] + "\r\n"));
    }
    const HttpsRequest& last = services.requests.back();
    if (last.verb == "POST") {
      EXPECT_EQ("/api/upload", last.path);
      EXPECT_NE(std::string::npos, last.body.find("name=\"home.htm\"; filename=\"home.htm\"\r\n"
                                                  "Content-Type: application/octet-stream\r\n\r\n<HTML>page</HTML>\r\n"));
      EXPECT_NE(std::string::npos, last.body.find("filename=\"me.gif\"\r\nContent-Type: application/octet-stream\r\n\r\nGIF89a\r\n"));
      EXPECT_EQ(std::string::npos, last.body.find("tune.mid"));
    }
    EXPECT_EQ(c.keptAfter, services.kept.key);
    EXPECT_TRUE(settings.publish.m_strPassword.empty());
    ASSERT_EQ(1u, services.messages.size());
    const std::string first = c.message == IDS_PUBLISH_DONE ? "https://my-site.neocities.org/home.htm"
                                                            : settings.file.m_strFileName;
    std::string expected = FormatText(BuiltinTexts().Load(c.message), first);
    if (c.message == IDS_PUBLISH_DONE) {
      expected = FormatText(BuiltinTexts().Load(c.message), first,
                            FormatText(BuiltinTexts().Load(IDS_PUBLISH_NOT_BESIDE), "tune.mid"));
    }
    EXPECT_EQ(expected, services.messages[0].text);
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace velbrook
