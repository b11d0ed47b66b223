// The command link and time-zone rules of the Windows build.
#pragma once

#include <memory>

#include "platform/command_link.h"

namespace platform {

std::unique_ptr<CommandLink> NewWin32CommandLink();

}  // namespace platform
