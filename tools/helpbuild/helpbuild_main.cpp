// kelvane-helpbuild SOURCE OUT_FILE
//
// Writes the program's help file ("kelva95.hlp") from its topic source
// (resources/help/kelva95.txt). A fault in the source stops the build with
// one message naming the line.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "tools/helpbuild/help_source.h"
#include "tools/helpbuild/hlp_writer.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: kelvane-helpbuild SOURCE OUT_FILE\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "kelvane-helpbuild: cannot read %s\n", argv[1]);
    return 1;
  }
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  kv::helpbuild::HelpSource source;
  std::string error, file;
  if (!kv::helpbuild::ParseHelpSource(text, &source, &error)) {
    std::fprintf(stderr, "%s: %s\n", argv[1], error.c_str());
    return 1;
  }
  if (!kv::helpbuild::WriteHelpFile(source, &file, &error)) {
    std::fprintf(stderr, "%s: %s\n", argv[1], error.c_str());
    return 1;
  }
  // Written under a temporary name and renamed, so a failed write never
  // leaves a help file that looks complete.
  std::string temp = std::string(argv[2]) + ".part";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out.write(file.data(), static_cast<std::streamsize>(file.size()));
    if (!out.flush()) {
      std::fprintf(stderr, "kelvane-helpbuild: cannot write %s\n", temp.c_str());
      std::remove(temp.c_str());
      return 1;
    }
  }
  if (std::rename(temp.c_str(), argv[2]) != 0) {
    std::fprintf(stderr, "kelvane-helpbuild: cannot rename %s to %s\n", temp.c_str(), argv[2]);
    std::remove(temp.c_str());
    return 1;
  }
  return 0;
}
