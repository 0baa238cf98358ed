// AppMain.cpp: the program's entry point. The application provides its one
// global application object; everything else is the framework's.
//
// Linked into the executable as an object of its own (not from a library),
// so that the runtime's start-up code always finds it.
#include "platform/appservices/WinApp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand)
{
    return AfxWinMain(instance, previous, commandLine, showCommand);
}
