// JSON output of tarnwick-cli. Texts from the files are single-byte strings of any code page: each
// byte is written as the character of the same number (0x80-0xFF as U+0080-U+00FF), so the output
// is valid UTF-8 and every byte can be recovered from it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::cli {

// `bytes` as a quoted JSON string.
std::string JsonString(std::string_view bytes);

// Builds one JSON value in `out`, placing the commas and colons. Values inside an object follow a
// Key(); the calls nest as the value does.
class JsonWriter {
 public:
  explicit JsonWriter(std::string& out) : out_(out) {}

  JsonWriter& BeginObject();
  JsonWriter& EndObject();
  JsonWriter& BeginArray();
  JsonWriter& EndArray();
  JsonWriter& Key(std::string_view key);
  JsonWriter& String(std::string_view bytes);
  JsonWriter& Number(int64_t value);
  JsonWriter& Bool(bool value);
  JsonWriter& Null();

 private:
  void BeforeValue();

  std::string& out_;
  std::vector<bool> has_items_;  // one per open object or array
  bool after_key_ = false;
};

}  // namespace tarnwick::cli
