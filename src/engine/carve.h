#pragma once

#include <string>

#include "engine/fragments.h"
#include "engine/run_observer.h"
#include "engine/session.h"
#include "platform/device.h"

namespace reelvane {

// The output file of the fragment with the given index: folder, "/", index, ".MTS".
std::string FragmentFilePath(const std::string& destination, std::size_t index);

// Writes every fragment line longer than 2048 bytes into "<index>.MTS" in the
// destination folder: exactly the device bytes [start, end). Lines of a single hit
// are skipped and their index stays unused. Runs to the end of the list (a stop
// request does not shorten it); Pause and Stop are disabled meanwhile. A file that
// cannot be created or written ends the carving with the error; the files before it
// are complete.
void CarveFragments(RecoverySession& session, const std::string& devicePath,
                    const std::string& destination, const FragmentList& fragments,
                    RunObserver& observer, const platform::Platform& platform);

// Refuses (throws) a destination folder that lies on the device being read.
void CheckDestinationNotOnSource(const std::string& destination, const std::string& devicePath,
                                 const platform::Platform& platform);

}  // namespace reelvane
