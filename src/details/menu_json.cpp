// The menu from the JSON of `tarnwick-cli menu --json`, read with nlohmann-json's event parser so
// that each problem can name the line and column it was found at.
#include <cstdint>
#include <iterator>
#include <limits>
#include <nlohmann/json.hpp>
#include <optional>

#include "details/code_page_1252.h"
#include "details/menu_text.h"

namespace tarnwick {

namespace {

// A character iterator that tells how far the parser has read, so that the events can be given
// the place they were read at.
class ReadingIterator {
 public:
  using iterator_category = std::forward_iterator_tag;
  using value_type = char;
  using difference_type = std::ptrdiff_t;
  using pointer = const char*;
  using reference = const char&;

  ReadingIterator() = default;
  ReadingIterator(const char* at, const char** read) : at_(at), read_(read) {}
  reference operator*() const { return *at_; }
  ReadingIterator& operator++() {
    ++at_;
    if (read_ != nullptr) *read_ = at_;
    return *this;
  }
  ReadingIterator operator++(int) {
    ReadingIterator before = *this;
    ++*this;
    return before;
  }
  bool operator==(const ReadingIterator& other) const { return at_ == other.at_; }
  bool operator!=(const ReadingIterator& other) const { return at_ != other.at_; }

 private:
  const char* at_ = nullptr;
  const char** read_ = nullptr;
};

constexpr std::array<std::string_view, kMenuValueCount> kJsonKeys = {
    "latitude", "longitude", "altitude", "heading", "com1", "nav1", "obi1", "nav2", "obi2"};

// Where an event's value sits in the structure of the menu.
enum class Level { kTop, kAreas, kArea, kLocations, kLocation, kOther };

class MenuJsonEvents {
 public:
  using json = nlohmann::json;
  using number_integer_t = json::number_integer_t;
  using number_unsigned_t = json::number_unsigned_t;
  using number_float_t = json::number_float_t;
  using string_t = json::string_t;
  using binary_t = json::binary_t;

  MenuJsonEvents(std::string_view text, const char** read, MenuText& out)
      : text_(text), read_(read), out_(out) {}

  bool null() { return Scalar(Kind::kNull, 0, nullptr); }
  bool boolean(bool) { return Scalar(Kind::kOther, 0, nullptr); }
  bool number_integer(number_integer_t value) { return Scalar(Kind::kNumber, value, nullptr); }
  bool number_unsigned(number_unsigned_t value) {
    return Scalar(value > static_cast<uint64_t>(std::numeric_limits<int64_t>::max())
                      ? Kind::kOther
                      : Kind::kNumber,
                  static_cast<int64_t>(value), nullptr);
  }
  bool number_float(number_float_t, const string_t&) { return Scalar(Kind::kOther, 0, nullptr); }
  bool string(string_t& value) { return Scalar(Kind::kString, 0, &value); }
  bool binary(binary_t&) { return Scalar(Kind::kOther, 0, nullptr); }

  bool start_object(std::size_t) {
    Level parent = levels_.empty() ? Level::kTop : levels_.back();
    Level level = Level::kOther;
    if (levels_.empty()) {
      level = Level::kTop;
    } else if (parent == Level::kAreas) {
      level = Level::kArea;
      area_ = {};
      area_.place = Here(1);
      area_first_location_ = out_.locations.size();
    } else if (parent == Level::kLocations) {
      level = Level::kLocation;
      location_ = TextLocation();
      location_.place = Here(1);
      location_.stored = true;
      have_.fill(false);
      have_description_ = false;
    }
    levels_.push_back(level);
    key_.clear();
    return true;
  }

  bool end_object() {
    Level level = levels_.back();
    levels_.pop_back();
    if (level == Level::kLocation) FinishLocation();
    if (level == Level::kArea) FinishArea();
    key_.clear();
    return true;
  }

  bool start_array(std::size_t) {
    Level parent = levels_.empty() ? Level::kOther : levels_.back();
    Level level = Level::kOther;
    if (parent == Level::kTop && key_ == "areas") {
      level = Level::kAreas;
      seen_areas_ = true;
    } else if (parent == Level::kArea && key_ == "locations") {
      level = Level::kLocations;
      area_first_location_ = out_.locations.size();
    }
    if (levels_.empty()) {
      Error(Here(1), "not a menu JSON file: it holds a list, not the object tarnwick-cli writes");
    }
    levels_.push_back(level);
    key_.clear();
    return true;
  }

  bool end_array() {
    levels_.pop_back();
    key_.clear();
    return true;
  }

