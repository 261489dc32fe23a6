// The record of everything the wizard collects for the one page it builds:
// ten plain blocks, one per page that edits data. Each page holds a
// reference to its block and its controls exchange values with the block's
// fields directly.
#ifndef VELBROOK_CORE_PAGE_SETTINGS_H
#define VELBROOK_CORE_PAGE_SETTINGS_H

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "core/win_types.h"

typedef std::string CString;
typedef std::vector<std::string> CStringArray;

struct TitleSettings {
  CString m_strWindowTitle;
  CString m_strHeader;
  CString m_strSubHeader;
  BOOL m_bHTML3 = FALSE;
  BOOL m_bCenterHeader = FALSE;
  BOOL m_bCenterSubHeader = FALSE;
  BOOL m_bFitPhone = FALSE;  // "Fit the page to &phone screens"
  CString m_strLanguage;     // the page's language code ("de"); empty: not stated
};

struct BackgroundSettings {
  CString m_strBitmapFile;
  CString m_strSoundFile;
  COLORREF m_crBackground = 0;
  BOOL m_bFixedBackground = FALSE;
  BOOL m_bUseColor = FALSE;
  BOOL m_bUseBitmap = FALSE;
};

struct ColorSettings {
  COLORREF m_crText = 0;
  BOOL m_bTextChosen = FALSE;
  COLORREF m_crLink = 0;
  BOOL m_bLinkChosen = FALSE;
  COLORREF m_crVLink = 0;
  BOOL m_bVLinkChosen = FALSE;
};

struct PictureSettings {
  BOOL m_bIncludePicture = FALSE;
  BOOL m_bCenterPicture = FALSE;
  BOOL m_bFramePicture = FALSE;
  CString m_strPictureFile;
  CString m_strDescription;  // for people who cannot see the picture
};

struct TextSettings {
  CString m_strText;
};

struct ItemSettings {
  CStringArray m_arrItems;
  CString m_strListTitle;
  int m_nItems = 0;
};

struct LinkSettings {
  CStringArray m_arrLinks;
  int m_nLinks = 0;
  BOOL m_bFavorites = FALSE;
};

struct FooterSettings {
  BOOL m_bLastUpdated = FALSE;
  BOOL m_bCenterLastUpdated = FALSE;
  CString m_strEMail;
  int m_nLastUpdatedStyle = 0;  // 0 none, 1 marquee, 2 blinking
};

struct FileSettings {
  CString m_strFileName;
  BOOL m_bClipboard = FALSE;
};

// Putting the page on the user's Neocities site at Finish. The password (or
// key) typed is kept for this run only: the run wipes it when it ends.
struct PublishSettings {
  BOOL m_bPublish = FALSE;  // "Publish the page to my Neocities site when I press Finish"
  CString m_strSiteName;
  CString m_strPassword;    // a password, or a key pasted from the site's settings
  BOOL m_bRemember = FALSE;  // "Remember on this computer"
  CString m_strKeptSite;  // the site whose key this computer keeps, if any
  BOOL m_bFrontPage = TRUE;  // "Make it the front page of my site (index.html)"
};

// The entries of a list that its count names: never more than the list
// holds, none for a count below one. The writer writes these, and a list
// page shows these.
inline std::size_t CountedEntries(int count, const CStringArray& list) {
  return count <= 0 ? 0 : std::min(static_cast<std::size_t>(count), list.size());
}

struct PageSettings {
  TitleSettings title;
  BackgroundSettings background;
  ColorSettings color;
  PictureSettings picture;
  TextSettings text;
  ItemSettings items;
  LinkSettings links;
  FooterSettings footer;
  FileSettings file;
  PublishSettings publish;
};

// The names the written page gives the three files it may refer to: the
// background picture, the sound and the picture. The record keeps the files
// where the user chose them; the run decides how the page names them (the
// copy offer at Finish, file URLs in the preview) before the page is written.
struct PageFiles {
  std::string background;
  std::string sound;
  std::string picture;
};

#endif
