#include "airfoil.h"
