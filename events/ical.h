// The text layer of calendar (.ics) and contact (.vcf) files: content lines folded at 75
// octets, "NAME;PARAM=value:value" with escaped texts, and BEGIN/END blocks. Files are UTF-8;
// what this layer gives and takes is cp1251, as every text of the program.
#pragma once

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace events::ical {

// A file that is no well-formed calendar or contact file; `Line` is the line (counted from 1)
// where the fault was found, and what() says what is wrong, in Russian.
class ParseError : public std::runtime_error {
 public:
  ParseError(int line, const std::string& what) : std::runtime_error(what), line_(line) {}
  int Line() const { return line_; }

 private:
  int line_;
};

struct Property {
  std::string name;  // upper case
  std::vector<std::pair<std::string, std::string>> params;  // names upper case, values unquoted
  std::string value;  // raw: still escaped
  int line = 0;
  // A parameter's value, empty when it is missing.
  std::string Param(const std::string& name) const;
};

struct Component {
  std::string name;  // upper case: VCALENDAR, VEVENT, VALARM, VCARD, ...
  std::vector<Property> properties;
  std::vector<Component> children;
  int line = 0;
  // The first property of that name, or nothing.
  const Property* Find(const std::string& name) const;
};

// The top-level blocks of a file. A block left open, an END that closes no block or another
// block than the open one, a line with no ":" or no name, or text outside every block throws
// ParseError. Blank lines are ignored; a leading byte-order mark too.
std::vector<Component> Parse(const std::string& utf8);

// Texts as the format escapes them: "\\", "\;", "\,", "\n" (a line break, written for CR LF,
// LF or CR). Reading also takes "\N" and keeps an unknown escape's character.
std::string EscapeText(const std::string& text);
std::string UnescapeText(const std::string& value);
// A value split at the commas that are not escaped; each part still escaped.
std::vector<std::string> SplitList(const std::string& value, char separator = ',');

// Writes content lines: each line given in cp1251 goes out as UTF-8, folded so that no line
// is longer than 75 octets (never inside a character), ended by CR LF.
class Writer {
 public:
  void Line(const std::string& cp1251Line);
  // "NAME:value" with the value escaped as a text.
  void Text(const std::string& name, const std::string& text) { Line(name + ":" + EscapeText(text)); }
  const std::string& Result() const { return out_; }
  std::string Take() { return std::move(out_); }

 private:
  std::string out_;
};

}  // namespace events::ical
