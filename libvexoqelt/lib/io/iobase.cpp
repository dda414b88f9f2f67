#include "io/iobase.h"

namespace qelt {

IOBase::~IOBase() = default;

} // namespace qelt
