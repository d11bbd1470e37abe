#include "spline.h"
