#include "planner/window/Rule3.h"
