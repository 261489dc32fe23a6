// The one way a secret (the password typed, the site's key, a header that
// carries either) leaves memory: overwritten, then emptied.
#ifndef VELBROOK_CORE_SECRETS_H
#define VELBROOK_CORE_SECRETS_H

#include <string>

namespace velbrook {

// Overwrites a secret and empties it.
void Wipe(std::string& secret);

// Wipes `secret` when the scope it guards is left, however it is left.
class SecretGuard {
 public:
  explicit SecretGuard(std::string& secret) : m_secret(secret) {}
  ~SecretGuard() { Wipe(m_secret); }
  SecretGuard(const SecretGuard&) = delete;
  SecretGuard& operator=(const SecretGuard&) = delete;

 private:
  std::string& m_secret;
};

// The password and the key of one Finish, owned here alone: taken out of
// the record (which is wiped at once), and wiped when this goes, however
// the run ends. Nothing else keeps a copy but for the one request it is in.
class Credentials {
 public:
  Credentials() = default;
  Credentials(const Credentials&) = delete;
  Credentials& operator=(const Credentials&) = delete;

  // Moves `typed` in as the key when it has a key's form, else as the
  // password; `typed` is wiped either way.
  void TakeTyped(std::string& typed, bool looksLikeKey);
  // A key this computer kept; `kept` is wiped.
  void TakeKept(std::string& kept);
  // The key the server gave for the password, which is no longer needed.
  void KeyFromServer(const std::string& key);

  const std::string& Password() const { return m_password; }
  const std::string& Key() const { return m_key; }

 private:
  std::string m_password;
  std::string m_key;
  SecretGuard m_passwordGuard{m_password};
  SecretGuard m_keyGuard{m_key};
};

}  // namespace velbrook

#endif
