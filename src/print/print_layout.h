// The print layout: the menu of the tree pane, or its marked items, laid out as pages of drawing
// steps. The walk and its page breaks are the same for every device; only the geometry differs.
#pragma once

#include "platform/menu_tree.h"
#include "print/page_geometry.h"
#include "print/print_steps.h"
#include "scenery/scenery_set.h"

namespace tarnwick {

struct PrintChoices {
  bool selection_only = false;      // only the marked items
  bool fractional_minutes = false;  // the angle style of the position lines
  bool show_all_fields = false;     // a radio line under each position line
};

// Every page from the first StartPage to the last EndPage. An empty tree still gives one page
// with its header.
DrawSteps LayOutPages(const MenuTree& tree, const ScenerySet& set, const PageGeometry& page,
                      const PrintChoices& choices);

}  // namespace tarnwick
