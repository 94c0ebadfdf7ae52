// The texts of the printed menu: the page header's file name and the detail lines of a Location.
#pragma once

#include <string>
#include <string_view>

#include "scenery/scenery_set.h"

namespace tarnwick {

// The VIS file's name as the header shows it: the part after the last backslash, upper-cased.
std::string HeaderFileName(std::string_view vis_path);

// The position line: latitude, longitude, altitude in feet and heading in whole degrees.
std::string PositionLine(const LocnFields& fields, bool fractional_minutes);
// The radio line of the additional fields.
std::string RadioLine(const LocnFields& fields);

}  // namespace tarnwick
