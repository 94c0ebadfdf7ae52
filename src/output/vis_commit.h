// Committing the on/off selections of the VIS selections pane. The question and its answers
// belong to the shell; these are the decisions and the file work behind them.
#pragma once

#include <string_view>

#include "scenery/session.h"

namespace tarnwick {

// Whether any entry's selection differs from the flags stored in the file.
bool VisSelectionsChanged(const ScenerySet& set);

// The question asked before committing.
std::string_view VisCommitQuestion(const ScenerySet& set);

// The answer No: every selection goes back to the stored flags.
void RevertVisSelections(Session& s);

// What came of the answer Yes.
enum class VisCommitResult {
  kWritten,    // the VIS file holds the selections (and a loaded set was saved and scanned)
  kCancelled,  // the menu switch was cancelled, which closed the set: the VIS file was put back
  kFailed,     // the VIS file could not be written or a menu not switched (reported): the file
               // and the menus are as they were, and the selections stay pending
};

// The answer Yes: the selections are stored into the VIS file, complete or not at all, then the
// menus of the changed entries are switched on, all or none (the VIS file is put back when they
// cannot be); a loaded set is then saved and scanned again.
VisCommitResult CommitVisSelections(Session& s);

}  // namespace tarnwick
