// The profile port: the private profile (INI) file the settings live in.
// Windows answers with its GetPrivateProfile* functions; elsewhere an INI
// file of the same format and the same reading rules stands in.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/files.h"

namespace kv {

class Profile {
 public:
  virtual ~Profile() = default;
  // The key's value read as a decimal number (GetPrivateProfileIntA): blanks,
  // an optional sign, digits up to the first non-digit. A missing key or an
  // empty value gives `default_value`; a value without digits gives 0.
  virtual int GetInt(const char* section, const char* key, int default_value) = 0;
  // The key's text (GetPrivateProfileStringA): a missing key gives
  // `default_text`, a key with an empty value gives "". The text is cut to
  // `size` - 1 bytes, as the caller's buffer of `size` bytes would hold it.
  virtual std::string GetString(const char* section, const char* key, const char* default_text,
                                std::size_t size) = 0;
  // Sets the key's value, adding the section and the key when missing
  // (WritePrivateProfileStringA). False when the file could not be written.
  virtual bool WriteString(const char* section, const char* key, const char* value) = 0;
};

// Reads a profile number: leading blanks and tabs, an optional sign, decimal
// digits up to the first non-digit. False when no digit follows; the value
// is held to the range of a 32-bit unsigned magnitude with its sign.
bool ReadProfileNumber(const char* text, std::int64_t* value);

// The INI file `name` reached through `files`; the file is read afresh for
// every query and rewritten whole by every write, so two profiles on the
// same file see each other's changes as two programs would.
std::unique_ptr<Profile> MakeIniProfile(Files& files, const std::string& name);

#ifdef _WIN32
// The system's private profile functions for the file `name` (a bare name
// lives in the Windows folder).
std::unique_ptr<Profile> MakeSystemProfile(const std::string& name);
#endif

}  // namespace kv
