#include "airfoilfile.h"
