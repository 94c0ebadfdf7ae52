#include "print/win32/print_job.h"

#include "print/win32/device_pages.h"
#include "print/win32/printer_font.h"

namespace tarnwick::win32 {

namespace {

constexpr DWORD kChooseFlags =
    PD_RETURNDC | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE | PD_HIDEPRINTTOFILE;
// Arial, 11 points.
constexpr const char* kFace = "Arial";
constexpr int32_t kPointTenths = 110;

// The job whose pages are going out: the abort procedure has no parameter of its own, and only
// one job runs at a time on the window's thread.
PrintJob* printing_job = nullptr;

void FreeGlobal(HGLOBAL& handle) {
  if (handle != nullptr) GlobalFree(handle);
  handle = nullptr;
}

}  // namespace

void PrintJob::Print(bool release) {
  if (release) {
    ReleasePrinter();
    return;
  }
  PRINTDLGA dialog = {};
  DWORD error = 0;
  // The default printer, found without showing anything, unless one was chosen before.
  bool chosen = (dev_mode_ != nullptr || dev_names_ != nullptr) ||
                AskPrinter(PD_RETURNDEFAULT, dialog, error);
  if (chosen) chosen = AskPrinter(kChooseFlags, dialog, error);
  if (chosen && dialog.hDC != nullptr) {
    PrintPages(dialog.hDC, (dialog.Flags & PD_SELECTION) != 0);
  } else if (dialog.hDC != nullptr) {
    DeleteDC(dialog.hDC);
  }
  // A plain cancel of the dialog says nothing.
  if (!chosen && error != 0) session_.host.ShowMessage(error, "calling Print dialogue");
  if (!cancel_box_.ClosedByCancel()) {
    EnableWindow(shell_.Window(), TRUE);
    cancel_box_.Close();
  }
  if (shell_.TreeControl() != nullptr) SetFocus(shell_.TreeControl());
}

bool PrintJob::AskPrinter(DWORD flags, PRINTDLGA& dialog, DWORD& error) {
  dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = shell_.Window();
  dialog.hDevMode = dev_mode_;
  dialog.hDevNames = dev_names_;
  dialog.Flags = flags;
  dialog.nCopies = 1;
  const bool chosen = shell_.Questions().PrintDialog(dialog, error);
  // The dialog may have replaced either handle (and freed the one it was given).
  dev_mode_ = dialog.hDevMode;
  dev_names_ = dialog.hDevNames;
  return chosen;
}

void PrintJob::PrintPages(HDC dc, bool selection_only) {
  GdiObject<HFONT> body = MakePrinterFont(dc, kFace, kPointTenths, kPointTenths, 0, false);
  GdiObject<HFONT> header =
      MakePrinterFont(dc, kFace, kPointTenths, kPointTenths, kFontBold, false);
  HGDIOBJ original_font = SelectObject(dc, body.Get());
  TEXTMETRICA metrics = {};
  GetTextMetricsA(dc, &metrics);
  DeviceFigures device;
  device.horizontal_resolution = GetDeviceCaps(dc, HORZRES);
  device.vertical_resolution = GetDeviceCaps(dc, VERTRES);
  device.pixels_per_inch_x = GetDeviceCaps(dc, LOGPIXELSX);
  device.pixels_per_inch_y = GetDeviceCaps(dc, LOGPIXELSY);
  device.line_height = metrics.tmHeight + metrics.tmExternalLeading;

  Session& session = session_;
  PrintChoices choices;
  choices.selection_only = selection_only;
  choices.fractional_minutes = session.options.fractional_minutes;
  choices.show_all_fields = session.options.show_all_fields;
  const DrawSteps steps = LayOutPages(session.tree, session.set, MakePageGeometry(device), choices);

  EnableWindow(shell_.Window(), FALSE);
  cancelled_ = false;
  cancel_box_.Open(shell_.Instance(), shell_.Window(), [this] { cancelled_ = true; });
  printing_job = this;
  SetAbortProc(dc, AbortProcedure);

  DOCINFOA document = {};
  document.cbSize = sizeof document;
  document.lpszDocName = "Tarnwick";
  PageFailure failure;
  if (StartDocA(dc, &document) <= 0) {
    failure = {"in printing's StartDoc", GetLastError()};
  } else {
    // Not every platform calls the abort procedure while it takes pages (Wine does so only at
    // StartDoc): it runs after every page here too, so that Cancel is answered between pages.
    failure = DrawDevicePages(dc, steps, body.Get(), header.Get(),
                              [dc] { return AbortProcedure(dc, 0) != FALSE; });
    if (failure.phrase != nullptr) {
      AbortDoc(dc);
    } else if (EndDoc(dc) <= 0) {
      failure = {"in printing's EndDoc", GetLastError()};
    }
  }
  // A job the user cancelled has not failed: the pages stop without an error box.
  if (failure.phrase != nullptr && !cancelled_)
    session_.host.ShowMessage(failure.code, failure.phrase);
  printing_job = nullptr;
  SelectObject(dc, original_font);
  DeleteDC(dc);
}

BOOL CALLBACK PrintJob::AbortProcedure(HDC, int) {
  PrintJob* job = printing_job;
  if (job == nullptr) return TRUE;
  MSG message;
  while (!job->cancelled_ && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // The main loop must see the quit request too.
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    HWND box = job->cancel_box_.Window();
    if (box != nullptr && IsDialogMessageA(box, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return job->cancelled_ ? FALSE : TRUE;
}

void PrintJob::ReleasePrinter() {
  FreeGlobal(dev_mode_);
  FreeGlobal(dev_names_);
}

}  // namespace tarnwick::win32
