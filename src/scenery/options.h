// The on/off options of the settings file, with their defaults. One record per process, passed by
// reference; commands change it in place and the orderly close writes it back.
#pragma once

namespace tarnwick {

struct Options {
  bool logging = false;
  bool confirmations = true;
  bool auto_expand = false;
  bool show_all_fields = false;
  bool fractional_minutes = false;
  bool expand_initially = false;
  bool status_bar = true;
  bool tool_bar = true;
  bool search_wrap = true;
  bool search_start_at_sel = true;
  bool search_partial = true;
};

}  // namespace tarnwick
