#include "app/startup.h"
#include "text/qtmessages.h"

int main(int argc, char** argv)
{
    quilvarden::keepQtMessagesQuiet();
    return quilvarden::app::runProgram(argc, argv);
}