  bool key(string_t& name) {
    key_ = name;
    key_place_ = KeyStart();
    return true;
  }

  bool SawAreas() const { return seen_areas_; }

  bool parse_error(std::size_t position, const std::string&, const nlohmann::detail::exception& e) {
    std::string what = e.what();
    // "[json.exception.parse_error.101] parse error at line 1, column 5: syntax error ..."
    if (size_t colon = what.find(": ", what.find("column")); colon != std::string::npos) {
      what = what.substr(colon + 2);
    }
    Error(PlaceAt(position > 0 ? position - 1 : 0), "not valid JSON: " + what);
    return false;
  }

 private:
  enum class Kind { kNull, kNumber, kString, kOther };

  void Error(TextPlace place, std::string what) {
    out_.problems.push_back({place, std::move(what), false});
  }

  // The place of byte `offset` of the text.
  TextPlace PlaceAt(size_t offset) const {
    // Counted from the last place asked for when it lies before: the events come in order.
    if (offset < counted_) {
      counted_ = 0;
      counted_place_ = TextPlace();
    }
    for (; counted_ < offset && counted_ < text_.size(); ++counted_) {
      char c = text_[counted_];
      if (c == '\n') {
        ++counted_place_.line;
        counted_place_.column = 1;
      } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
        ++counted_place_.column;
      }
    }
    return counted_place_;
  }
  // The place `back` bytes before what the parser has read.
  TextPlace Here(size_t back) const {
    size_t read = static_cast<size_t>(*read_ - text_.data());
    return PlaceAt(read >= back ? read - back : 0);
  }
  // The opening quote of the key just read.
  TextPlace KeyStart() const {
    size_t at = static_cast<size_t>(*read_ - text_.data());
    if (at >= 2) {
      at -= 2;  // before the closing quote
      while (at > 0 && !(text_[at] == '"' && text_[at - 1] != '\\')) --at;
    }
    return PlaceAt(at);
  }

  // The text in the code page; nothing (reported) for a character it cannot hold. The menu job
  // writes each byte as the character of the same number, and other characters the code page
  // holds are taken too.
  std::optional<std::string> CodePageText(const std::string& utf8) {
    std::string bytes;
    for (size_t i = 0; i < utf8.size();) {
      Utf8Char c = DecodeUtf8(std::string_view(utf8).substr(i));
      std::optional<uint8_t> byte;
      if (c.length != 0 && c.c <= 0xFF) {
        byte = static_cast<uint8_t>(c.c);
      } else if (c.length != 0) {
        byte = UnicodeToCodePage1252(c.c);
      }
      if (!byte) {
        std::string shown;
        AppendUtf8(shown, c.c);
        Error(key_place_, "the character '" + shown +
                              "' cannot be kept: titles are held in the Windows-1252 code page");
        return std::nullopt;
      }
      bytes += static_cast<char>(*byte);
      i += c.length;
    }
    return bytes;
  }

  bool Scalar(Kind kind, int64_t number, string_t* text) {
    Level level = levels_.empty() ? Level::kOther : levels_.back();
    if (level == Level::kArea && key_ == "title") {
      if (kind != Kind::kString) {
        Error(key_place_, "\"title\" must be a text");
      } else if (text->empty()) {
        Error(key_place_, "the Area title is empty");
        area_.has_title = true;
      } else if (auto title = CodePageText(*text)) {
        area_.title = std::move(*title);
        area_.title_place = key_place_;
        area_.has_title = true;
      }
    } else if (level == Level::kLocation) {
      LocationValue(kind, number, text);
    }
    key_.clear();
    return true;
  }

