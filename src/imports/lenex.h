#pragma once

#include "data/meet.h"
#include "text/failure.h"

#include <QString>
#include <QStringList>

namespace quilvarden::tools {

// A meet programme read from a Lenex file, with what was left out and why.
struct LenexMeet {
    data::MeetProgramme programme;
    QStringList skipped;
};

// Reads the events and clubs of the first meet of a Lenex 3 file (.lef, or .lxf zipped).
// Each event gives its number as the order number, its gender (M, F, X for mixed, A when
// the file gives none: every swimmer) and an event code built from its swim style:
// distance and stroke letter (L free, E back, B breast, M fly, S medley, O any other), with
// "<swimmers>X" in front for a relay: 200E, 4X50L. Rounds that share a number keep the
// first. Each club gives a club taking part and its description; a club without a short
// name gets one of at most 8 characters from its name, unique within the meet.
Result<LenexMeet> readLenexMeet(const QString& path);

// The event code of a swim style, as above.
QString lenexEventCode(int distance, int relayCount, const QString& stroke);

// Short names for the given club names (at most 8 characters, unique, ignoring case),
// keeping the ones already taken.
QString deriveShortName(const QString& name, const QStringList& taken);

} // namespace quilvarden::tools
