// Side files of the event store: whatever path an event's section stores, the file it names
// lies directly in the program's own "notes\" or "days\" folder.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "events/event_store.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string stored(reinterpret_cast<const char*>(data), size);
  static const std::string appDir = "C:\\Horavo\\";
  static const events::EventStore store(appDir);
  for (auto [folder, name] : {std::pair{events::SideFolder::kNotes, std::string("notes\\")},
                              std::pair{events::SideFolder::kDays, std::string("days\\")}}) {
    const std::string path = store.SideFilePath(folder, stored);
    if (path.empty()) continue;
    const std::string prefix = appDir + name;
    if (path.compare(0, prefix.size(), prefix) != 0) std::abort();
    const std::string file = path.substr(prefix.size());
    if (file.empty() || file == "." || file == ".." || file.find_first_of("\\/") != std::string::npos) std::abort();
    if (file.find(':') != std::string::npos) std::abort();  // no drive or stream of its own
  }
  return 0;
}
