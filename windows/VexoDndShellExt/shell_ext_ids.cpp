#include "shell_ext_ids.h"

namespace shellext {

const CLSID CLSID_ShellExtension = {0x61359716, 0x007D, 0x4490, {0xA3, 0xAE, 0xCB, 0xE0, 0xE4, 0x14, 0xBD, 0x28}};

const WCHAR kBlockName[] = u"VexoDndShellExtMapping";
const WCHAR kBlockMutexName[] = u"VexoDndShellExtMutex";
const WCHAR kLogMutexName[] = u"VexoDndShellExtLogMutex";
const char16_t kMarkerFolder[] = u"qzdragfolderQZDF";

} // namespace shellext
