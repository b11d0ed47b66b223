// Date and time texts in the user's formats: the display shows them and the event store keeps
// them, and events are matched by comparing such texts. The pictures are read and written in
// platform/date_text.h; the clock's rules use them under these names.
#pragma once

#include "platform/date_text.h"
#include "platform/platform.h"

namespace clockface {

using platform::DayOfWeek;
using platform::DaysInMonth;
using platform::FormatPicture;
using platform::ParseDate;
using platform::ParseTime;
using platform::PictureElement;
using platform::SplitPicture;

}  // namespace clockface
