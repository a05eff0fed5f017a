// What the note and save commands share: the note sets of a folder, found
// and repaired exactly as the program does at start-up, and a set picked
// by its name.
#pragma once

#include <dirent.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <string>

#include "notes/note_files.h"
#include "platform/text_util.h"
#include "tools/kelvane/cli.h"

namespace kv::cli {

struct NoteTool {
  std::unique_ptr<Files> files;
  TerminalUserServices user;
  NoNotesView view;
  NotesState state;
  const BibleData* bible = nullptr;
  NotesPorts Ports() { return NotesPorts{*files, user, view, *bible}; }

  // Finds the sets of `folder` as start-up does (creating "My Notes" when
  // there is none); its messages go to stderr. False when the folder cannot
  // be listed.
  bool Discover(const BibleData& data, const std::string& folder) {
    bible = &data;
    files = MakeSystemFiles(folder);
    return DiscoverNoteSets(state, Ports());
  }
};

// True when `folder` is a folder whose files can be listed; false after
// saying why not. The sets are found by listing it, and a folder that cannot
// be listed must not look like one without sets, which start-up would give
// a new "My Notes".
inline bool CheckNoteFolder(const std::string& folder) {
  DIR* dir = opendir(folder.c_str());
  if (!dir) {
    Fail("cannot read the folder " + Echo(folder) + ": " + std::strerror(errno));
    return false;
  }
  closedir(dir);
  return true;
}

// The position of the set named `name`, or -1. Names compare without regard
// to ASCII case, as Windows compares file names; where the file system tells
// "Study" from "study", the set of exactly that name wins.
inline int FindNoteSet(const NoteTool& tool, const std::string& name) {
  int found = -1;
  for (int i = 0; i < tool.state.table.count; ++i) {
    std::string label = DisplayNameOf(tool.state.table.sets[static_cast<std::size_t>(i)].data_file);
    if (label == name) return i;
    if (found < 0 && EqualsIgnoringAsciiCase(label.c_str(), name.c_str())) found = i;
  }
  return found;
}

// The position of the set named `name`; -1 after saying it is not there.
inline int NoteSetNamed(const NoteTool& tool, const std::string& name) {
  int set = FindNoteSet(tool, name);
  if (set < 0) Fail("no note set named \"" + Echo(name) + "\"");
  return set;
}

}  // namespace kv::cli
