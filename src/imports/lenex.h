#pragma once

#include "imports/filemeet.h"
#include "text/failure.h"

#include <QString>

namespace quilvarden::imports {

// Reads the events and clubs of the first meet of a Lenex 3 file (.lef, or .lxf zipped).
// Each event gives its number as the order number, its gender (M, F, X for mixed, A when
// the file gives none: every swimmer) and an event code from its swim style (see
// lenexEventCode); rounds that share a number keep the first. The clubs are the CLUB
// elements of the meet (never those of record lists or time standards), each once: a club
// listed twice under the same clubid, or the same code, name and team number, is one club.
// Unattached swimmers score for no club and stay out, as does a club with neither name
// nor code that nobody swims for. A file that is not a Lenex meet is refused.
Result<FileMeet> readLenexMeet(const QString& path);

// The event code of a swim style: the distance, a letter for the stroke (L free, E back,
// B breast, M fly, S medley, O any other; fin swimming A and a second letter) and one for
// a technique other than plain swimming (P kick, Z pull, U underwater, D glide, I start,
// V turn), with "<swimmers>X" in front for a relay: 200E, 4X50L, 4X25LP, 50MP.
QString lenexEventCode(int distance, int relayCount, const QString& stroke, const QString& technique = {});

} // namespace quilvarden::imports
