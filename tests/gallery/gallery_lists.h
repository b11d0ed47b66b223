// The right-hand part of the control gallery: list views and date pickers, placed in `area`.
#pragma once

namespace ui {
class TWinControl;
}

void BuildListGallery(ui::TWinControl* area);
