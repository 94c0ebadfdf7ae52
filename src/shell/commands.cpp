#include "shell/commands.h"

#include <algorithm>

namespace tarnwick {

using C = Command;

const std::array<Command, 50> kAllCommands = {C::kOpenScenerySet,
                                              C::kSaveResults,
                                              C::kCloseScenerySet,
                                              C::kPrint,
                                              C::kExitWithoutSaving,
                                              C::kExitAfterSaving,
                                              C::kNewArea,
                                              C::kNewLocation,
                                              C::kEnableOriginalMenus,
                                              C::kDisableOriginalMenus,
                                              C::kRestorePreviousResults,
                                              C::kExportMenu,
                                              C::kImportMenu,
                                              C::kRenameArea,
                                              C::kRenameLocation,
                                              C::kDeleteArea,
                                              C::kDeleteLocation,
                                              C::kSortAreas,
                                              C::kSortLocations,
                                              C::kEditLocationDetails,
                                              C::kEditSelectedDetail,
                                              C::kChangeVisSelections,
                                              C::kFindEntry,
                                              C::kFindNext,
                                              C::kUndoLastEdit,
                                              C::kCheckMenu,
                                              C::kRedo,
                                              C::kMoveUp,
                                              C::kMoveDown,
                                              C::kCut,
                                              C::kPaste,
                                              C::kMergeInto,
                                              C::kExpandAllAreas,
                                              C::kCollapseAllAreas,
                                              C::kAutoExpand,
                                              C::kShowAdditionalFields,
                                              C::kToolBar,
                                              C::kStatusBar,
                                              C::kToggleConfirmations,
                                              C::kFractionalMinutes,
                                              C::kMinutesAndSeconds,
                                              C::kToggleLogging,
                                              C::kHelpIndex,
                                              C::kHelp,
                                              C::kHowToUseHelp,
                                              C::kAbout,
                                              C::kToggleSceneryArea,
                                              C::kUpdateVisNow,
                                              C::kRenameThisEntry,
                                              C::kDeleteThisEntry};

const std::array<Command, 42> kMainMenuCommands = {
    // File
    C::kOpenScenerySet, C::kSaveResults, C::kRestorePreviousResults, C::kCloseScenerySet, C::kPrint,
    C::kExportMenu, C::kImportMenu, C::kEnableOriginalMenus, C::kDisableOriginalMenus,
    C::kExitWithoutSaving, C::kExitAfterSaving,
    // Edit
    C::kFindEntry, C::kFindNext, C::kNewArea, C::kNewLocation, C::kUndoLastEdit, C::kRedo,
    C::kRenameArea, C::kRenameLocation, C::kDeleteArea, C::kDeleteLocation, C::kCut, C::kPaste,
    C::kMoveUp, C::kMoveDown, C::kMergeInto, C::kSortAreas, C::kSortLocations,
    C::kEditLocationDetails, C::kChangeVisSelections, C::kCheckMenu,
    // View
    C::kExpandAllAreas, C::kCollapseAllAreas, C::kAutoExpand, C::kFractionalMinutes,
    C::kMinutesAndSeconds,
    // Options
    C::kShowAdditionalFields, C::kToolBar, C::kStatusBar,
    // Help
    C::kHelp, C::kHowToUseHelp, C::kAbout};

bool IsValidCommand(int number) {
  if (number < kFirstCommand || number > kLastCommand) return false;
  return std::any_of(kAllCommands.begin(), kAllCommands.end(),
                     [number](Command c) { return static_cast<int>(c) == number; });
}

std::string_view ToolTipText(int number) {
  switch (number) {
    case 101:
      return "Open scenery set";
    case 102:
      return "Save results";
    case 103:
      return "Close scenery set";
    case 104:
      return "Print ...";
    case 107:
      return "New Area";
    case 108:
      return "New Location";
    case 109:
      return "Enable original menus";
    case 110:
      return "Disable original menus";
    case 121:
      return "Rename Area";
    case 122:
      return "Rename Location";
    case 123:
      return "Delete Area";
    case 124:
      return "Delete Location";
    case 125:
      return "Sort Areas";
    case 126:
      return "Sort Locations";
    case 127:
      return "Edit Location Details";
    case 129:
      return "Change VIS selections";
    case 130:
      return "Search for text in list ...";
    case 131:
      return "Search again";
    case 132:
      return "Undo last edit or rename";
    case 133:
      return "Redo";
    case 135:
      return "Check menu ...";
    case 141:
      return "Expand all Areas";
    case 142:
      return "Collapse all Areas";
    case 143:
      return "Auto expand and collapse";
    case 144:
      return "Show &additional fields";
    case 164:
      return "Show fractional minutes";
    case 165:
      return "Show minutes and seconds";
    case 181:
      return "Display help index";
    // The Help button needs a tip of its own; it opens the help finder.
    case 182:
      return "Help";
    default:
      return {};
  }
}

bool IsCommandEnabled(Command command, const MenuStateInput& in) {
  switch (command) {
    case C::kPrint:
    case C::kNewLocation:
    case C::kRenameArea:
    case C::kRenameLocation:
    case C::kDeleteArea:
    case C::kDeleteLocation:
    case C::kSortAreas:
    case C::kSortLocations:
    case C::kMoveUp:
    case C::kMoveDown:
    case C::kCut:
    case C::kPaste:
    case C::kMergeInto:
    case C::kEditLocationDetails:
    case C::kFindEntry:
    case C::kExpandAllAreas:
    case C::kCollapseAllAreas:
    case C::kCheckMenu:
      return in.menu_present;
    case C::kSaveResults:
    case C::kCloseScenerySet:
    case C::kExitAfterSaving:
    case C::kNewArea:
    case C::kChangeVisSelections:
    case C::kExportMenu:
    case C::kImportMenu:
      return in.tree_root_exists;
    case C::kRestorePreviousResults:
      return in.previous_results_exist;
    case C::kFindNext:
      return in.previous_search_exists && in.menu_present;
    // Every edit of the menu is in one history, whichever pane made it.
    case C::kUndoLastEdit:
      return in.menu_present && in.undo_available;
    case C::kRedo:
      return in.menu_present && in.redo_available;
    default:
      return true;
  }
}

std::vector<CommandState> UpdateMenuState(const MenuStateInput& in) {
  std::vector<CommandState> states;
  states.reserve(kAllCommands.size());
  for (Command c : kAllCommands) states.push_back({c, IsCommandEnabled(c, in)});
  return states;
}

bool DetailsPopupEditEnabled(int hit_row) {
  // Rows 0-4 describe where the Location came from and cannot be edited.
  return hit_row >= 5;
}

VisPopupState VisPopupItems(bool row_hit, bool changes_pending) {
  return VisPopupState{row_hit, changes_pending, true};
}

}  // namespace tarnwick
