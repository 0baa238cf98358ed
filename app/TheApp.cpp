// TheApp.cpp: the process's one application object, made before the
// framework's entry point runs.
#include "app/CorvanelApp.h"

CCorvanelApp theApp;
