// Plain rules the pages share.
//
// The Browse buttons' common step: the file dialog, with the process's
// current directory put back afterwards, since the dialog moves it and the
// page's relative names must keep meaning what they meant.
#ifndef VELBROOK_PAGES_PAGE_RULES_H
#define VELBROOK_PAGES_PAGE_RULES_H

#include <string>

#include "core/services.h"

namespace velbrook {

// True with the chosen path in `path` when the user confirmed.
inline bool BrowseForFile(Services& services, const FileDialogRequest& request, std::string& path) {
  const std::string before = services.CurrentDirectory();
  const bool chosen = services.ChooseFile(request, path);
  if (!before.empty()) services.ChangeDirectory(before);
  return chosen;
}

// The open dialogs for a picture (the background's or the page's) and for
// the background sound. A name typed without an extension gets the first
// type each offers.
inline FileDialogRequest PictureFileDialog() {
  FileDialogRequest request;
  request.defaultExt = ".GIF";
  request.filter = "CompuServe GIF files (*.GIF)|*.GIF|JPEG files (*.JPG)|*.JPG|All files (*.*)|*.*||";
  request.flags = kOfnHideReadOnly | kOfnOverwritePrompt;
  return request;
}

inline FileDialogRequest SoundFileDialog() {
  FileDialogRequest request = PictureFileDialog();
  request.defaultExt = ".MID";
  request.filter = "MIDI files (*.MID)|*.MID|WAVE files (*.WAV)|*.WAV|All files (*.*)|*.*||";
  return request;
}

// Whether leaving the file name page must first ask to abandon the work:
// neither a file name (any character counts) nor the clipboard was chosen.
inline bool MustAskToAbandon(const std::string& fileName, int clipboard) {
  return fileName.empty() && clipboard == 0;
}

}  // namespace velbrook

#endif
