#include "tests/gallery/gallery_lists.h"

void BuildListGallery(ui::TWinControl*) {}
