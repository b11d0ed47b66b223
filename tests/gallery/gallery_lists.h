// The list view and the date and time pickers of the control gallery.
#pragma once

#include "ui/controls.h"

// Places a list view and a time and a date picker, each with its menu, inside `area`.
void BuildListGallery(ui::TWinControl* area);
