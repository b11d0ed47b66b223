#include "events/event_types.h"

#include "config/convert.h"

namespace events {

std::string TypeName(const std::string& storedType) {
  try {
    const int type = config::StrToInt(storedType);
    if (type >= 0 && type < int(kTypeNames.size())) return kTypeNames[std::size_t(type)];
  } catch (const config::EConvertError&) {
  }
  return storedType;
}

}  // namespace events
