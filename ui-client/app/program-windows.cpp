#include "program-windows.h"

#include "main-client-windows.h"

void installProgramWindows()
{
    registerMainWindows();
}
