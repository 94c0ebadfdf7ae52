#include "cli/pdf_pages.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef TARNWICK_HAVE_CAIRO
#include <cairo-pdf.h>
#include <cairo.h>
#endif

namespace tarnwick::cli {

#ifndef TARNWICK_HAVE_CAIRO

bool PdfAvailable() {
  return false;
}

bool WritePdfPages(const MenuTree&, const ScenerySet&, const PrintChoices&, const std::string&,
                   std::string& error) {
  error = "PDF output is not available in this build (it needs cairo)";
  return false;
}

#else

namespace {

// A4 in points, and the device it stands for: 600 dots per inch over 210 x 297 mm.
constexpr double kPageWidthPoints = 210.0 / 25.4 * 72.0;
constexpr double kPageHeightPoints = 297.0 / 25.4 * 72.0;
constexpr int32_t kDotsPerInch = 600;
constexpr int32_t kWidthDots = 4960;
constexpr int32_t kHeightDots = 7015;
// The printer fonts: Arial, 11 points.
constexpr const char* kFace = "Arial";
constexpr int32_t kPointTenths = 110;

// The labels are single bytes; cairo takes UTF-8. Bytes above 0x7F are taken as U+0080-U+00FF.
std::string Utf8(const std::string& bytes) {
  std::string out;
  for (char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      out += c;
    } else {
      out += static_cast<char>(0xC0 | (byte >> 6));
      out += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return out;
}

cairo_status_t Collect(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

class PdfCanvas {
 public:
  explicit PdfCanvas(std::string& out)
      : surface_(cairo_pdf_surface_create_for_stream(Collect, &out, kPageWidthPoints,
                                                     kPageHeightPoints)),
        cr_(cairo_create(surface_)) {
    // One user unit is one printer dot.
    cairo_scale(cr_, 72.0 / kDotsPerInch, 72.0 / kDotsPerInch);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr_, options);
    cairo_font_options_destroy(options);
    const DevicePoint point =
        FontDevicePoint(kPointTenths, kPointTenths, kDotsPerInch, kDotsPerInch);
    font_size_ = -FontHeightFromLogical(point.y);
    SelectFont(PrintFont::kBody);
  }
  ~PdfCanvas() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
  }
  PdfCanvas(const PdfCanvas&) = delete;
  PdfCanvas& operator=(const PdfCanvas&) = delete;

  DeviceFigures Figures() {
    cairo_font_extents_t extents;
    cairo_font_extents(cr_, &extents);
    ascent_ = extents.ascent;
    return {kWidthDots, kHeightDots, kDotsPerInch, kDotsPerInch,
            static_cast<int32_t>(extents.height + 0.5)};
  }

  void Draw(const DrawStep& step) {
    switch (step.kind) {
      case StepKind::kStartPage:
        break;
      case StepKind::kEndPage:
        cairo_show_page(cr_);
        break;
      case StepKind::kRule:
        cairo_rectangle(cr_, step.x, step.y, step.x_end - step.x, kRuleThickness);
        cairo_fill(cr_);
        break;
      case StepKind::kText: {
        SelectFont(step.font);
        const std::string text = Utf8(step.text);
        cairo_text_extents_t extents;
        cairo_text_extents(cr_, text.c_str(), &extents);
        double x = step.x;
        if (step.align == TextAlign::kCentre) x -= extents.x_advance / 2;
        if (step.align == TextAlign::kRight) x -= extents.x_advance;
        // The step gives the top of the line, as a printer's text alignment does.
        cairo_move_to(cr_, x, step.y + ascent_);
        cairo_show_text(cr_, text.c_str());
        break;
      }
    }
  }

  // Finishes the document; false when cairo failed anywhere on the way.
  bool Finish(std::string& error) {
    cairo_surface_finish(surface_);
    cairo_status_t status = cairo_surface_status(surface_);
    if (status == CAIRO_STATUS_SUCCESS) status = cairo_status(cr_);
    if (status != CAIRO_STATUS_SUCCESS) error = cairo_status_to_string(status);
    return status == CAIRO_STATUS_SUCCESS;
  }

 private:
  void SelectFont(PrintFont font) {
    cairo_select_font_face(
        cr_, kFace, CAIRO_FONT_SLANT_NORMAL,
        font == PrintFont::kHeader ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr_, font_size_);
  }

  cairo_surface_t* surface_;
  cairo_t* cr_;
  double font_size_ = 0;
  double ascent_ = 0;
};

}  // namespace

bool PdfAvailable() {
  return true;
}

bool WritePdfPages(const MenuTree& tree, const ScenerySet& set, const PrintChoices& choices,
                   const std::string& path, std::string& error) {
  std::string pdf;
  {
    PdfCanvas canvas(pdf);
    const PageGeometry page = MakePageGeometry(canvas.Figures());
    for (const DrawStep& step : LayOutPages(tree, set, page, choices)) canvas.Draw(step);
    if (!canvas.Finish(error)) return false;
  }
  // Written beside the target and renamed over it, so that a failed write leaves no half file.
  const std::string part = path + ".part";
  FILE* file = std::fopen(part.c_str(), "wb");
  if (file == nullptr) {
    error = std::strerror(errno);
    return false;
  }
  bool written = std::fwrite(pdf.data(), 1, pdf.size(), file) == pdf.size();
  written = std::fclose(file) == 0 && written;
  if (!written || std::rename(part.c_str(), path.c_str()) != 0) {
    error = std::strerror(errno);
    std::remove(part.c_str());
    return false;
  }
  return true;
}

#endif

}  // namespace tarnwick::cli
