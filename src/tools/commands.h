#pragma once

#include "tools/commandline.h"

#include <QList>

// quilvarden-db's commands, one file each.
namespace quilvarden::tools {

Command createCommand();
Command demoCommand();
Command importMdbCommand();
Command importLenexCommand();
Command standingsCommand();
Command categoriesCommand();
Command serveCommand();
Command scoreLenexCommand();
Command rulesCommand();
Command leagueCommand();

// Every command, in the order the help lists them.
QList<Command> commands();

} // namespace quilvarden::tools
