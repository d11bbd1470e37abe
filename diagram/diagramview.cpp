#include "diagramview.h"
