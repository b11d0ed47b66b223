#include "ui/rtf.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <vector>

namespace ui::rtf {

namespace {

// The code points of cp1251's bytes 0x80 to 0xBF (0 where the byte is unassigned); 0xC0 to
// 0xFF are U+0410 to U+044F in order.
constexpr std::array<std::uint16_t, 64> kHighHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  //
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  //
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  //
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  //
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  //
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

// Groups whose content is no part of the text: tables, document information, pictures,
// embedded objects, field instructions (the field's result is shown), list numbering text.
bool IsHiddenDestination(const std::string& word) {
  static const char* const kWords[] = {
      "fonttbl",   "colortbl", "stylesheet", "info",       "pict",      "object",     "header",
      "headerl",   "headerr",  "headerf",    "footer",     "footerl",   "footerr",    "footerf",
      "listtable", "listoverridetable",      "rsidtbl",    "generator", "themedata",  "colorschememapping",
      "latentstyles",          "datastore",  "xmlnstbl",   "fldinst",   "pntext",     "pntxta",
      "pntxtb",    "listtext", "filetbl",    "revtbl",     "author",    "operator",   "title",
      "subject",   "keywords", "comment",    "doccomm",    "bkmkstart", "bkmkend",    "footnote",
      "annotation", "atnid",   "atnauthor",  "protusertbl", "nonshppict", "mmathPr",  "pgdsctbl"};
  for (const char* w : kWords)
    if (word == w) return true;
  return false;
}

// A single character that a control word stands for, or 0.
char SymbolFor(const std::string& word) {
  struct Entry {
    const char* word;
    unsigned char byte;
  };
  static const Entry kEntries[] = {{"tab", '\t'},       {"cell", '\t'},      {"emdash", 0x97},   {"endash", 0x96},
                                   {"bullet", 0x95},    {"lquote", 0x91},    {"rquote", 0x92},   {"ldblquote", 0x93},
                                   {"rdblquote", 0x94}, {"emspace", ' '},    {"enspace", ' '},   {"qmspace", ' '}};
  for (const auto& e : kEntries)
    if (word == e.word) return char(e.byte);
  return 0;
}

bool EndsParagraph(const std::string& word) { return word == "par" || word == "line" || word == "sect" || word == "row"; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

class Reader {
 public:
  explicit Reader(const std::string& in) : in_(in) {}

  std::string Run() {
    std::size_t i = in_.find('{');
    if (i == std::string::npos) return {};
    pos_ = i;
    while (pos_ < in_.size()) {
      char c = in_[pos_];
      if (c == '{') {
        ++pos_;
        stack_.push_back(state_);
        pendingSkip_ = 0;
      } else if (c == '}') {
        ++pos_;
        pendingSkip_ = 0;
        if (stack_.empty()) break;
        state_ = stack_.back();
        stack_.pop_back();
        if (stack_.empty()) break;  // the document's own group has ended
      } else if (c == '\\') {
        ++pos_;
        ControlSequence();
      } else {
        ++pos_;
        if (c != '\r' && c != '\n') Emit(std::string(1, c));
      }
    }
    // Rich-text controls end every document with a paragraph mark of their own.
    if (out_.size() >= 2 && out_.compare(out_.size() - 2, 2, "\r\n") == 0) out_.resize(out_.size() - 2);
    return out_;
  }

 private:
  struct State {
    bool hidden = false;
    int uc = 1;  // substitute characters that follow a "\u"
  };

  // Text of the current group; a character waiting to be skipped after "\u" is dropped.
  void Emit(const std::string& text) {
    if (pendingSkip_ > 0) {
      --pendingSkip_;
      return;
    }
    if (!state_.hidden) out_ += text;
  }

  void ControlSequence() {
    if (pos_ >= in_.size()) return;
    char c = in_[pos_];
    if (!std::isalpha(static_cast<unsigned char>(c))) {
      ++pos_;
      switch (c) {
        case '\\':
        case '{':
        case '}':
          Emit(std::string(1, c));
          break;
        case '\'': {
          int hi = pos_ < in_.size() ? HexDigit(in_[pos_]) : -1;
          int lo = pos_ + 1 < in_.size() ? HexDigit(in_[pos_ + 1]) : -1;
          if (hi >= 0 && lo >= 0) {
            pos_ += 2;
            Emit(std::string(1, char(hi * 16 + lo)));
          } else if (hi >= 0) {
            ++pos_;  // a broken escape: its one digit is no text either
          }
          break;
        }
        case '~':
          Emit("\xA0");
          break;
        case '_':
          Emit("-");
          break;
        case '*':
          state_.hidden = true;
          break;
        case '\r':
        case '\n':
          Emit("\r\n");
          break;
        default:
          if (pendingSkip_ > 0) --pendingSkip_;
          break;
      }
      return;
    }
    std::string word;
    while (pos_ < in_.size() && std::isalpha(static_cast<unsigned char>(in_[pos_])) && word.size() < 32)
      word += in_[pos_++];
    bool hasNumber = false, negative = false;
    long long number = 0;
    if (pos_ < in_.size() && in_[pos_] == '-') {
      negative = true;
      ++pos_;
    }
    int digits = 0;
    while (pos_ < in_.size() && std::isdigit(static_cast<unsigned char>(in_[pos_]))) {
      if (digits++ < 10) number = number * 10 + (in_[pos_] - '0');
      hasNumber = true;
      ++pos_;
    }
    if (negative) number = -number;
    if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;  // the delimiter belongs to the word
    Word(word, hasNumber, number);
  }

  void Word(const std::string& word, bool hasNumber, long long number) {
    if (word == "u" && hasNumber) {
      pendingSkip_ = 0;
      long long cp = number < 0 ? number + 65536 : number;
      unsigned char byte = cp >= 0 && cp <= 0x10FFFF ? Cp1251FromCodePoint(std::uint32_t(cp)) : 0;
      if (!state_.hidden) out_ += byte ? char(byte) : '?';
      pendingSkip_ = state_.uc;
      return;
    }
    if (word == "uc") {
      state_.uc = hasNumber && number >= 0 && number <= 16 ? int(number) : 1;
      return;
    }
    if (word == "bin") {
      // Binary data of the given length follows; it is never text.
      std::size_t n = hasNumber && number > 0 ? std::size_t(number) : 0;
      pos_ += std::min(n, in_.size() - pos_);
      return;
    }
    if (IsHiddenDestination(word)) {
      state_.hidden = true;
      return;
    }
    if (EndsParagraph(word)) {
      Emit("\r\n");
      return;
    }
    if (char symbol = SymbolFor(word)) {
      Emit(std::string(1, symbol));
      return;
    }
    // A formatting word: it stands for no character, but it is the substitute of a "\u".
    if (pendingSkip_ > 0) --pendingSkip_;
  }

  const std::string& in_;
  std::size_t pos_ = 0;
  std::string out_;
  State state_;
  std::vector<State> stack_;
  int pendingSkip_ = 0;
};

}  // namespace

unsigned char Cp1251FromCodePoint(std::uint32_t cp) {
  if (cp < 0x80) return static_cast<unsigned char>(cp);
  if (cp >= 0x0410 && cp <= 0x044F) return static_cast<unsigned char>(0xC0 + (cp - 0x0410));
  for (std::size_t i = 0; i < kHighHalf.size(); ++i)
    if (kHighHalf[i] == cp) return static_cast<unsigned char>(0x80 + i);
  return 0;
}

bool IsRichText(const std::string& bytes) {
  std::size_t i = 0;
  while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n')) ++i;
  return bytes.compare(i, 5, "{\\rtf") == 0;
}

std::string ToPlainText(const std::string& rtf) { return Reader(rtf).Run(); }

std::string FromPlainText(const std::string& text, const TFont& font) {
  auto escapeName = [](const std::string& name) {
    std::string out;
    for (char c : name)
      if (c != ';' && c != '{' && c != '}' && c != '\\') out += c;
    return out;
  };
  static const char* const kHex = "0123456789abcdef";
  // System colours (negative numbers) have no fixed value: such text is written black.
  auto rgb = ColorToPixel(font.color < 0 ? clBlack : font.color);
  std::string colorTable = "{\\colortbl ;\\red" + std::to_string(rgb >> 16 & 0xFF) + "\\green" +
                           std::to_string(rgb >> 8 & 0xFF) + "\\blue" + std::to_string(rgb & 0xFF) + ";}";
  std::string out = "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049{\\fonttbl{\\f0\\fnil\\fcharset204 " +
                    escapeName(font.name) + ";}}" + colorTable + "\r\n\\viewkind4\\uc1\\pard\\cf1\\f0\\fs" +
                    std::to_string(font.size * 2) + (font.underline ? "\\ul" : "") + (font.bold ? "\\b" : "") + " ";
  for (std::size_t i = 0; i < text.size(); ++i) {
    auto c = static_cast<unsigned char>(text[i]);
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out += "\\par\r\n";
    } else if (c == '\t') {
      out += "\\tab ";
    } else if (c == '\\' || c == '{' || c == '}') {
      out += '\\';
      out += char(c);
    } else if (c >= 0x80) {
      out += "\\'";
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else if (c >= 0x20) {
      out += char(c);
    }
  }
  out += "\\par\r\n}\r\n";
  return out;
}

}  // namespace ui::rtf
