// The nine values of a Location as the cells of a menu text file: their text as the details pane
// shows it, whether a text still says what a stored value says, whether a changed text is in a
// form the program reads, and the stored value of an accepted text.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "scenery/scenery_set.h"

namespace tarnwick {

enum class MenuValue : int {
  kLatitude,
  kLongitude,
  kAltitude,
  kHeading,
  kCom1,
  kNav1,
  kObi1,
  kNav2,
  kObi2,
};
constexpr size_t kMenuValueCount = 9;

// The value's column header in a menu text file.
std::string_view MenuValueName(MenuValue value);

// The value's text as the details pane shows it.
std::string MenuValueText(const LocnFields& f, MenuValue value, bool fractional_minutes);

// Whether `text` says what the stored value says: it is the value's text in either angle style,
// or (for the numbers a spreadsheet may rewrite, "001" as "1", "110.30" as "110.3") the same
// number. Such a text keeps the stored value: the texts are rounded, and storing them again would
// move a Location nobody changed.
bool SameMenuValue(const LocnFields& f, MenuValue value, std::string_view text);

// What is wrong with `text` as a new value, or nothing when the program can read it: an angle in
// either style (the seconds, minutes or their fraction may be left out; blanks and a lower-case
// hemisphere letter are taken), a whole number of feet or degrees in range, a frequency in its
// radio's band. An empty radio cell, or a frequency of 0, means no frequency set.
std::optional<std::string> CheckMenuValue(MenuValue value, std::string_view text);

// Stores an accepted text as the details pane would.
void StoreMenuValue(LocnFields& f, MenuValue value, std::string_view text);

}  // namespace tarnwick
