#include "diagramscene.h"
