// All windows of the program and the order in which they are created.
#pragma once

#include "about/about_window.h"
#include "about/colour_picker_window.h"
#include "app/main_window.h"
#include "calendar/calendar_window.h"
#include "notify/reminder_window.h"
#include "notify/birthday_window.h"
#include "notify/holiday_window.h"
#include "notify/missed_window.h"
#include "settings/greeting_address_window.h"
#include "settings/settings_window.h"
