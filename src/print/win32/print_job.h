// The window's print job: the print dialog, the printer fonts, the pages of the print layout and
// the cancel box. The printer and its settings chosen in one job are offered again in the next.
#pragma once

#include "platform/win32/ui/pane_owner.h"
#include "platform/win32/ui/win32_api.h"
#include "print/print_layout.h"
#include "print/win32/print_cancel_box.h"
#include "scenery/session.h"

namespace tarnwick::win32 {

class PrintJob {
 public:
  PrintJob(PaneOwner& shell, Session& session) : shell_(shell), session_(session) {}
  ~PrintJob() { ReleasePrinter(); }
  PrintJob(const PrintJob&) = delete;
  PrintJob& operator=(const PrintJob&) = delete;

  // Prints the tree pane's menu, or only its marked items when the dialog's Selection is chosen.
  // With `release`, only frees the printer kept from earlier jobs.
  void Print(bool release);

  // The printer kept between jobs (null when none).
  HGLOBAL DevMode() const { return dev_mode_; }
  HGLOBAL DevNames() const { return dev_names_; }
  // The cancel box while pages are printed.
  HWND CancelBox() const { return cancel_box_.Window(); }

 private:
  // Runs one dialog; keeps the handles it hands back.
  bool AskPrinter(DWORD flags, PRINTDLGA& dialog, DWORD& error);
  void PrintPages(HDC dc, bool selection_only);
  void ReleasePrinter();
  static BOOL CALLBACK AbortProcedure(HDC dc, int code);

  PaneOwner& shell_;
  Session& session_;
  HGLOBAL dev_mode_ = nullptr;
  HGLOBAL dev_names_ = nullptr;
  PrintCancelBox cancel_box_;
  bool cancelled_ = false;
};

}  // namespace tarnwick::win32
