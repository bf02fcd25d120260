#include "charts/RChart.h"
#include "profiles/model/DanReader.h"
