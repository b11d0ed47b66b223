// Chrome of the borderless clock window: moving and snapping.
#include "app/unit1.h"
#include "chrome/snapping.h"
#include "ui/application.h"

void TForm1::CheckPosition(int rightLimit, int bottomLimit, int leftLimit, int topLimit) {
  if (configIni->ReadString("Clock", "StickCon", "1") != "1") return;
  ui::TPoint p = chrome::Snap({Left(), Top()}, {Width(), Height()}, ui::Application().Widgets().ScreenSize(),
                              {rightLimit, bottomLimit, leftLimit, topLimit});
  SetBounds(p.x, p.y, Width(), Height());
}
