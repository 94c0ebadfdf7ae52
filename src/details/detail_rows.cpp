#include "details/detail_rows.h"

#include "details/value_formats.h"

namespace tarnwick {

namespace {

// A record-derived text that is empty says so instead of leaving the row blank.
std::string OrMissing(std::string_view text) {
  return text.empty() ? std::string(kMissingDataText) : std::string(text);
}

std::string Label(const MenuTree& tree, TreeNode node) {
  if (node == nullptr) return {};
  std::string label = tree.Label(node);
  if (label.size() > kMaxLabel) label.resize(kMaxLabel);
  return label;
}

// The VIS entry an Area or Location comes from: its number, 0 or less when the user made it.
int32_t VisNumber(const ScenerySet& set, TreeItemData data) {
  uint32_t record = RecordOf(data);
  if (KindOf(data) == NodeKind::kArea) {
    const MenuArea* area = set.Area(record);
    return area != nullptr ? area->vis_index : 0;
  }
  const MenuLocation* location = set.Location(record);
  return location != nullptr ? location->scenery_vis : 0;
}

std::string VisText(const ScenerySet& set, TreeItemData data, bool path) {
  int32_t number = VisNumber(set, data);
  if (number <= 0) return kAreaAddedText;
  const VisEntry* entry = set.Vis(number);
  if (entry == nullptr || !set.HasImage()) return kMissingDataText;
  return OrMissing(path ? set.EntryPath(*entry) : set.EntryTitle(*entry));
}

std::string LocationValue(const MenuLocation& location, int row, bool fractional_minutes) {
  const LocnFields& f = location.fields;
  switch (row) {
    case 6:
      return FormatAngle(f.latitude, AngleAxis::kLatitude, fractional_minutes);
    case 7:
      return FormatAngle(f.longitude, AngleAxis::kLongitude, fractional_minutes);
    case 8:
      return FormatAltitude(f.altitude);
    case 9:
      return FormatHeading(f.heading);
    case 10:
      return FormatFrequency(f.com1);
    case 11:
      return FormatFrequency(f.nav1);
    case 12:
      return FormatObi(f.obi1);
    case 13:
      return FormatFrequency(f.nav2);
    case 14:
      return FormatObi(f.obi2);
    default:
      return {};
  }
}

}  // namespace

int DetailRowCount(TreeNode node, TreeItemData data, bool show_all_fields) {
  if (node == nullptr) return 0;
  if (data < 0x10000u) return 1;
  if (KindOf(data) == NodeKind::kArea) return 4;
  return show_all_fields ? kLastDetailRow + 1 : kLastBasicDetailRow + 1;
}

int DetailRowIcon(int row) {
  // The VIS file's rows (its path and the entry's title) carry the root's picture.
  if (row <= 1) return 0;
  return row < kFirstEditableDetailRow ? 1 : 2;
}

std::string DetailRowValue(const ScenerySet& set, const MenuTree& tree, TreeNode node, int row,
                           bool fractional_minutes) {
  if (row == 0) return set.vis_path;
  if (node == nullptr) return {};
  TreeItemData data = tree.Data(node);
  bool is_area = KindOf(data) == NodeKind::kArea;
  switch (row) {
    case 1:
      return VisText(set, data, /*path=*/false);
    case 2:
      return VisText(set, data, /*path=*/true);
    case 3:
      return Label(tree, is_area ? node : tree.Parent(node));
    case 5:
      return Label(tree, node);
    default:
      break;
  }
  const MenuLocation* location = is_area ? nullptr : set.Location(RecordOf(data));
  if (location == nullptr) return kMissingDataText;
  if (row == 4) {
    if (location->bgl_index <= 0) return kLocationAddedText;
    const MenuBgl* bgl = set.Bgl(location->bgl_index);
    return bgl != nullptr ? OrMissing(bgl->path) : std::string(kMissingDataText);
  }
  return LocationValue(*location, row, fractional_minutes);
}

}  // namespace tarnwick
