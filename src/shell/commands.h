// The numbered commands of menus, context menus, toolbar and keys; their tool tips; and the rule
// that greys menu items according to the program's state.
#pragma once

#include <array>
#include <string_view>
#include <vector>

namespace tarnwick {

enum class Command : int {
  kOpenScenerySet = 101,
  kSaveResults = 102,
  kCloseScenerySet = 103,
  kPrint = 104,
  kExitWithoutSaving = 105,
  kExitAfterSaving = 106,
  kNewArea = 107,
  kNewLocation = 108,
  kEnableOriginalMenus = 109,
  kDisableOriginalMenus = 110,
  kRestorePreviousResults = 111,
  kExportMenu = 112,
  kImportMenu = 113,
  kRenameArea = 121,
  kRenameLocation = 122,
  kDeleteArea = 123,
  kDeleteLocation = 124,
  kSortAreas = 125,
  kSortLocations = 126,
  kEditLocationDetails = 127,
  kEditSelectedDetail = 128,  // the details pane's context menu: edit the row clicked
  kChangeVisSelections = 129,
  kFindEntry = 130,
  kFindNext = 131,
  kUndoLastEdit = 132,
  kCheckMenu = 135,  // the menu check's list
  kRedo = 133,
  kMoveUp = 136,
  kMoveDown = 137,
  kCut = 138,
  kPaste = 139,
  kMergeInto = 140,
  kExpandAllAreas = 141,
  kCollapseAllAreas = 142,
  kAutoExpand = 143,
  kShowAdditionalFields = 144,
  kToolBar = 161,
  kStatusBar = 162,
  kToggleConfirmations = 163,  // no menu item, button or key
  kFractionalMinutes = 164,
  kMinutesAndSeconds = 165,
  kToggleLogging = 166,  // no menu item, button or key
  kHelpIndex = 181,      // no menu item, button or key
  kHelp = 182,
  kHowToUseHelp = 183,
  kAbout = 184,
  kToggleSceneryArea = 301,
  kUpdateVisNow = 302,
  kRenameThisEntry = 303,
  kDeleteThisEntry = 304,
};

constexpr int kFirstCommand = 101;
constexpr int kLastCommand = 304;

// Every command, in number order.
extern const std::array<Command, 50> kAllCommands;
// The items of the main menu ("Tarnwick"), menu by menu in their order; no separators.
extern const std::array<Command, 42> kMainMenuCommands;

// Only the numbers above are commands; anything else that arrives is ignored.
bool IsValidCommand(int number);

// The tool tip of a toolbar button, or empty for a number without one.
std::string_view ToolTipText(int number);

enum class FocusPane { kOther, kTree, kDetails, kVis };

// The state that the enabling rule reads.
struct MenuStateInput {
  bool tree_root_exists = false;  // a scenery set has been opened
  bool menu_present = false;      // the root and at least one Area
  bool previous_results_exist = false;
  bool previous_search_exists = false;
  FocusPane focus = FocusPane::kOther;
  bool undo_available = false;  // the edit history holds a step to undo
  bool redo_available = false;  // ...or one undone, to do again
};

struct CommandState {
  Command command;
  bool enabled;
};

// Whether the command's menu items are enabled; commands the rule does not name never grey.
bool IsCommandEnabled(Command command, const MenuStateInput& in);
// The rule applied to every command, in number order.
std::vector<CommandState> UpdateMenuState(const MenuStateInput& in);

// The details context menu, after the rule: editing needs a click on an editable row.
// hit_row is the row clicked, or -1 for none.
bool DetailsPopupEditEnabled(int hit_row);

// The VIS context menu does not follow the rule.
struct VisPopupState {
  bool toggle_enabled = false;  // 301: a row was clicked
  bool update_enabled = false;  // 302: selection changes are waiting to be written
  bool open_enabled = true;     // 101
};
VisPopupState VisPopupItems(bool row_hit, bool changes_pending);

}  // namespace tarnwick
