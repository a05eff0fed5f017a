#include "output/printing_win.h"

#include <commdlg.h>
#include <windowsx.h>

#include <memory>
#include <string>

#include "notes/note_set_source.h"
#include "output/output_dialogs_win.h"
#include "output/page_layout.h"
#include "output/range_dialog_win.h"
#include "platform/gdi_canvas_win.h"
#include "platform/user_services_win.h"
#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "platform/font_description_win.h"
#include "shell/guarded_procedure_win.h"
#include "shell/help_win.h"
#include "shell/program_win.h"
#include "shell/shell_ports_win.h"
#include "store/reference_dialogs_win.h"

namespace kv {
namespace {

constexpr int kMillimetreHundredthsPerInch = 2540;
constexpr int kThousandthsPerInch = 1000;

std::string& OutputFile() {
  static std::string file_name;
  return file_name;
}

// The print-continues flag and the "Printing..." dialog of the job running
// now: one job at a time, since the main window is disabled while it runs.
BOOL g_keep_printing = FALSE;
HWND g_abort_dialog = nullptr;

// Called by the GDI while it spools, and by the layout before each verse:
// the waiting messages go to the "Printing..." dialog or their windows, so
// its Cancel button can be pressed. A quit message is put back for the
// program's own loop and ends the job.
BOOL CALLBACK PrintAbortProc(HDC, int) {
  MSG message;
  while (g_keep_printing && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      g_keep_printing = FALSE;
      break;
    }
    if (!g_abort_dialog || !IsDialogMessageA(g_abort_dialog, &message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  return g_keep_printing;
}

BOOL Abort_OnInitDialog(HWND dialog, HWND, LPARAM) {
  CenterDialog(dialog, Windows().main);
  return TRUE;
}

// Any command from the dialog (its Cancel button, the close box) stops the job.
void Abort_OnCommand(HWND, int, HWND, UINT) { g_keep_printing = FALSE; }

INT_PTR CALLBACK AbortDialogProc(HWND hwndDlg, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    HANDLE_MSG(hwndDlg, WM_INITDIALOG, Abort_OnInitDialog);
    case WM_COMMAND:
      HANDLE_WM_COMMAND(hwndDlg, wParam, lParam, Abort_OnCommand);
      return TRUE;
  }
  return FALSE;
}

// The pages of the document on the printer.
class PrinterDocument final : public PrintDocument {
 public:
  explicit PrinterDocument(HDC dc) : dc_(dc) {}
  bool StartPage() override { return ::StartPage(dc_) > 0; }
  void EndPage() override { ::EndPage(dc_); }
  bool KeepPrinting() override { return PrintAbortProc(dc_, 0) != FALSE; }

 private:
  HDC dc_;
};

void TellPrintError(const char* text) { ShellMessages().Tell(kPrintErrorCaption, text, MessageIcon::Error); }

// A job from the print dialog to the end of its document.
class PrintJob {
 public:
  // The print dialog, then the "Printing..." dialog and the document. False
  // when the user cancelled or the document could not be started (the user
  // has been told); nothing is left open then.
  bool Begin(const char* document_name);
  // Ends the document (or, when it has no page, abandons it), closes the
  // "Printing..." dialog, enables the main window and says what failed.
  void End(PrintOutcome outcome);

  HDC dc() const { return dc_; }
  PageArea Area() const;
  // A screen font at this printer's resolution.
  FontDescription Font(const FontDescription& screen) const;

 private:
  void CloseWindows();

  HDC dc_ = nullptr;
};

bool PrintJob::Begin(const char* document_name) {
  HWND main = Windows().main;
  PAGESETUPDLGA& setup = Windows().page_setup;
  PRINTDLGA print = {};
  print.lStructSize = sizeof print;
  print.hwndOwner = main;
  print.hDevMode = setup.hDevMode;
  print.hDevNames = setup.hDevNames;
  print.nCopies = 1;
  print.Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE | PD_USEDEVMODECOPIESANDCOLLATE;
  const BOOL chosen = PrintDlgA(&print);
  // The dialog may have replaced the handles, chosen or not.
  setup.hDevMode = print.hDevMode;
  setup.hDevNames = print.hDevNames;
  if (!chosen) return false;
  dc_ = print.hDC;
  if (!dc_) {
    TellPrintError(kStartDocFailureText);
    return false;
  }

  g_keep_printing = TRUE;
  SetAbortProc(dc_, PrintAbortProc);
  g_abort_dialog = CreateDialogParamA(Windows().instance, IDD_ABORT, main, GuardedDialogProc<AbortDialogProc>, 0);
  Windows().modeless = g_abort_dialog;
  EnableWindow(main, FALSE);

  DOCINFOA document = {};
  document.cbSize = sizeof document;
  document.lpszDocName = document_name;
  document.lpszOutput = OutputFile().empty() ? nullptr : OutputFile().c_str();
  if (StartDocA(dc_, &document) <= 0) {
    // The GDI asks the abort procedure as the document starts: a Cancel
    // pressed that early stops the job without a failure to report.
    const bool cancelled = !g_keep_printing;
    CloseWindows();
    if (!cancelled) TellPrintError(kStartDocFailureText);
    return false;
  }
  return true;
}

void PrintJob::End(PrintOutcome outcome) {
  // A job stopped before its first page leaves nothing to print: the
  // document is abandoned rather than sent as an empty one.
  if (outcome == PrintOutcome::NotesFailed)
    AbortDoc(dc_);
  else
    EndDoc(dc_);
  CloseWindows();
  if (const char* text = PrintFailureText(outcome)) TellPrintError(text);
}

void PrintJob::CloseWindows() {
  EnableWindow(Windows().main, TRUE);
  if (g_abort_dialog) DestroyWindow(g_abort_dialog);
  if (Windows().modeless == g_abort_dialog) Windows().modeless = nullptr;
  g_abort_dialog = nullptr;
  g_keep_printing = FALSE;
  DeleteDC(dc_);
  dc_ = nullptr;
}

PageArea PrintJob::Area() const {
  PrinterPage page;
  page.width = GetDeviceCaps(dc_, HORZRES);
  page.height = GetDeviceCaps(dc_, VERTRES);
  page.ppi_x = GetDeviceCaps(dc_, LOGPIXELSX);
  page.ppi_y = GetDeviceCaps(dc_, LOGPIXELSY);
  const PAGESETUPDLGA& setup = Windows().page_setup;
  RECT margin = setup.rtMargin;
  // The page set-up is asked for thousandths of an inch; a record that
  // still says millimetres is converted, never read as inches.
  if (setup.Flags & PSD_INHUNDREDTHSOFMILLIMETERS) {
    margin.left = MulDiv(margin.left, kThousandthsPerInch, kMillimetreHundredthsPerInch);
    margin.top = MulDiv(margin.top, kThousandthsPerInch, kMillimetreHundredthsPerInch);
    margin.right = MulDiv(margin.right, kThousandthsPerInch, kMillimetreHundredthsPerInch);
    margin.bottom = MulDiv(margin.bottom, kThousandthsPerInch, kMillimetreHundredthsPerInch);
  }
  return PageAreaOf(page, PrintMargins{margin.left, margin.top, margin.right, margin.bottom});
}

FontDescription PrintJob::Font(const FontDescription& screen) const {
  HDC screen_dc = GetDC(nullptr);
  const int screen_ppi = GetDeviceCaps(screen_dc, LOGPIXELSY);
  ReleaseDC(nullptr, screen_dc);
  return PrinterFontOf(screen, screen_ppi, GetDeviceCaps(dc_, LOGPIXELSY));
}

// Prints verses first..last with the notes of set `note_set` (-1: none).
void PrintRange(VerseIndex first, VerseIndex last, int note_set) {
  AppState& app = App();
  PrintJob job;
  if (!job.Begin(kRangeDocumentName)) return;
  PrintRangeOptions options;
  options.area = job.Area();
  options.verse_font = job.Font(app.passage.ReadWindowFont);
  options.notes_font = job.Font(app.notes.NoteFont);
  options.italics = app.passage.Italics;
  options.format = app.output.Format;
  PrintOutcome outcome;
  {
    std::unique_ptr<NoteSetSource> notes;
    if (note_set >= 0)
      notes = std::make_unique<NoteSetSource>(ShellNotesPorts().files,
                                              app.notes.table.sets[static_cast<std::size_t>(note_set)]);
    options.notes = notes.get();
    PrinterCanvas canvas(job.dc());
    SelectionPainter painter(canvas, nullptr);
    PrinterDocument document(job.dc());
    outcome = LayOutRangePages(app.store.bible, first, last, options, canvas, painter, document);
  }
  job.End(outcome);
}

struct PrintRangeChoice {
  VerseIndex first = kNoVerse, last = kNoVerse;
  int note_set = -1;
};

BOOL PrintRange_OnInitDialog(HWND dialog, HWND, LPARAM lParam) {
  SetWindowLongPtrA(dialog, DWLP_USER, lParam);
  CenterDialog(dialog, Windows().main);
  SetDlgItemTextA(dialog, IDC_OUTPUT_RANGE, RangeStartText(App().store.bible).c_str());
  FillNoteSetChoice(dialog, IDC_OUTPUT_NOTE_SET, IDC_OUTPUT_INCLUDE_NOTES, App().notes);
  return TRUE;
}

void PrintRange_OnCommand(HWND dialog, int id, HWND, UINT) {
  auto* choice = reinterpret_cast<PrintRangeChoice*>(GetWindowLongPtrA(dialog, DWLP_USER));
  switch (id) {
    case IDOK:
      switch (ReadTypedRange(dialog, IDC_OUTPUT_RANGE, App().store.bible, &choice->first, &choice->last)) {
        case TypedRange::Empty: EndDialog(dialog, FALSE); return;
        case TypedRange::Unrecognized: return;
        case TypedRange::Read: break;
      }
      choice->note_set = ChosenNoteSet(dialog, IDC_OUTPUT_NOTE_SET, IDC_OUTPUT_INCLUDE_NOTES);
      EndDialog(dialog, TRUE);
      return;
    case IDCANCEL:
      EndDialog(dialog, FALSE);
      return;
    case IDC_OUTPUT_FORMAT:
      RunFormatDialog(dialog);
      return;
    case IDC_HELP_BUTTON:
      ShowHelpTopic(Windows().main, "ID_File_PrintRange");
      return;
  }
}

INT_PTR CALLBACK PrintRangeProc(HWND hwndDlg, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    HANDLE_MSG(hwndDlg, WM_INITDIALOG, PrintRange_OnInitDialog);
    case WM_COMMAND:
      HANDLE_WM_COMMAND(hwndDlg, wParam, lParam, PrintRange_OnCommand);
      return TRUE;
  }
  return FALSE;
}

}  // namespace

void SetPrintOutputFile(const std::string& file_name) { OutputFile() = file_name; }

// The dialog closes before the job starts: while it prints, only the
// "Printing..." dialog takes input, and the mouse is left free for its
// Cancel button.
void RunPrintRangeDialog(HWND owner) {
  PrintRangeChoice choice;
  if (DialogBoxParamA(Windows().instance, IDD_PRINT_RANGE, owner, GuardedDialogProc<PrintRangeProc>,
                      reinterpret_cast<LPARAM>(&choice)) != TRUE)
    return;
  PrintRange(choice.first, choice.last, choice.note_set);
  // The notes window shows the current set's note again.
  AppState& app = App();
  ShowNote(app.notes, ShellNotesPorts(), app.notes.current_verse);
}

void PrintVerseList(HWND) {
  AppState& app = App();
  if (app.search.result_count == 0) return;
  PrintJob job;
  if (!job.Begin(kVerseListDocumentName)) return;
  PrintLayoutOptions options;
  options.area = job.Area();
  options.verse_font = job.Font(app.verse_list.VerseListFont);
  options.italics = app.passage.Italics;
  PrintOutcome outcome;
  {
    PrinterCanvas canvas(job.dc());
    SelectionPainter painter(canvas, nullptr);
    PrinterDocument document(job.dc());
    outcome = LayOutVerseListPages(app.store.bible, app.search.verse_list, app.search.result_count, options,
                                   canvas, painter, document);
  }
  job.End(outcome);
}

}  // namespace kv
