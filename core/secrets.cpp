#include "core/secrets.h"

namespace velbrook {

void Wipe(std::string& secret) {
  // Through a volatile pointer, so that the compiler keeps the writes.
  volatile char* bytes = secret.empty() ? nullptr : &secret[0];
  for (std::size_t i = 0; i < secret.size(); ++i) bytes[i] = 0;
  secret.clear();
}

void Credentials::TakeTyped(std::string& typed, bool looksLikeKey) {
  (looksLikeKey ? m_key : m_password) = typed;
  Wipe(typed);
}

void Credentials::TakeKept(std::string& kept) {
  m_key = kept;
  Wipe(kept);
}

void Credentials::KeyFromServer(const std::string& key) {
  m_key = key;
  Wipe(m_password);
}

}  // namespace velbrook
