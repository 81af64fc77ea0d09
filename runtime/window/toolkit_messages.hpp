#pragma once
// The toolkit's own chatter (debug notes and warnings such as a missing
// runtime folder) would mix with the program's console output; only its
// critical messages are shown, on standard error.
//
// A fatal message would make the toolkit abort the process. The display is
// checked before the toolkit starts, but a window system can still refuse it
// (a platform plugin that cannot load, a display that drops the connection):
// then the program says so in one line and exits with status 1 instead.

#include <string_view>

namespace rt {

// `program` names the program in that one line.
void quiet_toolkit_messages(std::string_view program = {});

}  // namespace rt
