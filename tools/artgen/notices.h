// Pictures of the reminder and celebration windows, compiled into the program as resources.
#pragma once

#include <cstdint>
#include <filesystem>

#include "ui/types.h"

namespace artgen {

// The birthday window's built-in picture, 128 x 128: a cake with candles on a warm ground.
ui::Image DrawBirthdayPicture();

// The birthday window's decoration, 72 x 176: three balloons on their strings, on the key
// colour, edges smoothed against the window's `panel` colour.
ui::Image DrawBirthdayDecoration(std::uint32_t panel);

// The holiday window's 14 x 14 close picture, normal or lit (under the pointer), on the key
// colour, edges smoothed against `panel`.
ui::Image DrawHolidayClose(bool lit, std::uint32_t panel);

// Writes BIRTHDAY.bmp, BIRTHDAYDECOR.bmp, HOLIDAYCLOSE.bmp and HOLIDAYCLOSEHOT.bmp into `dir`.
void WriteNoticePictures(const std::filesystem::path& dir);

}  // namespace artgen
