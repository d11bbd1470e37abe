"""The loading of two sections from Python: the NACA 2412 and 4412 samples at 200 panels,
the pressure difference over the chord at zero incidence and at smooth leading-edge entry,
saved as a PNG (loading.png, or the path given).

    PYTHONPATH=build/python python3 examples/loading.py loading.png
"""

import pathlib
import sys

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402

import liftwise  # noqa: E402

here = pathlib.Path(__file__).parent
output = sys.argv[1] if len(sys.argv) > 1 else "loading.png"

figure, axes = plt.subplots(figsize=(8, 4.5))
for name, colour in (("naca2412.dat", "tab:blue"), ("naca4412.dat", "tab:red")):
    r = liftwise.open(here / name).analyze(panels=200)
    axes.plot(r.vortices, r.delta_cp, color=colour,
              label=f"{r.title}: alpha0 {r.alpha0_deg:.3f} deg, cm0 {r.cm0:.4f}")
    axes.plot(r.vortices, r.delta_cp_smooth_entry, color=colour, linestyle="--",
              label=f"{r.title} at smooth entry, {r.alpha_sf_deg:.2f} deg")
axes.set_xlabel("x / chord")
axes.set_ylabel("ΔCp")
axes.set_ylim(-0.5, 1.0)
axes.grid(alpha=0.3)
axes.legend()
axes.set_title("Camber-line loading, 200 panels")
figure.tight_layout()
figure.savefig(output, dpi=100)
