#include "elementary.h"

#include <sleef.h>

namespace elementary {

double atan(double x) { return Sleef_cinz_atand1_u10purec(x); }

double sin(double x) { return Sleef_cinz_sind1_u10purec(x); }

double cos(double x) { return Sleef_cinz_cosd1_u10purec(x); }

} // namespace elementary
