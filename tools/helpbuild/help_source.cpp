#include "tools/helpbuild/help_source.h"

#include <set>
#include <sstream>

namespace kv::helpbuild {

std::string Paragraph::Text() const {
  std::string text;
  for (const Span& span : spans) text += span.text;
  return text;
}

namespace {

bool IsIdChar(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '.';
}

bool ValidId(const std::string& id) {
  if (id.empty()) return false;
  for (unsigned char c : id)
    if (!IsIdChar(c)) return false;
  return true;
}

std::string TrimRight(std::string s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.pop_back();
  return s;
}

struct Reader {
  HelpSource* source;
  std::string* error;
  int line_number = 0;
  std::string pending;  // the joined lines of the paragraph being read
  int pending_line = 0;

  bool Fail(int line, const std::string& what) {
    *error = "line " + std::to_string(line) + ": " + what;
    return false;
  }

  // Splits the pending paragraph into spans and adds it to the last topic.
  bool Flush() {
    if (pending.empty()) return true;
    Paragraph paragraph;
    std::string plain;
    for (std::size_t i = 0; i < pending.size(); ++i) {
      char c = pending[i];
      if (c == '}') return Fail(pending_line, "'}' without '{'");
      if (c != '{') {
        plain += c;
        continue;
      }
      std::size_t bar = pending.find('|', i);
      std::size_t close = pending.find('}', i);
      std::size_t next_open = pending.find('{', i + 1);
      if (bar == std::string::npos || close == std::string::npos || bar > close ||
          (next_open != std::string::npos && next_open < close))
        return Fail(pending_line, "a jump is written {text|ID_Topic}");
      std::string text = pending.substr(i + 1, bar - i - 1);
      std::string target = pending.substr(bar + 1, close - bar - 1);
      if (text.empty()) return Fail(pending_line, "a jump without text");
      if (!ValidId(target)) return Fail(pending_line, "bad topic id in a jump: \"" + target + "\"");
      if (!plain.empty()) paragraph.spans.push_back({plain, ""});
      plain.clear();
      paragraph.spans.push_back({text, target});
      i = close;
    }
    if (!plain.empty()) paragraph.spans.push_back({plain, ""});
    source->topics.back().paragraphs.push_back(paragraph);
    pending.clear();
    return true;
  }

  bool Line(std::string line) {
    line = TrimRight(line);
    for (unsigned char c : line)
      if (c < 0x20 && c != '\t') return Fail(line_number, "control byte in the text");
    for (char& c : line)
      if (c == '\t') c = ' ';
    if (!line.empty() && line[0] == '#') return true;
    if (source->title.empty()) {
      if (line.empty()) return true;
      if (line.rfind("title:", 0) != 0) return Fail(line_number, "the file begins with \"title: ...\"");
      std::size_t start = line.find_first_not_of(' ', 6);
      if (start == std::string::npos) return Fail(line_number, "empty title");
      source->title = line.substr(start);
      return true;
    }
    if (line.rfind("==", 0) == 0) {
      if (!Flush()) return false;
      std::istringstream in(line.substr(2));
      Topic topic;
      in >> topic.id;
      std::getline(in, topic.title);
      std::size_t start = topic.title.find_first_not_of(' ');
      topic.title = start == std::string::npos ? "" : topic.title.substr(start);
      if (!ValidId(topic.id)) return Fail(line_number, "a topic begins with \"== ID_Name Title\"");
      if (topic.title.empty()) return Fail(line_number, "topic " + topic.id + " has no title");
      source->topics.push_back(topic);
      return true;
    }
    if (line.empty()) return Flush();
    if (source->topics.empty()) return Fail(line_number, "text before the first topic");
    std::size_t start = line.find_first_not_of(' ');
    if (pending.empty()) {
      pending = line.substr(start);
      pending_line = line_number;
    } else {
      pending += ' ' + line.substr(start);
    }
    return true;
  }
};

}  // namespace

bool ParseHelpSource(const std::string& text, HelpSource* source, std::string* error) {
  *source = HelpSource();
  Reader reader{source, error, 0, "", 0};
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    ++reader.line_number;
    if (!reader.Line(line)) return false;
  }
  if (!reader.Flush()) return false;
  if (source->title.empty()) return reader.Fail(1, "the file begins with \"title: ...\"");
  if (source->topics.empty()) return reader.Fail(reader.line_number, "no topic");
  std::set<std::string> ids;
  for (const Topic& topic : source->topics)
    if (!ids.insert(topic.id).second) {
      *error = "topic " + topic.id + " is defined twice";
      return false;
    }
  for (const Topic& topic : source->topics)
    for (const Paragraph& paragraph : topic.paragraphs)
      for (const Span& span : paragraph.spans)
        if (!span.target.empty() && !ids.count(span.target)) {
          *error = "topic " + topic.id + " jumps to " + span.target + ", which is no topic";
          return false;
        }
  return true;
}

}  // namespace kv::helpbuild
