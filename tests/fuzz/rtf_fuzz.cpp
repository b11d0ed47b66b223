// Rich text: any document reads to some plain text, and plain text written as a document
// reads back as itself.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "ui/rtf.h"

namespace {

// The text as a document holds it: line ends as CR LF (for CR LF, LF or a lone CR), and no
// control characters but the tab.
std::string AsStored(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out += "\r\n";
    } else if (static_cast<unsigned char>(text[i]) >= 0x20 || text[i] == '\t') {
      out += text[i];
    }
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  ui::rtf::IsRichText(bytes);
  ui::rtf::ToPlainText(bytes);

  ui::TFont font;
  font.name = "Arial";
  const std::string document = ui::rtf::FromPlainText(bytes, font);
  if (!ui::rtf::IsRichText(document)) std::abort();
  if (ui::rtf::ToPlainText(document) != AsStored(bytes)) std::abort();
  return 0;
}
