#include "sheet_responder.h"

namespace {
SheetResponder& responderSlot()
{
    static SheetResponder responder;
    return responder;
}
}  // namespace

void installSheetResponder(SheetResponder responder)
{
    responderSlot() = std::move(responder);
}

bool hasSheetResponder()
{
    return static_cast<bool>(responderSlot());
}

// Called by VexoSheet once a sheet is up; not part of the public header.
int askSheetResponder(const SheetRequest& request)
{
    SheetResponder responder = responderSlot();  // a copy: the responder may reinstall itself
    return responder ? responder(request) : 0;
}
