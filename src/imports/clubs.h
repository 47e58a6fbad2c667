#pragma once

#include "data/meet.h"
#include "imports/filemeet.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace quilvarden::imports {

// The clubs as they go into the register, and a line for each club whose code or short
// name is not the file's, saying why.
struct ClubAssignment {
    QList<data::MeetClub> clubs;
    QStringList notes;
};

// Gives every club of the file a CLUBCODE unique within the meet and a short name of 1 to 8
// characters without outer blanks, unique with case and accents ignored, as the club list
// and the standings show it.
//
// A club already in the register (the same file id, else the same file code and name, else
// a code that only it has on both sides) keeps its CLUBCODE and short name, since its
// awards carry that name. A club that left the file but has awards keeps its description,
// off the club list. A new club takes its file code when no other club has it (the first of
// clubs sharing a code keeps it, the others get CODE-2, CODE-3...; a club without a code gets
// one from its short name), and the first free of: the file's short name when it fits, the
// most telling word of its names, its whole name when it fits, its code, its initials, the
// other words, and the first of these with a number at the end. No short name that an
// award already carries goes to a new club.
ClubAssignment assignClubs(const QList<FileClub>& clubs, const data::RegisteredMeet& registered);

// Which club of the register each club of the file is, by the rules assignClubs follows:
// the same file id where no other club on either side has it, else the same file code and
// name, else a code that only it has on both sides. Nothing for a club the register lacks.
QList<std::optional<qsizetype>> findRegisteredClubs(const QList<FileClub>& clubs,
                                                    const QList<data::MeetClub>& registered);


} // namespace quilvarden::imports
