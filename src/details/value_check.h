// Whether a text typed into the details pane's edit box fits the row's field: the forms the pane
// shows (with blanks around the parts, a lower-case hemisphere letter and missing seconds or
// minutes allowed) and the range the stored field can hold. The parsers never refuse anything;
// this is what stops "hello" from storing N00:00:00.0000 or 99999 feet from wrapping round.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarnwick {

// nullopt when `text` may be stored in `row` (5 to 14); otherwise the form and range to show
// the user, such as "N41:58:42.9601 or N41:58.7160 (N or S, up to 90 degrees)".
std::optional<std::string> ValueTextProblem(int row, std::string_view text);

}  // namespace tarnwick
