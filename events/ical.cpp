#include "events/ical.h"

#include "events/text_codec.h"

namespace events::ical {

namespace {

std::string Upper(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  return text;
}

bool IsNameChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.';
}

// One content line, unfolded, and the physical line it starts on.
struct RawLine {
  std::string text;
  int line;
};

std::vector<RawLine> Unfold(const std::string& utf8) {
  std::vector<RawLine> lines;
  std::size_t i = 0;
  if (utf8.compare(0, 3, "\xEF\xBB\xBF") == 0) i = 3;
  int physical = 0;
  while (i < utf8.size()) {
    std::size_t end = utf8.find_first_of("\r\n", i);
    if (end == std::string::npos) end = utf8.size();
    ++physical;
    std::string_view piece(utf8.data() + i, end - i);
    // A line starting with a blank continues the one before; that blank is no text.
    if (!piece.empty() && (piece[0] == ' ' || piece[0] == '\t') && !lines.empty())
      lines.back().text.append(piece.substr(1));
    else
      lines.push_back({std::string(piece), physical});
    i = end;
    if (i < utf8.size() && utf8[i] == '\r') ++i;
    if (i < utf8.size() && utf8[i] == '\n' && (i == end || utf8[end] == '\r')) ++i;
  }
  return lines;
}

Property ParseLine(const RawLine& raw) {
  const std::string text = Cp1251FromUtf8(raw.text);
  Property p;
  p.line = raw.line;
  std::size_t i = 0;
  while (i < text.size() && IsNameChar(text[i])) ++i;
  if (i == 0) throw ParseError(raw.line, "строка без имени свойства");
  // A group prefix ("item1.TEL") names nothing of its own.
  std::string name = Upper(text.substr(0, i));
  if (const auto dot = name.rfind('.'); dot != std::string::npos) name = name.substr(dot + 1);
  p.name = name;
  while (i < text.size() && text[i] == ';') {
    ++i;
    const std::size_t start = i;
    while (i < text.size() && IsNameChar(text[i])) ++i;
    std::string param = Upper(text.substr(start, i - start));
    std::string value;
    if (i < text.size() && text[i] == '=') {
      ++i;
      for (bool first = true; first || (i < text.size() && text[i] == ','); first = false) {
        if (!first) {
          value += ',';
          ++i;
        }
        if (i < text.size() && text[i] == '"') {
          const std::size_t close = text.find('"', i + 1);
          if (close == std::string::npos) throw ParseError(raw.line, "незакрытые кавычки в параметре");
          value += text.substr(i + 1, close - i - 1);
          i = close + 1;
        } else {
          const std::size_t start2 = i;
          while (i < text.size() && text[i] != ';' && text[i] != ':' && text[i] != ',') ++i;
          value += text.substr(start2, i - start2);
        }
      }
    }
    if (param.empty()) throw ParseError(raw.line, "параметр без имени");
    p.params.emplace_back(std::move(param), std::move(value));
  }
  if (i >= text.size() || text[i] != ':') throw ParseError(raw.line, "нет двоеточия после имени свойства");
  p.value = text.substr(i + 1);
  return p;
}

}  // namespace

std::string Property::Param(const std::string& wanted) const {
  for (const auto& [key, value] : params)
    if (key == wanted) return value;
  return {};
}

const Property* Component::Find(const std::string& wanted) const {
  for (const Property& p : properties)
    if (p.name == wanted) return &p;
  return nullptr;
}

std::vector<Component> Parse(const std::string& utf8) {
  std::vector<Component> top;
  std::vector<Component> open;
  int lastLine = 0;
  for (const RawLine& raw : Unfold(utf8)) {
    lastLine = raw.line;
    if (raw.text.find_first_not_of(" \t") == std::string::npos) continue;
    Property p = ParseLine(raw);
    if (p.name == "BEGIN") {
      const std::string name = Upper(UnescapeText(p.value));
      if (name.empty()) throw ParseError(raw.line, "BEGIN без имени блока");
      Component c;
      c.name = name;
      c.line = raw.line;
      open.push_back(std::move(c));
    } else if (p.name == "END") {
      const std::string name = Upper(UnescapeText(p.value));
      if (open.empty()) throw ParseError(raw.line, "END:" + name + " без начала блока");
      if (open.back().name != name) throw ParseError(raw.line, "END:" + name + " закрывает блок " + open.back().name);
      Component done = std::move(open.back());
      open.pop_back();
      (open.empty() ? top : open.back().children).push_back(std::move(done));
    } else {
      if (open.empty()) throw ParseError(raw.line, "свойство " + p.name + " вне блока");
      open.back().properties.push_back(std::move(p));
    }
  }
  if (!open.empty()) throw ParseError(lastLine, "блок " + open.back().name + " не закрыт");
  return top;
}

std::string EscapeText(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\\' || c == ';' || c == ',') {
      out += '\\';
      out += c;
    } else if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out += "\\n";
    } else {
      out += c;
    }
  }
  return out;
}

std::string UnescapeText(const std::string& value) {
  std::string out;
  out.reserve(value.size());
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '\\' || i + 1 == value.size()) {
      out += value[i];
      continue;
    }
    const char next = value[++i];
    out += (next == 'n' || next == 'N') ? std::string("\r\n") : std::string(1, next);
  }
  return out;
}

std::vector<std::string> SplitList(const std::string& value, char separator) {
  std::vector<std::string> parts(1);
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\\' && i + 1 < value.size()) {
      parts.back() += value[i];
      parts.back() += value[++i];
    } else if (value[i] == separator) {
      parts.emplace_back();
    } else {
      parts.back() += value[i];
    }
  }
  return parts;
}

void Writer::Line(const std::string& cp1251Line) {
  const std::string utf8 = Utf8FromCp1251(cp1251Line);
  std::size_t taken = 0, limit = 75;
  while (utf8.size() - taken > limit) {
    std::size_t cut = taken + limit;
    while (cut > taken && (static_cast<unsigned char>(utf8[cut]) & 0xC0) == 0x80) --cut;
    out_.append(utf8, taken, cut - taken).append("\r\n ");
    taken = cut;
    limit = 74;  // the leading blank of a continuation counts
  }
  out_.append(utf8, taken, std::string::npos).append("\r\n");
}

}  // namespace events::ical
