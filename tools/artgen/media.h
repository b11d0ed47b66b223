// Window backgrounds, the chime and the program icon.
#pragma once

#include <filesystem>
#include <string>

#include "ui/types.h"

namespace artgen {

// Encodes `image` as a baseline JPEG of the given quality (1..100).
std::string EncodeJpeg(const ui::Image& image, int quality);

// GRADIENTBIG.jpg, GRADIENTSMALL.jpg and GRADIENTSMALLBOTTOM.jpg.
void WriteBackgrounds(const std::filesystem::path& dir);

// A short two-note chime: 16-bit mono PCM at 22050 Hz.
std::string MakeChime();

// A clock face icon with 16 x 16 and 32 x 32 pictures, 32 bits with alpha.
std::string MakeIcon();

// The 16 x 16 picture of the notification-area icon: the clock face on the see-through colour.
ui::Image MakeTrayPicture();

}  // namespace artgen
