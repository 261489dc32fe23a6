// A Services double for the native tests: answers questions from a script
// and records every message, copy, file written and clipboard text.
#ifndef VELBROOK_TESTS_NATIVE_SCRIPTED_SERVICES_H
#define VELBROOK_TESTS_NATIVE_SCRIPTED_SERVICES_H

#include <cstdio>
#include <deque>
#include <new>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/services.h"
#include "core/win_types.h"

namespace velbrook {

class ScriptedServices : public Services {
 public:
  struct Message {
    std::string text;
    unsigned style;
    int helpContext;
  };

  int ShowMessage(const std::string& text, unsigned style, int helpContext) override {
    messages.push_back({text, style, helpContext});
    if (answers.empty()) return (style & kMbYesNo) ? kIdNo : kIdOk;
    int answer = answers.front();
    answers.pop_front();
    return answer;
  }

  bool CopyFileReplacing(const std::string& from, const std::string& to) override {
    copies.emplace_back(from, to);
    return copySucceeds;
  }

  bool WriteFileReplacing(const std::string& path, const std::string& bytes) override {
    writes.emplace_back(path, bytes);
    return writeSucceeds;
  }
  bool AnotherFileAt(const std::string& path, const std::string&) override { return otherFiles.count(path) > 0; }

  bool PutTextOnClipboard(const std::string& text) override {
    clipboard.push_back(text);
    return clipboardSucceeds;
  }

  // Answers from `files` (an empty text is Cancel); like the real dialog,
  // it leaves the current directory elsewhere.
  bool ChooseFile(const FileDialogRequest& request, std::string& path) override {
    fileDialogs.push_back(request);
    currentDirectory = "C:\\somewhere\\the\\dialog\\went";
    if (files.empty() || files.front().empty()) {
      if (!files.empty()) files.pop_front();
      return false;
    }
    path = files.front();
    files.pop_front();
    return true;
  }
  // Answers from `colors` (a negative value is Cancel).
  bool PickColor(COLORREF initial, COLORREF& chosen) override {
    colorDialogs.push_back(initial);
    if (colors.empty()) return false;
    const long long answer = colors.front();
    colors.pop_front();
    if (answer < 0) return false;
    chosen = static_cast<COLORREF>(answer);
    return true;
  }
  std::string CurrentDirectory() override { return currentDirectory; }
  bool ChangeDirectory(const std::string& directory) override {
    directoryChanges.push_back(directory);
    currentDirectory = directory;
    return true;
  }
  void ShowHelp(int context) override { help.push_back(context); }
  void CloseHelp() override { help.push_back(0); }

  std::deque<int> answers;  // given in order; when empty, No or OK
  std::deque<std::string> files;  // file dialog answers; empty text cancels
  std::deque<long long> colors;   // colour dialog answers; negative cancels
  std::string currentDirectory = "C:\\WORK";
  bool copySucceeds = true;
  bool writeSucceeds = true;
  std::set<std::string> otherFiles;  // paths where another file already stands
  bool clipboardSucceeds = true;
  std::vector<Message> messages;
  std::vector<std::pair<std::string, std::string>> copies;
  std::vector<std::pair<std::string, std::string>> writes;  // path, bytes
  std::vector<std::string> clipboard;
  std::vector<int> help;  // contexts shown, 0 for each close
  std::vector<FileDialogRequest> fileDialogs;
  std::vector<COLORREF> colorDialogs;  // the colour each dialog started at
  std::vector<std::string> directoryChanges;

  // The preview's two services. What is opened is kept with its bytes as
  // the opening program would read them, since the file goes with the run.
  std::string TempFolder() override { return tempFolder; }
  bool OpenWithShell(const std::string& path) override {
    std::string bytes;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
      char buffer[4096];
      for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) bytes.append(buffer, n);
      std::fclose(file);
    }
    opened.emplace_back(path, bytes);
    return openSucceeds;
  }
  // Publishing: each request is recorded and answered from `httpsAnswers`
  // (when empty, no connection); what is remembered lives in `kept`.
  void RunTransfer(const std::string& host, const std::function<void(HttpsLink&)>& work) override {
    struct Link : HttpsLink {
      ScriptedServices& self;
      explicit Link(ScriptedServices& services) : self(services) {}
      HttpsAnswer Send(const HttpsRequest& request) override {
        if (static_cast<int>(self.requests.size()) == self.throwAtRequest) throw std::bad_alloc();
        self.requests.push_back(request);
        if (self.httpsAnswers.empty()) return {HttpsFailure::kNoConnection, 0, ""};
        HttpsAnswer answer = self.httpsAnswers.front();
        self.httpsAnswers.pop_front();
        return answer;
      }
    } link(*this);
    hosts.push_back(host);
    work(link);
  }
  RememberedSite RecallSite() override { return kept; }
  bool RememberSite(const RememberedSite& site) override {
    if (!keepSucceeds) return false;
    kept = site;
    return true;
  }
  // Not SHA-1, but one text per content, which is all the comparison needs.
  std::string Sha1Hex(const std::string& bytes) override { return "sha1(" + bytes + ")"; }
  std::deque<HttpsAnswer> httpsAnswers;
  std::vector<HttpsRequest> requests;
  std::vector<std::string> hosts;
  RememberedSite kept;
  bool keepSucceeds = true;
  int throwAtRequest = -1;  // the request (from 0) that runs out of memory

  std::string tempFolder;  // empty: the folder cannot be told
  bool openSucceeds = true;
  std::vector<std::pair<std::string, std::string>> opened;  // path, bytes
};

}  // namespace velbrook

#endif
