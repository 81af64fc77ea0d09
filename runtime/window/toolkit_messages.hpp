#pragma once
// The toolkit's own chatter (debug notes and warnings such as a missing
// runtime folder) would mix with the program's console output; only its
// critical messages are shown, on standard error.

namespace rt {

void quiet_toolkit_messages();

}  // namespace rt
