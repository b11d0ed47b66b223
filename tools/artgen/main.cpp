// Draws the program's pictures, backgrounds and sounds into an output folder:
//   artgen-host <ART_DIR>
// images/ for the bitmap library, jpeg/ for the window backgrounds, horavo.ico, the tray picture
// TRAYICON.bmp, notices/ with the celebration windows' pictures, and dist/ with the skins and
// the chime, copied beside the program.
#include <cstdio>
#include <exception>
#include <filesystem>

#include "tools/artgen/canvas.h"
#include "tools/artgen/extra_skins.h"
#include "tools/artgen/glyphs.h"
#include "tools/artgen/media.h"
#include "tools/artgen/notices.h"
#include "tools/artgen/skin.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
    return 2;
  }
  const std::filesystem::path out = argv[1];
  try {
    for (const auto& named : artgen::DrawImageLibrary())
      artgen::WriteBitmap(out / "images" / (named.name + ".bmp"), named.image);
    artgen::WriteBackgrounds(out / "jpeg");
    artgen::WriteFile(out / "horavo.ico", artgen::MakeIcon());
    artgen::WriteBitmap(out / "TRAYICON.bmp", artgen::MakeTrayPicture());
    artgen::WriteNoticePictures(out / "notices");
    artgen::WriteDefaultSkin(out / "dist" / "Skins" / "default");
    artgen::WriteMiniSkin(out / "dist" / "Skins" / "mini");
    artgen::WritePaperSkin(out / "dist" / "Skins" / "paper");
    artgen::WriteFile(out / "dist" / "Sound" / "Beep.wav", artgen::MakeChime());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "artgen: %s\n", e.what());
    return 1;
  }
  return 0;
}
