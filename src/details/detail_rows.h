// The rows of the details pane: their labels, each ending in two blanks as the header does.
#pragma once

#include <array>
#include <string_view>

namespace tarnwick {

constexpr size_t kDetailRowCount = 15;

constexpr std::array<std::string_view, kDetailRowCount> kDetailRowLabels = {
    "VIS full pathname  ",
    "VIS scenery selection  ",
    "VIS scenery path  ",
    "Menu area description  ",
    "Source BGL file  ",
    "Location description  ",
    "Latitude  ",
    "Longitude  ",
    "Altitude (feet)  ",
    "Heading (degrees)  ",
    "COM1 frequency  ",
    "NAV1 frequency  ",
    "OBI1 setting (degrees)  ",
    "NAV2 frequency  ",
    "OBI2 setting (degrees)  "};

}  // namespace tarnwick
