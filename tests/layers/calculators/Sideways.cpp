#include "blending/MixEditor.h"
