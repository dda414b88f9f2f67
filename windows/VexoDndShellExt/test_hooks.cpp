// Built into the test variant of the extension only.
#include "module_state.h"

extern "C" __attribute__((visibility("default"))) void QmShellExtTestSetTickSource(shellext::TickSource source)
{
    shellext::setTickSource(source);
}
