#include "runtime/graphics/Canvas.h"
#include "runtime/printing/PrintSystem.h"
#include "runtime/ui/Control.h"

int probeEngine() { return sizeof(qv::TControl) > 0 ? 1 : 0; }
