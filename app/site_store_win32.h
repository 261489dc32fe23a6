// What this computer keeps of the publishing site for the Windows user,
// under HKCU\Software\Velbrook: the site name, whether the page is its front
// page, and the key sealed with DPAPI together with its site name, so that a
// key is never read back for another site.
#ifndef VELBROOK_APP_SITE_STORE_WIN32_H
#define VELBROOK_APP_SITE_STORE_WIN32_H

#include <string>

#include "core/services.h"

namespace velbrook {

RememberedSite RecallKeptSite();
// Keeps `site`, or removes the program's whole key (whatever it holds) when
// its name is empty. False when that failed.
bool KeepSite(const RememberedSite& site);

// The SHA-1 of `bytes` as 40 lowercase hex digits, by CryptoAPI (which XP
// has); empty when it cannot be made.
std::string Sha1HexOf(const std::string& bytes);

}  // namespace velbrook

#endif
