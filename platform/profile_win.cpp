// The profile port on Windows: the system's private profile functions, so
// the settings file is where and what the system makes of it.
#include <windows.h>

#include <vector>

#include "platform/profile.h"

namespace kv {

namespace {

class SystemProfile : public Profile {
 public:
  explicit SystemProfile(std::string name) : name_(std::move(name)) {}

  int GetInt(const char* section, const char* key, int default_value) override {
    return static_cast<int>(GetPrivateProfileIntA(section, key, default_value, name_.c_str()));
  }

  std::string GetString(const char* section, const char* key, const char* default_text,
                        std::size_t size) override {
    if (size == 0) return std::string();
    std::vector<char> buffer(size, '\0');
    DWORD length = GetPrivateProfileStringA(section, key, default_text ? default_text : "", buffer.data(),
                                            static_cast<DWORD>(size), name_.c_str());
    return std::string(buffer.data(), length < size ? length : size - 1);
  }

  bool WriteString(const char* section, const char* key, const char* value) override {
    std::string text = value ? value : "";
    text = text.substr(0, text.find_first_of("\r\n"));
    return WritePrivateProfileStringA(section, key, text.c_str(), name_.c_str()) != FALSE;
  }

 private:
  std::string name_;
};

}  // namespace

std::unique_ptr<Profile> MakeSystemProfile(const std::string& name) {
  return std::make_unique<SystemProfile>(name);
}

}  // namespace kv
