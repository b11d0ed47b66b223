#include <windows.h>

#include "platform/win32/time_zones_win32.h"

#include <algorithm>
#include <cstring>

#include "platform/win32/cp1251.h"
#include "platform/win32/system_time.h"

namespace platform {

using win32::FromSystemTime;
using win32::ToSystemTime;

namespace {

constexpr const wchar_t* kZonesKey = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones";

// The rule as the registry stores it.
struct RegistryRule {
  LONG bias, standardBias, daylightBias;
  SYSTEMTIME standardDate, daylightDate;
};
static_assert(sizeof(RegistryRule) == 44, "the registry's zone rule is 44 bytes");

std::wstring ReadText(HKEY key, const wchar_t* name) {
  wchar_t buffer[256];
  DWORD size = sizeof(buffer) - sizeof(wchar_t), type = 0;
  if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS ||
      type != REG_SZ)
    return L"";
  buffer[size / sizeof(wchar_t)] = 0;
  return buffer;
}

}  // namespace

void Win32TimeZones::Load() {
  if (loaded_) return;
  loaded_ = true;
  HKEY zones;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kZonesKey, 0, KEY_READ, &zones) != ERROR_SUCCESS) return;
  std::vector<std::pair<LONG, TimeZone>> found;
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD length = 256;
    if (RegEnumKeyExW(zones, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    HKEY zone;
    if (RegOpenKeyExW(zones, name, 0, KEY_READ, &zone) != ERROR_SUCCESS) continue;
    RegistryRule rule{};
    DWORD size = sizeof(rule), type = 0;
    if (RegQueryValueExW(zone, L"TZI", nullptr, &type, reinterpret_cast<BYTE*>(&rule), &size) == ERROR_SUCCESS &&
        type == REG_BINARY && size == sizeof(rule)) {
      TimeZone z{win32::NarrowCp1251(name), win32::NarrowCp1251(ReadText(zone, L"Std")),
                 win32::NarrowCp1251(ReadText(zone, L"Display"))};
      if (z.standardName.empty()) z.standardName = z.id;
      if (z.displayName.empty()) z.displayName = z.standardName;
      rules_[z.id].assign(reinterpret_cast<const char*>(&rule), sizeof(rule));
      found.push_back({rule.bias, std::move(z)});
    }
    RegCloseKey(zone);
  }
  RegCloseKey(zones);
  // West to east, as the system's own choice list shows them.
  std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
    return a.first != b.first ? a.first > b.first : a.second.displayName < b.second.displayName;
  });
  for (auto& [bias, zone] : found) zones_.push_back(std::move(zone));
}

std::vector<TimeZone> Win32TimeZones::List() {
  Load();
  return zones_;
}

std::optional<DateTime> Win32TimeZones::LocalToUniversal(const DateTime& local) {
  SYSTEMTIME in = ToSystemTime(local), out;
  if (!TzSpecificLocalTimeToSystemTime(nullptr, &in, &out)) return std::nullopt;
  return FromSystemTime(out);
}

std::optional<DateTime> Win32TimeZones::UniversalToLocal(const DateTime& universal) {
  SYSTEMTIME in = ToSystemTime(universal), out;
  if (!SystemTimeToTzSpecificLocalTime(nullptr, &in, &out)) return std::nullopt;
  return FromSystemTime(out);
}

std::optional<DateTime> Win32TimeZones::UniversalToZone(const std::string& id, const DateTime& universal) {
  Load();
  auto found = rules_.find(id);
  if (found == rules_.end()) return std::nullopt;
  RegistryRule rule;
  std::memcpy(&rule, found->second.data(), sizeof(rule));
  TIME_ZONE_INFORMATION info{};
  info.Bias = rule.bias;
  info.StandardBias = rule.standardBias;
  info.DaylightBias = rule.daylightBias;
  info.StandardDate = rule.standardDate;
  info.DaylightDate = rule.daylightDate;
  SYSTEMTIME in = ToSystemTime(universal), out;
  if (!SystemTimeToTzSpecificLocalTime(&info, &in, &out)) return std::nullopt;
  return FromSystemTime(out);
}

}  // namespace platform
