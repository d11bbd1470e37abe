#ifndef LIFTWISE_ELEMENTARY_H
#define LIFTWISE_ELEMENTARY_H

// The elementary functions of the model, the same bits on every processor: SLEEF's deterministic
// builds (no fused multiply-adds, no choice at run time), within 1 ulp of the exact value. The C
// library's may differ in the last bit from one processor to another (glibc picks variants with
// fused multiply-adds at run time on x86).
namespace elementary {

double atan(double x); // radians in (-pi / 2, pi / 2)
double sin(double x); // x in radians
double cos(double x); // x in radians

} // namespace elementary

#endif // LIFTWISE_ELEMENTARY_H
