#include "notes/note_set_name_rules.h"

#include <gtest/gtest.h>

#include "notes/note_sets.h"

namespace kv {
namespace {

TEST(NoteSetNameProblem, NamesTheRuleARefusedNameBreaks) {
  const struct {
    std::string name;
    const char* problem;
  } rows[] = {
      {"", "is empty"},
      {std::string(99, 'n'), "has more than 98 characters"},
      {"../up", "holds a path separator (/ or \\)"},
      {"a\\b", "holds a path separator (/ or \\)"},
      {"C:notes", "holds a colon"},
      {"what?", "holds one of * ? \" < > |"},
      {"a|b", "holds one of * ? \" < > |"},
      {"tab\there", "holds a control character"},
      {"del\x7f", "holds a control character"},
      {"trailing.", "ends with a dot"},
      {"trailing ", "ends with a blank"},
      {"CON", "is a device name (CON, PRN, AUX, NUL, COM1-9, LPT1-9)"},
      {"lpt1.x", "is a device name (CON, PRN, AUX, NUL, COM1-9, LPT1-9)"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_FALSE(IsValidNoteSetName(row.name));
    const char* problem = NoteSetNameProblem(row.name);
    ASSERT_NE(nullptr, problem);
    EXPECT_STREQ(row.problem, problem);
  }
}

// The rules and the check that refuses names must never disagree: every
// name of one byte, and that byte inside and at the end of a longer name.
TEST(NoteSetNameProblem, AgreesWithTheNameCheckForEveryByte) {
  for (int c = 1; c < 256; ++c) {
    std::string byte(1, static_cast<char>(c));
    for (const std::string& name : {byte, "a" + byte + "b", "ab" + byte, "COM" + byte}) {
      SCOPED_TRACE(c);
      EXPECT_EQ(IsValidNoteSetName(name), NoteSetNameProblem(name) == nullptr);
    }
  }
  EXPECT_EQ(nullptr, NoteSetNameProblem("Romans study"));
  EXPECT_EQ(nullptr, NoteSetNameProblem(std::string(98, 'n')));
}

}  // namespace
}  // namespace kv
