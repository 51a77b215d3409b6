// The platform interfaces are abstract; their destructors are anchored here so
// that every layer shares one set of vtables.
#include "engine/platform/platform.h"
