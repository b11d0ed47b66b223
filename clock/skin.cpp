// Skins: the look of the clock window, read from the current skin's description file.
#include "app/unit1.h"
#include "config/convert.h"
#include "resources/picture.h"

void TForm1::SkinRefresh() {
  skinName = configIni->ReadString("Clock", "skin", "default");
  skinIniPath = appDir + "skins\\" + skinName + "\\skin.ini";
  skinIni = std::make_unique<config::TIniFile>(skinIniPath);
  std::string form = skinIni->ReadString("skin", "Form", "");
  std::string background = form.empty() ? appDir + "Skins\\default\\main.bmp" : appDir + "skins\\" + skinName + "\\" + form;
  Image1->SetPicture(resources::LoadPictureFile(background));
  SetWidth(config::StrToInt(skinIni->ReadString("skin", "FormWidth", "180")));
  SetHeight(config::StrToInt(skinIni->ReadString("skin", "FormHeight", "70")));
}
