// TRichEdit: a multi-line text box that shows Rich Text. It loads a file as Rich Text, or as
// plain text when the file is not Rich Text, and saves as Rich Text. Text() is always the
// plain text (cp1251, CR LF line ends); without a peer the control reads Rich Text itself
// (see ui/rtf.h), with one the native control renders the document.
#pragma once

#include <string>

#include "ui/controls.h"

namespace ui {

class TRichEdit : public TWinControl {
 public:
  explicit TRichEdit(TComponent* owner);

  // The plain text of the document.
  const std::string& Text() const { return text_; }
  // Replaces the document with plain text; raises OnChange when the text really changes.
  void SetText(const std::string& text);
  void Clear() { SetText(""); }

  // Loads a file: Rich Text when it starts as such, plain text otherwise. A file that cannot
  // be read raises platform::CannotOpen(path) and leaves the document as it was.
  void LoadFromFile(const std::string& path);
  // Saves the document as Rich Text, replacing the file atomically (platform::FileError when
  // it cannot be written).
  void SaveToFile(const std::string& path);
  // The document as Rich Text, as SaveToFile writes it.
  std::string RichText();

  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool on);
  bool WantsReturn() const override { return !readOnly_; }
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle style);

  TNotifyEvent OnChange;

  // What a peer shows: the Rich Text as loaded, or else the plain text.
  const std::string& Document() const { return rich_.empty() ? text_ : rich_; }
  bool DocumentIsRich() const { return !rich_.empty(); }

  // Input entry point: the user edited the document; the peer has the new content.
  void UserEdited();

 protected:
  std::unique_ptr<WinControlPeer> CreatePeer(WidgetSet& widgets) override;

 private:
  RichEditPeer* P() const { return static_cast<RichEditPeer*>(Peer()); }
  void Replace(const std::string& text, const std::string& rich);

  std::string text_;
  std::string rich_;         // the document as loaded when it was Rich Text; empty otherwise
  bool userEdited_ = false;  // the native control holds edits the model has not stored as Rich Text
  bool readOnly_ = false;
  TScrollStyle scrollBars_ = TScrollStyle::ssNone;
};

}  // namespace ui
