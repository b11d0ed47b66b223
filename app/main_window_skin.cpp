// Skins: the look of the clock window, read from the current skin's description file.
//
// Every value is read from the file at the moment it is applied, so an edited skin file takes
// effect at the next SkinRefresh. A skin whose description file cannot be read raises its error
// before anything changes; a value that cannot be applied (a bitmap that does not load, a number
// or colour that does not convert) raises its error and leaves the later steps undone; the
// caller shows the error. At start a skin that fails gives way to the default skin.
#include "app/main_window.h"

#include <cctype>

#include "chrome/placement.h"
#include "clock/colors.h"
#include "clock/separators.h"
#include "config/convert.h"
#include "platform/files.h"
#include "resources/picture.h"
#include "ui/application.h"
#include "ui/dpi.h"

namespace {

const char* const kSkinSection = "skin";
const char* const kDefaultSkin = "default";

bool IsDefaultSkin(const std::string& name) {
  if (name.size() != 7) return false;
  for (std::size_t i = 0; i < name.size(); ++i)
    if (char(std::tolower(static_cast<unsigned char>(name[i]))) != kDefaultSkin[i]) return false;
  return true;
}

}  // namespace

// A bitmap named by the skin lies in the skin's folder; a key left out (or blank), or a file the
// skin's folder does not have, falls back to the same picture of the default skin.
std::string TForm1::SkinPicturePath(const config::TIniSnapshot& skin, const char* key, const char* fallback) {
  const std::string file = skin.ReadString(kSkinSection, key, "");
  const std::string own = appDir + "skins\\" + skinName + "\\" + file;
  return file.empty() || !platform::FileExists(own) ? appDir + "Skins\\default\\" + fallback : own;
}

ui::Image TForm1::LoadSkinPicture(const std::string& path) {
  if (ui::WantsDoubleSizePictures(Dpi())) {
    const std::size_t slash = path.find_last_of("\\/");
    const std::size_t dot = path.find_last_of('.');
    const std::size_t stemEnd = dot != std::string::npos && (slash == std::string::npos || dot > slash) ? dot : path.size();
    const std::string larger = path.substr(0, stemEnd) + "@2x" + path.substr(stemEnd);
    if (platform::FileExists(larger)) {
      ui::Image picture = resources::LoadPictureFile(larger);
      picture.dpi = 2 * ui::kDesignDpi;
      return picture;
    }
  }
  return resources::LoadPictureFile(path);
}

void TForm1::SkinRefresh() { ApplySkin(files.Config().ReadText("Clock", "skin", kDefaultSkin), true); }

void TForm1::LoadStartSkin() {
  try {
    ApplySkin(skinName, false);
    return;
  } catch (const std::exception& e) {
    if (IsDefaultSkin(skinName)) {
      ui::Application().ShowException(e);
      return;
    }
    // The clock must run whatever the stored skin holds: it shows the default skin instead and
    // says so once. The stored choice stays, so a mended skin is back at the next start.
    std::string reason = e.what();
    if (!reason.empty() && reason.back() != '.') reason += '.';
    platform_.dialogs().ShowMessageBox("Скин \"" + skinName + "\" не удалось загрузить: " + reason +
                                           "\r\nЧасы показаны со скином \"" + kDefaultSkin + "\".",
                                       ui::Application().Title(), ui::MB_OK_FLAG | ui::MB_ICONERROR_FLAG);
  }
  ui::Application().Guard([this] { ApplySkin(kDefaultSkin, false); });
}

