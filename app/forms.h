// All windows of the program and the order in which they are created.
#pragma once

#include <vector>

#include "about/unit6.h"
#include "about/unit8.h"
#include "app/unit1.h"
#include "notify/unit3.h"
#include "notify/unit4.h"
#include "notify/unit5.h"
#include "notify/unit7.h"
#include "settings/unit2.h"

// The windows the main window closes when it closes: settings, reminder, birthday, holiday.
std::vector<ui::TForm*> OtherWindowsClosedWithMain();
