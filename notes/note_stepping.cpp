#include "notes/note_stepping.h"

namespace kv {
namespace {

VerseIndex Forward(VerseIndex v) { return v == kLastVerse ? 0 : v + 1; }
VerseIndex Backward(VerseIndex v) { return v == 0 ? kLastVerse : v - 1; }

VerseIndex Step(const NoteSet& set, VerseIndex from, VerseIndex (*advance)(VerseIndex)) {
  for (VerseIndex v = advance(from); v != from; v = advance(v))
    if (HasNote(set, v)) return v;
  return advance(from);
}

}  // namespace

VerseIndex NextNoteVerse(const NoteSet& set, VerseIndex from) { return Step(set, from, Forward); }
VerseIndex PreviousNoteVerse(const NoteSet& set, VerseIndex from) { return Step(set, from, Backward); }

bool StepNote(NotesState& state, const NotesPorts& ports, int direction) {
  VerseIndex from = state.current_verse;
  VerseIndex to = direction > 0 ? NextNoteVerse(state.current(), from) : PreviousNoteVerse(state.current(), from);
  return ShowNote(state, ports, to);
}

}  // namespace kv
