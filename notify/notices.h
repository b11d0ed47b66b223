// What the reminder and celebration windows share: snapping after a drag, and their pictures.
#pragma once

#include <string>

#include "platform/platform.h"
#include "ui/forms.h"
#include "ui/panels.h"
#include "ui/stdctrls.h"
#include "ui/types.h"

namespace notify {

// Where a reminder or birthday window dropped at `pos` ends: with its left edge at 559 or more
// it goes to 619, with its top at 507 or more to 567, with its left edge at `threshold` or less
// to 0, with its top at `threshold` or less to 0; each test on the position the one before
// left. The numbers are for a 1024 x 768 screen and move with the right and bottom edges of
// a larger or smaller one; a window too wide or too tall for the place it jumps to stops at
// the screen's edge instead of hanging over it.
ui::TPoint SnapNotice(ui::TPoint pos, ui::TSize window, ui::TSize screen, int threshold);

// A press of `button` on a window's surface: the left button lets the user drag the window
// (the call returns when it is dropped); then the window snaps with `threshold`. The system's
// move follows the left button only, so another button only snaps the window where it is.
void DragAndSnap(ui::TForm& form, ui::TMouseButton button, int threshold);

// The frame of a note window (the reminder, the missed events): borderless, on top, centred on
// the screen, `clientWidth` x `clientHeight`, a pale yellow panel filling it with `heading` in
// dark brown at its top left. The panel and the heading are returned for the window's fields.
struct NoteFrame {
  ui::TPanel* panel;
  ui::TLabel* heading;
};
NoteFrame BuildNoteFrame(ui::TForm& form, const std::string& heading, int clientWidth, int clientHeight);

// A picture compiled into the program (a bitmap file resource); empty when there is none.
ui::Image ProgramPicture(platform::Platform& platform, const std::string& name);

}  // namespace notify
