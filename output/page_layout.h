// The printed page: Print Range and Print Verse List laid out on a text
// canvas, page by page. The layout decides where every label and word goes
// and hands each to a placed-item sink (on paper, a painter on the printer's
// canvas); the document side starts and ends the pages and says whether the
// user still wants the job to go on.
#pragma once

#include <cstdint>
#include <string>

#include "output/format_options.h"
#include "output/range_output.h"
#include "passage/placed_text.h"
#include "platform/font_description.h"
#include "platform/text_canvas.h"
#include "store/bible_data.h"

namespace kv {

extern const char* const kPrintErrorCaption;     // "Print Error"
extern const char* const kStartDocFailureText;   // "StartDoc failure"
extern const char* const kStartPageFailureText;  // "StartPage failure"
extern const char* const kNoteReadFailureText;   // "Error reading note file"

// The document names the printer's queue shows.
extern const char* const kRangeDocumentName;      // "Range of Verses"
extern const char* const kVerseListDocumentName;  // "Verse List"

// Margins as the page set-up keeps them, in thousandths of an inch.
struct PrintMargins {
  int left = 1000, top = 1000, right = 1000, bottom = 1000;
};

// The printer's page: its size in device pixels and its pixels per inch.
struct PrinterPage {
  int width = 0, height = 0;    // HORZRES, VERTRES
  int ppi_x = 0, ppi_y = 0;     // LOGPIXELSX, LOGPIXELSY
};

// Where text may go, in device pixels: from (left, top) to the right and
// bottom limits.
struct PageArea {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// Each margin as it was set: margin x pixels per inch / 1000, so half an
// inch prints as half an inch. Margins below zero count as none.
PageArea PageAreaOf(const PrinterPage& page, const PrintMargins& margins);

// A screen font at the printer's resolution: the same size in points,
// |height| x 72 / screen ppi, then x printer ppi / 72 (each division
// truncated), as a character height (negative).
FontDescription PrinterFontOf(const FontDescription& screen, int screen_ppi_y, int printer_ppi_y);

// The document being printed, as the layout sees it.
class PrintDocument {
 public:
  virtual ~PrintDocument() = default;
  // False when the page cannot be started.
  virtual bool StartPage() = 0;
  virtual void EndPage() = 0;
  // Asked before each verse or entry: false once the user cancelled.
  virtual bool KeepPrinting() = 0;
};

enum class PrintOutcome {
  Printed,       // every verse or entry is on paper; the last page is ended
  Cancelled,     // the user stopped it between two verses; the last page is ended
  PageFailed,    // a page could not be started; nothing more was drawn
  NotesFailed,   // the notes could not be opened; no page was started
  NoteReadFailed,  // a note could not be read; the page it was on is ended
};

// The message for an outcome that failed (caption kPrintErrorCaption), or
// null for Printed and Cancelled.
const char* PrintFailureText(PrintOutcome outcome);

// What both jobs share.
struct PrintLayoutOptions {
  PageArea area;
  FontDescription verse_font;  // at the printer's resolution
  int italics = 0;             // 0 italic text, 1 brackets, 2 normal text
};

// Print Range: verses first..last, each with its label by the format's
// styles (in full where the book changes), running on from the verse before
// unless the format breaks lines or the verse has a note. With `notes`,
// each note is printed under its verse in `notes_font` (opened first; closed
// at the end). A first and last that are not a range of verses print
// nothing and start no page.
struct PrintRangeOptions : PrintLayoutOptions {
  FormatOptions format;
  FontDescription notes_font;  // at the printer's resolution
  NoteSource* notes = nullptr;
};

PrintOutcome LayOutRangePages(const BibleData& bible, VerseIndex first, VerseIndex last,
                              const PrintRangeOptions& options, TextCanvas& canvas, LayoutSink& sink,
                              PrintDocument& document);

// Print Verse List: the entries of `list` up to its first kNoVerse (at most
// `count`), one paragraph each with its bold label "Ge 1:1 ".
PrintOutcome LayOutVerseListPages(const BibleData& bible, const VerseIndex* list, std::int32_t count,
                                  const PrintLayoutOptions& options, TextCanvas& canvas, LayoutSink& sink,
                                  PrintDocument& document);

}  // namespace kv
