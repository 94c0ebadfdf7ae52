// The printed pages drawn into a PDF file with cairo: A4 at the resolution of a 600-dpi printer,
// so that the layout is the one a printer of that kind gets.
#pragma once

#include <string>

#include "print/print_layout.h"

namespace tarnwick::cli {

// Whether this build can write PDF files (cairo is a build option).
bool PdfAvailable();

// Lays out the menu and writes the pages to `path`, replacing it only once the whole file has
// been written. False with `error` set when it could not be done.
bool WritePdfPages(const MenuTree& tree, const ScenerySet& set, const PrintChoices& choices,
                   const std::string& path, std::string& error);

}  // namespace tarnwick::cli