  void LocationValue(Kind kind, int64_t number, string_t* text) {
    if (key_ == "description") {
      have_description_ = true;
      if (kind != Kind::kString) {
        Error(key_place_, "\"description\" must be a text");
      } else if (auto title = CodePageText(*text)) {
        location_.description = std::move(*title);
        description_place_ = key_place_;
      }
      return;
    }
    if (key_ == "bgl") {
      if (kind == Kind::kString) {
        if (auto source = CodePageText(*text)) location_.source = std::move(*source);
      } else if (kind != Kind::kNull) {
        Error(key_place_, "\"bgl\" must be a path or null");
      }
      return;
    }
    for (size_t v = 0; v < kMenuValueCount; ++v) {
      if (key_ != kJsonKeys[v]) continue;
      have_[v] = true;
      const bool wide = v <= static_cast<size_t>(MenuValue::kAltitude);
      const int64_t low = wide ? std::numeric_limits<int32_t>::min() : 0;
      const int64_t high = wide ? std::numeric_limits<int32_t>::max() : 0xFFFF;
      if (kind != Kind::kNumber || number < low || number > high) {
        Error(key_place_, "\"" + std::string(kJsonKeys[v]) + "\" must be a whole number from " +
                              std::to_string(low) + " to " + std::to_string(high));
        return;
      }
      location_.text_places[v] = key_place_;
      LocnFields& f = location_.fields;
      switch (static_cast<MenuValue>(v)) {
        case MenuValue::kLatitude:
          f.latitude = static_cast<int32_t>(number);
          break;
        case MenuValue::kLongitude:
          f.longitude = static_cast<int32_t>(number);
          break;
        case MenuValue::kAltitude:
          f.altitude = static_cast<int32_t>(number);
          break;
        case MenuValue::kHeading:
          f.heading = static_cast<uint16_t>(number);
          break;
        case MenuValue::kCom1:
          f.com1 = static_cast<uint16_t>(number);
          break;
        case MenuValue::kNav1:
          f.nav1 = static_cast<uint16_t>(number);
          break;
        case MenuValue::kObi1:
          f.obi1 = static_cast<uint16_t>(number);
          break;
        case MenuValue::kNav2:
          f.nav2 = static_cast<uint16_t>(number);
          break;
        case MenuValue::kObi2:
          f.obi2 = static_cast<uint16_t>(number);
          break;
      }
      return;
    }
  }

  void FinishLocation() {
    bool whole = have_description_;
    if (!have_description_) Error(location_.place, "the Location has no \"description\"");
    for (size_t v = 0; v < kMenuValueCount; ++v) {
      if (!have_[v]) {
        Error(location_.place, "the Location has no \"" + std::string(kJsonKeys[v]) + "\"");
        whole = false;
      }
    }
    if (out_.locations.size() >= kMaxMenuLocations) {
      if (!too_many_) Error(location_.place, "more than 65,535 Locations: a menu holds no more");
      too_many_ = true;
      return;
    }
    if (!whole) return;
    if (location_.description.size() > kSavedLocationTitle) {
      out_.problems.push_back({description_place_,
                               "the saved menu keeps only the first 40 characters of the "
                               "Location title '" +
                                   CodePage1252ToUtf8(location_.description) + "'",
                               true});
    }
    out_.locations.push_back(std::move(location_));
  }

  // The title may come after the Locations: it is given to them once the Area's object ends.
  void FinishArea() {
    if (!area_.has_title) {
      Error(area_.place, "the Area has no \"title\"");
      return;
    }
    for (size_t i = area_first_location_; i < out_.locations.size(); ++i) {
      out_.locations[i].area_title = area_.title;
      out_.locations[i].area_place = area_.title_place;
      out_.locations[i].starts_area = i == area_first_location_;
    }
    if (area_first_location_ < out_.locations.size() && area_.title.size() > kSavedAreaTitle) {
      out_.problems.push_back({area_.title_place,
                               "the saved menu keeps only the first 20 characters of the Area "
                               "title '" +
                                   CodePage1252ToUtf8(area_.title) + "'",
                               true});
    }
    area_first_location_ = out_.locations.size();
  }

  struct AreaSeen {
    TextPlace place;
    TextPlace title_place;
    std::string title;
    bool has_title = false;
  };

  std::string_view text_;
  const char** read_;
  MenuText& out_;
  mutable size_t counted_ = 0;
  mutable TextPlace counted_place_;
  std::vector<Level> levels_;
  std::string key_;
  TextPlace key_place_;
  bool seen_areas_ = false;
  AreaSeen area_;
  size_t area_first_location_ = 0;
  TextLocation location_;
  std::array<bool, kMenuValueCount> have_{};
  bool have_description_ = false;
  TextPlace description_place_;
  bool too_many_ = false;
};

}  // namespace

MenuText ReadMenuJson(std::string_view bytes) {
  MenuText text;
  if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) bytes.remove_prefix(kUtf8Bom.size());
  const char* read = bytes.data();
  MenuJsonEvents events(bytes, &read, text);
  ReadingIterator first(bytes.data(), &read);
  ReadingIterator last(bytes.data() + bytes.size(), nullptr);
  bool parsed = nlohmann::json::sax_parse(first, last, &events);
  if (parsed && !events.SawAreas()) {
    text.problems.push_back(
        {{1, 1},
         "not a menu JSON file: it has no \"areas\" (tarnwick-cli menu --json writes them)",
         false});
  }
  return text;
}

}  // namespace tarnwick
