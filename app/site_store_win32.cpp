#include "app/site_store_win32.h"

#include <windows.h>
#include <wincrypt.h>

#include "core/publish.h"

namespace velbrook {

namespace {

const char kProgramKey[] = "Software\\Velbrook";
const char kSiteValue[] = "Neocities site";
const char kKeyValue[] = "Neocities key";
const char kFrontPageValue[] = "Front page";
// Between the site name and the key in the sealed value; no site name
// holds it.
const char kSealSeparator = '\n';

// The key is encrypted for the Windows user (DPAPI): another user of the
// computer, or the registry copied elsewhere, cannot read it.
bool Protect(const std::string& secret, std::string& sealed) {
  DATA_BLOB in = {static_cast<DWORD>(secret.size()), reinterpret_cast<BYTE*>(const_cast<char*>(secret.data()))};
  DATA_BLOB out = {};
  if (!::CryptProtectData(&in, L"Velbrook: Neocities key", nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN,
                          &out)) {
    return false;
  }
  sealed.assign(reinterpret_cast<const char*>(out.pbData), out.cbData);
  ::LocalFree(out.pbData);
  return true;
}

bool Unprotect(const std::string& sealed, std::string& secret) {
  DATA_BLOB in = {static_cast<DWORD>(sealed.size()), reinterpret_cast<BYTE*>(const_cast<char*>(sealed.data()))};
  DATA_BLOB out = {};
  if (!::CryptUnprotectData(&in, nullptr, nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN, &out)) return false;
  secret.assign(reinterpret_cast<const char*>(out.pbData), out.cbData);
  ::SecureZeroMemory(out.pbData, out.cbData);
  ::LocalFree(out.pbData);
  return true;
}

bool ReadValue(HKEY key, const char* name, DWORD type, std::string& value) {
  DWORD found = 0;
  DWORD size = 0;
  if (::RegQueryValueExA(key, name, nullptr, &found, nullptr, &size) != ERROR_SUCCESS || found != type ||
      size > 4096) {
    return false;
  }
  value.assign(size, '\0');
  if (::RegQueryValueExA(key, name, nullptr, &found, reinterpret_cast<BYTE*>(&value[0]), &size) != ERROR_SUCCESS) {
    return false;
  }
  value.resize(type == REG_SZ && size > 0 ? size - 1 : size);
  return true;
}

// The key `name` under `parent` with everything below it. RegDeleteTree is
// Vista's and SHDeleteKey would bring in shlwapi, so the subkeys go one by
// one, deepest first; RegDeleteKey alone fails once a key has a subkey.
LONG DeleteTree(HKEY parent, const char* name) {
  HKEY key = nullptr;
  LONG result = ::RegOpenKeyExA(parent, name, 0, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE | DELETE, &key);
  if (result != ERROR_SUCCESS) return result;
  for (;;) {
    char child[256];
    DWORD length = sizeof child;
    // Always the first: the one before was just deleted.
    result = ::RegEnumKeyExA(key, 0, child, &length, nullptr, nullptr, nullptr, nullptr);
    if (result != ERROR_SUCCESS) break;
    result = DeleteTree(key, child);
    if (result != ERROR_SUCCESS) break;
  }
  ::RegCloseKey(key);
  if (result != ERROR_NO_MORE_ITEMS) return result;
  return ::RegDeleteKeyA(parent, name);
}

}  // namespace

RememberedSite RecallKeptSite() {
  RememberedSite site;
  HKEY key = nullptr;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, kProgramKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return site;
  std::string sealed;
  std::string opened;
  if (ReadValue(key, kSiteValue, REG_SZ, site.siteName) && IsSiteName(site.siteName) &&
      ReadValue(key, kKeyValue, REG_BINARY, sealed) && Unprotect(sealed, opened)) {
    // Only a key sealed with this very site name, and of the form Neocities
    // gives: anything else would go into a header, or to another site.
    const std::size_t separator = opened.find(kSealSeparator);
    if (separator != std::string::npos && opened.compare(0, separator, site.siteName) == 0 &&
        LooksLikeKey(opened.substr(separator + 1))) {
      site.key = opened.substr(separator + 1);
    }
    Wipe(opened);
  }
  DWORD front = 1;
  DWORD size = sizeof front;
  DWORD type = 0;
  if (::RegQueryValueExA(key, kFrontPageValue, nullptr, &type, reinterpret_cast<BYTE*>(&front), &size) ==
          ERROR_SUCCESS &&
      type == REG_DWORD) {
    site.frontPage = front != 0;
  }
  if (!IsSiteName(site.siteName)) site = RememberedSite();
  ::RegCloseKey(key);
  return site;
}

bool KeepSite(const RememberedSite& site) {
  if (site.siteName.empty()) {
    const LONG removed = DeleteTree(HKEY_CURRENT_USER, kProgramKey);
    return removed == ERROR_SUCCESS || removed == ERROR_FILE_NOT_FOUND;
  }
  std::string opened = site.siteName + kSealSeparator + site.key;
  std::string sealed;
  const bool protectedKey = Protect(opened, sealed);
  Wipe(opened);
  if (!protectedKey) return false;
  HKEY key = nullptr;
  if (::RegCreateKeyExA(HKEY_CURRENT_USER, kProgramKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return false;
  }
  const DWORD front = site.frontPage ? 1 : 0;
  const bool kept =
      ::RegSetValueExA(key, kSiteValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(site.siteName.c_str()),
                       static_cast<DWORD>(site.siteName.size() + 1)) == ERROR_SUCCESS &&
      ::RegSetValueExA(key, kKeyValue, 0, REG_BINARY, reinterpret_cast<const BYTE*>(sealed.data()),
                       static_cast<DWORD>(sealed.size())) == ERROR_SUCCESS &&
      ::RegSetValueExA(key, kFrontPageValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&front), sizeof front) ==
          ERROR_SUCCESS;
  ::RegCloseKey(key);
  return kept;
}

std::string Sha1HexOf(const std::string& bytes) {
  HCRYPTPROV provider = 0;
  if (!::CryptAcquireContextA(&provider, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT)) return std::string();
  std::string hex;
  HCRYPTHASH hash = 0;
  if (::CryptCreateHash(provider, CALG_SHA1, 0, 0, &hash)) {
    bool hashed = true;
    // CryptHashData takes a DWORD length: a big file goes in pieces.
    const std::size_t kPiece = 1 << 20;
    for (std::size_t at = 0; hashed && at < bytes.size(); at += kPiece) {
      const DWORD length = static_cast<DWORD>(bytes.size() - at < kPiece ? bytes.size() - at : kPiece);
      hashed = ::CryptHashData(hash, reinterpret_cast<const BYTE*>(bytes.data() + at), length, 0) != FALSE;
    }
    BYTE value[20];
    DWORD size = sizeof value;
    if (hashed && ::CryptGetHashParam(hash, HP_HASHVAL, value, &size, 0) && size == sizeof value) {
      static const char kDigits[] = "0123456789abcdef";
      for (BYTE b : value) {
        hex += kDigits[b >> 4];
        hex += kDigits[b & 15];
      }
    }
    ::CryptDestroyHash(hash);
  }
  ::CryptReleaseContext(provider, 0);
  return hex;
}

}  // namespace velbrook
