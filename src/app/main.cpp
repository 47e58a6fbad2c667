#include "app/startup.h"

int main(int argc, char** argv)
{
    return quilvarden::app::runProgram(argc, argv);
}
