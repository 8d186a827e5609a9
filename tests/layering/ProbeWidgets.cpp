#include "runtime/ui/Widgets.h"
