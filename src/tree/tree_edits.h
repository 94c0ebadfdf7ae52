// The user's edits of the menu's structure and titles, on the MenuTree and the record tables. The
// tree pane only turns commands, keys and label-edit notifications into these calls.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "scenery/session.h"

namespace tarnwick {

// The kind a command asks for; kAny means "whatever is selected" (for NewEntry: the same kind as
// the selected node).
enum class EntryKind { kAny, kArea, kLocation };
enum class SortWhich { kAreas, kLocations };

// Titles typed by the user are cut to these lengths.
constexpr size_t kMaxAreaTitle = 20;
constexpr size_t kMaxLocationTitle = 40;

inline constexpr char kNewEntryLabel[] = "NEW ENTRY";

// Makes a new Area or Location next to the selection (splitting an Area when an Area is made from
// a Location), selects it and starts editing its label.
void NewEntry(Session& s, EntryKind kind);

// Starts editing the selected node's label (never the root's).
void RenameEntry(Session& s, EntryKind kind);
// The tree is about to edit `node`'s label: true refuses it (the root); otherwise the label is kept
// as the label it had before the edit.
bool BeginRename(Session& s, TreeNode node);
// Editing of `node`'s label ended with `text`, or with none when cancelled. Returns the label the
// tree must keep (the text cut to the kind's limit), or none when it keeps the old one.
std::optional<std::string> EndRename(Session& s, TreeNode node,
                                     std::optional<std::string_view> text);

// Removes the selected node with its Locations after confirmation; beeps for the wrong kind.
void DeleteEntry(Session& s, EntryKind kind);

// Puts the Areas, or the Locations of every Area, in label order ignoring case (the tree's own
// comparison).
void SortEntries(Session& s, SortWhich which);

// Re-creates `node` (with an Area's Locations) under `parent` after `after` (nullptr: first) and
// removes the old node. Returns the new node, or nullptr when the tree refused it.
TreeNode MoveNode(Session& s, TreeNode node, TreeNode parent, TreeNode after);
// After confirmation, moves every Location of `source` behind those of `target` and removes
// `source`. Returns whether it merged.
bool MergeAreas(Session& s, TreeNode target, TreeNode source);

// Moves the selected Area or Location one place up or down among its siblings (Alt+Up, Alt+Down)
// and keeps it selected; beeps at the first or last place and for the root. Returns whether it
// moved.
bool MoveAmongSiblings(Session& s, bool up);

// Remembers the marked items (the selected one when none is marked; a marked Area brings its
// Locations, which are not remembered apart) for Paste. Nothing moves yet; with nothing to cut it
// beeps. Returns how many it remembered.
size_t CutItems(Session& s);
// Moves the items cut after the selected item as dropping them there would (a Location onto an
// Area goes first, and so on), the later ones after the earlier, as one undoable step, and
// selects the last one moved. Beeps, moving nothing, when nothing is cut or selected, or when the
// selection lies within a cut item. Returns the node selected, or nullptr.
TreeNode PasteItems(Session& s);

// The Areas the selected Area can be merged into: every other Area, in tree order; none when the
// selection is not an Area.
std::vector<TreeNode> MergeTargets(const Session& s);
// Merges the selected Area into `target` as a Shift-drop onto it does (after confirmation), as one
// undoable step, and selects `target`. Returns whether it merged.
bool MergeSelectedInto(Session& s, TreeNode target);

// Removes a node with its children, forgetting every reference the tree pane keeps into it.
void RemoveTreeNode(Session& s, TreeNode node);

// The status bar's counts after edits: records made less nodes deleted.
void ShowAreaCount(Session& s);
void ShowLocationCount(Session& s);

}  // namespace tarnwick