void TForm1::ApplySkin(const std::string& name, bool keepOnScreen) {
  skinName = name;
  skinIniPath = appDir + "skins\\" + skinName + "\\skin.ini";
  skinIni = std::make_unique<config::TIniFile>(skinIniPath);
  // Some seventy values, read from the file as it is now: it is looked at once, not per value.
  const config::TIniSnapshot skin(*skinIni);
  if (!skin.FileRead()) throw platform::FileError("Не удалось прочитать файл скина " + skinIniPath, skinIniPath);

  auto text = [&skin](const char* key, const char* defaultValue) {
    return skin.ReadString(kSkinSection, key, defaultValue);
  };
  auto number = [&](const char* key, const char* defaultValue) { return config::StrToInt(text(key, defaultValue)); };
  auto color = [&](const char* key) { return clockface::StringToColor(text(key, "32896")); };
  auto picture = [&](const char* key, const char* fallback) { return LoadSkinPicture(SkinPicturePath(skin, key, fallback)); };

  SetTransparentColorValue(clockface::StringToColor(text("TransColor", "0")));
  // A compact skin has no date; any other shows it.
  Label1->SetVisible(text("MiniSkin", "0") != "1");

  Image1->SetPicture(picture("Form", "main.bmp"));
  const ui::TRect before = ScreenRect();
  SetWidth(number("FormWidth", "180"));
  SetHeight(number("FormHeight", "70"));
  // A skin chosen while the clock runs keeps it whole on its monitor, at the edges it was at.
  if (keepOnScreen) {
    const chrome::Monitors monitors = platform_.monitors().List();
    if (const platform::MonitorArea* monitor = chrome::MonitorOf(monitors, before)) {
      const ui::TRect after = ScreenRect();
      const ui::TPoint at = chrome::KeepOnMonitor({Left(), Top()}, {before.Width(), before.Height()},
                                                  {after.Width(), after.Height()}, *monitor);
      SetBounds(at.x, at.y, Width(), Height());
    }
  }

  Label1->SetLeft(number("DatePositionLeft", "11"));
  Label1->SetTop(number("DatePositionTop", "23"));
  Label2->SetLeft(number("HourPositionLeft", "11"));
  Label2->SetTop(number("HourPositionTop", "50"));
  Label3->SetLeft(number("MinPositionLeft", "11"));
  Label3->SetTop(number("MinPositionTop", "50"));
  Label4->SetLeft(number("SecPositionLeft", "11"));
  Label4->SetTop(number("SecPositionTop", "50"));

  Label3->SetFontName(text("TimeFont", "Arial"));
  Label2->SetFontName(text("TimeFont", "Arial"));
  Label4->SetFontName(text("TimeFont", "Arial"));
  Label1->SetFontName(text("DateFont", "Arial"));
  Label2->SetFontSize(number("TimeSize", "18"));
  Label3->SetFontSize(number("TimeSize", "18"));
  Label4->SetFontSize(number("TimeSize", "18"));
  skinDateSize = number("DateSize", "14");
  Label1->SetFontSize(DateFontSize(Label1->Caption()));
  Label2->SetFontColor(color("TimeColor"));
  Label3->SetFontColor(color("TimeColor"));
  Label4->SetFontColor(color("TimeColor"));
  Label1->SetFontColor(color("DateColor"));

  // The buttons take the size of their bitmaps, so the sizes from the file only hold until the
  // bitmap is in (or when it fails to load).
  CloseBut->SetHeight(number("CloseButHeight", "11"));
  CloseBut->SetWidth(number("CloseButWidth", "11"));
  CloseBut->SetPicture(picture("CloseButton_default", "close_default.bmp"));
  CloseBut->SetLeft(number("CloseButPositionLeft", "181"));
  CloseBut->SetTop(number("CloseButPositionTop", "11"));

  MinimBut->SetLeft(number("MinimButPositionLeft", "161"));
  MinimBut->SetTop(number("MinimButPositionTop", "11"));
  MinimBut->SetHeight(number("MinimButHeight", "11"));
  MinimBut->SetWidth(number("MinimButWidth", "11"));
  MinimBut->SetPicture(picture("MinimButton_default", "minim_default.bmp"));

  Label5->SetLeft(number("Div1PositionLeft", "11"));
  Label5->SetTop(number("Div1PositionTop", "11"));
  Label6->SetLeft(number("Div2PositionLeft", "11"));
  Label6->SetTop(number("Div2PositionTop", "11"));
  Label5->SetFontColor(color("TimeColor"));
  Label6->SetFontColor(color("TimeColor"));
  Label5->SetFontSize(number("TimeSize", "18"));
  Label6->SetFontSize(number("TimeSize", "18"));
  Label5->SetCaption(text("Div1", ""));
  Label6->SetCaption(text("Div2", ""));
  Label5->SetFontName(text("TimeFont", "Arial"));
  Label6->SetFontName(text("TimeFont", "Arial"));

  // The buttons show their default pictures now; a press made stays in force.
  buttonLooks_ = chrome::PointerLeftButton(chrome::PointerLeftButton(buttonLooks_, chrome::SkinButton::kClose),
                                           chrome::SkinButton::kMinim);
  buttonLit = buttonLooks_.lit;

  // The skin places its separators for the font its author had; the font that draws them may
  // have narrower or wider digits. Each separator stands centred between the digits it
  // separates, as the time font measures them.
  const int digits = ui::Application().Widgets().MeasureText("00", Label2->Font()).cx;
  Label5->SetLeft(clockface::SeparatorLeft(Label5->Left(), Label2->Left(), digits, Label3->Left(), Label5->Width()));
  Label6->SetLeft(clockface::SeparatorLeft(Label6->Left(), Label3->Left(), digits, Label4->Left(), Label6->Width()));
}
