#include "runtime/graphics/QtGraphics.h"
