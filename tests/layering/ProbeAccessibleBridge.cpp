#include "runtime/ui/AccessibleBridge.h"
