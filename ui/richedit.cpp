#include "ui/richedit.h"

#include "platform/files.h"
#include "ui/rtf.h"

namespace ui {

namespace {

// A plain-text file's lines with CR LF ends, as the text box gives them back.
std::string WithCrLf(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out += "\r\n";
    } else {
      out += c;
    }
  }
  return out;
}

// The native control ends the document it streams out with a NUL byte after the closing brace,
// and files saved that way carry it along when loaded and saved again; a document ends at its
// last character.
std::string WithoutTrailingNuls(std::string document) {
  while (!document.empty() && document.back() == '\0') document.pop_back();
  return document;
}

}  // namespace

TRichEdit::TRichEdit(TComponent* owner) : TWinControl(owner) { TabStop = true; }

void TRichEdit::Replace(const std::string& text, const std::string& rich) {
  bool changed = text != text_;
  text_ = text;
  rich_ = rich;
  userEdited_ = false;
  if (auto* p = P()) p->SetContent(Document(), DocumentIsRich());
  if (changed && OnChange) OnChange(this);
}

void TRichEdit::SetText(const std::string& text) {
  if (text == text_ && rich_.empty() && !userEdited_) return;
  Replace(text, "");
}

void TRichEdit::LoadFromFile(const std::string& path) {
  auto bytes = platform::ReadFile(path);
  if (!bytes) throw platform::CannotOpen(path);
  if (rtf::IsRichText(*bytes)) {
    Replace(rtf::ToPlainText(*bytes), *bytes);
  } else {
    Replace(WithCrLf(*bytes), "");
  }
}

std::string TRichEdit::RichText() {
  if (userEdited_ && P()) {
    std::string fromControl = WithoutTrailingNuls(P()->RichText());
    if (!fromControl.empty()) return fromControl;
  }
  if (!rich_.empty()) return WithoutTrailingNuls(rich_);
  return rtf::FromPlainText(text_, font_);
}

void TRichEdit::SaveToFile(const std::string& path) { platform::WriteFileAtomically(path, RichText()); }

void TRichEdit::SetReadOnly(bool on) {
  if (on == readOnly_) return;
  readOnly_ = on;
  if (auto* p = P()) p->SetReadOnly(on);
}

void TRichEdit::SetScrollBars(TScrollStyle style) {
  if (style == scrollBars_) return;
  scrollBars_ = style;
  if (auto* p = P()) p->SetScrollBars(int(style));
}

void TRichEdit::UserEdited() {
  auto* p = P();
  if (!p) return;
  std::string text = p->Text();
  userEdited_ = true;
  rich_.clear();
  if (text == text_) return;
  text_ = text;
  if (OnChange) OnChange(this);
}

std::unique_ptr<WinControlPeer> TRichEdit::CreatePeer(WidgetSet& widgets) { return widgets.CreateRichEditPeer(*this); }

}  // namespace ui
