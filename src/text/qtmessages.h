#pragma once

namespace quilvarden {

// Qt's own messages (XDG_RUNTIME_DIR not set under su, fonts, the platform plugin) are not
// the program's, and would be the first line a volunteer reads after --version or a picture
// of the window: from here on only a critical or fatal one is told. QUILVARDEN_DEBUG=1 in
// the environment lets them all through, to look into a problem.
void keepQtMessagesQuiet();

} // namespace quilvarden
