#ifndef LIFTWISE_INFLUENCE_H
#define LIFTWISE_INFLUENCE_H

#include <vector>

// The influence matrix of the discrete-vortex method on the stations x[0] .. x[n] of n panels,
// row by row: vortex j at its panel's quarter point xv[j] = 0.75 x[j] + 0.25 x[j + 1], control
// point i at its panel's three-quarter point xc[i] = 0.25 x[i] + 0.75 x[i + 1], and
// M[i][j] = 1 / (xc[i] - xv[j]). The 1 / (2 pi) is left to the solutions.
std::vector<double> influenceMatrix(const std::vector<double> &stations);

#endif // LIFTWISE_INFLUENCE_H
