// The VIS scenery control file: reading it into the model, turning an entry's path into its BGL
// search pattern, appending the generated menu's entry, and writing the image back.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "scenery/session.h"

namespace tarnwick {

// Reads the file at s.set.vis_path into the image and the VisEntry table, hands the rows of the
// VIS selections pane to the host and logs each entry. The caller has closed any earlier set.
// A file that cannot be read or indexed is reported through ShowMessage; it then returns false
// and no image or entry table is left behind.
bool ReadVisFile(Session& s);

// The title of the generated menu's entry, and the size of the file header.
constexpr std::string_view kMenuEntryTitle = "Global menu by Tarnwick";
constexpr int32_t kVisHeaderSize = 14;

// The VIS file's path without its last two components ("C:\FS98" for
// "C:\FS98\Scenery\World.vis"); empty when it has fewer.
std::string HostRoot(std::string_view vis_path);

// An entry's path turned into its search pattern (at most 259 characters), for example
// "=:\=\Scenery\area1\*.bgl" with host root "C:\FS98" -> "C:\FS98\Scenery\Area1\Scenery\*.bgl".
std::string ExpandVisPath(std::string_view host_root, std::string_view entry_path);

// The search pattern of an entry of the open set: ExpandVisPath, and a pattern without a drive
// taken from the VIS file's folder (a rooted one onto its drive). Empty when the VIS file's own
// path has no drive: such a pattern is searched nowhere.
std::string SearchPattern(const ScenerySet& set, std::string_view entry_path);

// Adds (or re-activates) the generated menu's entry at the end of the entry list; true when the
// image changed.
bool AppendMenuEntry(ScenerySet& set);

// After an appended entry was written: it joins the VisEntry table and the VIS selections pane,
// so that switching menus before the next reading reaches the generated menu as well.
void CountInMenuEntry(Session& s);

// Writes the image to s.set.vis_path, complete or not at all (a temporary file in the same folder
// replaces the VIS file once written). Failures are reported through ShowMessage.
bool WriteVisImage(Session& s);

// The temporary file beside the VIS file that a new image is written to before it replaces it.
std::string VisTemporaryPath(std::string_view vis_path);

// The VIS file replaced by a new image: Open creates the temporary file beside it (reporting
// "opening VIS file!" when it cannot), Commit writes the image there and puts it in the VIS
// file's place. A replacement that is not committed leaves no file behind.
class VisFileReplacement {
 public:
  VisFileReplacement() = default;
  VisFileReplacement(const VisFileReplacement&) = delete;
  VisFileReplacement& operator=(const VisFileReplacement&) = delete;
  ~VisFileReplacement();

  bool Open(Session& s);
  bool Commit(Session& s);

 private:
  FileSystem* fs_ = nullptr;  // set while a temporary file of ours exists
  std::string temporary_;
  std::unique_ptr<File> file_;
};

// Writes `image` to the VIS file at `vis_path` through its temporary file, as Commit does, without
// a session: the way a commit puts back the file it replaced after its set was closed. 0, or the
// system error code.
uint32_t PutVisFileBack(FileSystem& fs, const std::string& vis_path, const VisImage& image);

// Copies the working flags of changed entries into the image and writes it (the file part of
// committing changed VIS selections). When the write fails the image keeps the flags the file
// has, and the changes stay pending in the working flags.
bool StoreVisSelections(Session& s);
// The same into a replacement already opened.
bool StoreVisSelections(Session& s, VisFileReplacement& file);

}  // namespace tarnwick
