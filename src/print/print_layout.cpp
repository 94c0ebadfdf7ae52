#include "print/print_layout.h"

#include <string>

#include "print/print_lines.h"

namespace tarnwick {

namespace {

// Labels are read as the tree-view control hands them out to a 256-byte buffer.
constexpr size_t kMaxPrintedLabel = 255;

class PageWriter {
 public:
  PageWriter(const MenuTree& tree, const ScenerySet& set, const PageGeometry& page,
             const PrintChoices& choices)
      : tree_(tree), set_(set), page_(page), choices_(choices) {}

  DrawSteps Run() {
    PageHeader();
    const int32_t extra = choices_.show_all_fields ? 1 : 0;
    for (TreeNode top = tree_.Root(); top != nullptr; top = tree_.Next(top)) {
      PrintItem(top, 4 + extra);
      for (TreeNode area = tree_.FirstChild(top); area != nullptr; area = tree_.Next(area)) {
        PrintItem(area, 3 + extra);
        for (TreeNode locn = tree_.FirstChild(area); locn != nullptr; locn = tree_.Next(locn)) {
          PrintItem(locn, 2 + extra);
        }
      }
      // The marked items all hang below the root.
      if (choices_.selection_only) break;
    }
    Mark(StepKind::kEndPage);
    return std::move(steps_);
  }

 private:
  void Mark(StepKind kind) {
    DrawStep step;
    step.kind = kind;
    steps_.push_back(std::move(step));
  }

  void Text(int32_t x, TextAlign align, PrintFont font, std::string text) {
    DrawStep step;
    step.kind = StepKind::kText;
    step.x = x;
    step.y = y_;
    step.align = align;
    step.font = font;
    step.text = std::move(text);
    steps_.push_back(std::move(step));
  }

  void Rule() {
    DrawStep step;
    step.kind = StepKind::kRule;
    step.x = page_.left_margin;
    step.y = y_;
    step.x_end = page_.right_edge;
    steps_.push_back(std::move(step));
  }

  void PageHeader() {
    Mark(StepKind::kStartPage);
    y_ = page_.top_margin;
    ++page_number_;
    std::string name = HeaderFileName(set_.vis_path);
    if (choices_.selection_only) name = "Selected from " + name;
    Text(page_.left_margin, TextAlign::kLeft, PrintFont::kHeader, "Tarnwick");
    Text((page_.left_margin + page_.right_edge) / 2, TextAlign::kCentre, PrintFont::kHeader,
         std::move(name));
    Text(page_.right_edge, TextAlign::kRight, PrintFont::kHeader,
         "Page " + std::to_string(page_number_));
    y_ += (3 * page_.line_height) / 2;
    Rule();
    y_ += page_.line_height;
  }

  int32_t IndentOf(int32_t level) const {
    return page_.left_margin + 3 * page_.line_height * (level - 1);
  }

  void PrintItem(TreeNode node, int32_t lines_needed) {
    const TreeItemData data = tree_.Data(node);
    const int32_t kind = static_cast<int32_t>(KindOf(data));
    if (kind == static_cast<int32_t>(NodeKind::kRoot)) {
      pending_separator_ = 0;
      return;
    }
    if (choices_.selection_only && !tree_.Marked(node)) {
      if (pending_separator_ == 0 || pending_separator_ > kind) pending_separator_ = kind;
      return;
    }
    // Keeps an Area with its first Location, and a Location with its detail lines.
    if (y_ >= page_.bottom_limit - page_.line_height * (lines_needed + 1)) {
      Mark(StepKind::kEndPage);
      PageHeader();
    }
    if (pending_separator_ != 0) {
      Text(IndentOf(pending_separator_), TextAlign::kLeft, PrintFont::kBody, "------");
      y_ += page_.line_height;
      pending_separator_ = 0;
    }
    const int32_t indent = IndentOf(kind);
    std::string label = tree_.Label(node);
    if (label.size() > kMaxPrintedLabel) label.resize(kMaxPrintedLabel);
    Text(indent, TextAlign::kLeft, PrintFont::kBody, std::move(label));
    y_ += page_.line_height;
    if (kind != static_cast<int32_t>(NodeKind::kLocation)) return;
    // A node whose record is gone prints its label only.
    const MenuLocation* location = set_.Location(RecordOf(data));
    if (location == nullptr) return;
    const int32_t detail_indent = indent + 3 * page_.line_height;
    Text(detail_indent, TextAlign::kLeft, PrintFont::kBody,
         PositionLine(location->fields, choices_.fractional_minutes));
    y_ += page_.line_height;
    if (choices_.show_all_fields) {
      Text(detail_indent, TextAlign::kLeft, PrintFont::kBody, RadioLine(location->fields));
      y_ += page_.line_height;
    }
  }

  const MenuTree& tree_;
  const ScenerySet& set_;
  const PageGeometry& page_;
  const PrintChoices& choices_;
  DrawSteps steps_;
  int32_t y_ = 0;
  int32_t page_number_ = 0;
  int32_t pending_separator_ = 0;
};

}  // namespace

DrawSteps LayOutPages(const MenuTree& tree, const ScenerySet& set, const PageGeometry& page,
                      const PrintChoices& choices) {
  return PageWriter(tree, set, page, choices).Run();
}

}  // namespace tarnwick
