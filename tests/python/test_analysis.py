"""Analyses as liftwise-cli gives them, bit for bit: analyze --json, sweep and batch, from one
thread or many."""

import csv
import io
import json
import threading

import pytest

import liftwise

# Python's names of the coefficients and the geometry, and the JSON's.
COEFFICIENTS = {
    "cl0": "cl0",
    "alpha0": "alpha0",
    "alpha0_deg": "alpha0Deg",
    "cm0": "cm0",
    "dclda": "dclda",
    "alpha_sf": "alphaSF",
    "alpha_sf_deg": "alphaSFDeg",
    "cl_sf": "clSF",
}
GEOMETRY = {
    "max_thickness": "maxThickness",
    "max_thickness_x": "maxThicknessX",
    "max_camber": "maxCamber",
    "max_camber_x": "maxCamberX",
    "trailing_edge_gap": "trailingEdgeGap",
}


def lednicer(examples, folder):
    """The NACA 2412 sample in the Lednicer layout: counts, then each surface from the nose."""
    lines = (examples / "naca2412.dat").read_text().splitlines()
    points = lines[1:]
    nose = len(points) // 2
    upper, lower = points[nose::-1], points[nose:]
    path = folder / "lednicer.dat"
    path.write_text("\n".join([lines[0], f"{len(upper)}. {len(lower)}.", *upper, "", *lower]))
    return path


def flapped(examples, folder, cli):
    """A design's result, as liftwise-cli design writes it."""
    path = folder / "flapped.dat"
    run = cli("design", examples / "naca2412.dat", "--flap", "0.7,8", "--output", path)
    assert run.returncode == 0
    return path


def tilted(examples, folder):
    """The NACA 4412 sample tilted by 3 degrees and scaled: taken with a warning."""
    lines = (examples / "naca4412.dat").read_text().splitlines()
    rows = []
    for line in lines[1:]:
        x, y = map(float, line.split()[:2])
        rows.append(f"{50 * x:.6f} {50 * (y + 0.0524 * x):.6f}")
    path = folder / "tilted.dat"
    path.write_text("\n".join([lines[0] + " tilted", *rows]) + "\n")
    return path


FILES = {
    "0012 at 200": (lambda e, f, c: e / "naca0012.dat", 200, "3", "2"),
    "2412 at 8": (lambda e, f, c: e / "naca2412.dat", 8, "3", "2"),
    "4412 at 37, densities rounded": (lambda e, f, c: e / "naca4412.dat", 37, "4.504", "1.5"),
    "6409 at 999": (lambda e, f, c: e / "naca6409.dat", 999, "3", "2"),
    "lednicer at 60": (lambda e, f, c: lednicer(e, f), 60, "2", "3"),
    "flapped at 120": (flapped, 120, "3", "2"),
    "tilted with a warning": (lambda e, f, c: tilted(e, f), 50, "3", "2"),
}


@pytest.mark.parametrize("case", FILES)
def test_analyze_is_the_json(case, examples, tmp_path, cli):
    make, panels, le, te = FILES[case]
    path = make(examples, tmp_path, cli)
    run = cli("analyze", path, "--json", "--panels", panels, "--le", le, "--te", te)
    assert run.returncode == 0, run.stderr
    expected = json.loads(run.stdout)
    r = liftwise.open(path).analyze(panels=panels, le=float(le), te=float(te))

    line = expected["paneling"]
    assert (r.panels, r.le, r.te) == (line["panels"], line["leDensity"], line["teDensity"])
    for name, key in COEFFICIENTS.items():
        assert getattr(r, name) == line["coefficients"][key], name
        assert getattr(r.reference, name) == expected["reference"]["coefficients"][key], name
        extrapolated = expected["extrapolated"]
        assert getattr(r.extrapolated, name) == extrapolated[key], name
        assert getattr(r.extrapolated, name + "_error") == extrapolated["error"][key], name
        if key in extrapolated["range"]:
            coarse, fine = extrapolated["range"][key]
            assert (getattr(r.extrapolated.coarse, name), getattr(r.extrapolated.fine, name)) == (
                coarse,
                fine,
            )
    for name, key in GEOMETRY.items():
        assert getattr(r.geometry, name) == expected["geometry"][key], name
    assert r.stations.tolist() == line["stations"]
    assert r.ordinates.tolist() == line["ordinates"]
    assert r.widths.tolist() == line["panelWidths"]
    assert r.angles_deg.tolist() == line["panelAnglesDeg"]
    loading = expected["loading"]
    assert r.vortices.tolist() == loading["x"]
    assert r.delta_cp.tolist() == loading["dcpZeroIncidence"]
    assert r.delta_cp_smooth_entry.tolist() == loading["dcpSmoothEntry"]
    assert r.delta_cp_at(0.0).tolist() == loading["dcpZeroIncidence"]
    assert (r.title, r.warnings) == (expected["title"], expected["warnings"])
    assert r.path == str(path)


def test_sweep_is_the_csv(examples, cli):
    path = examples / "naca2412.dat"
    run = cli("sweep", path, "--panels", "3:60:7", "--le", "4", "--te", "1.5")
    rows = list(csv.DictReader(io.StringIO(run.stdout.decode())))
    sweep = liftwise.open(path).sweep(range(3, 61, 7), le=4, te=1.5)
    assert sweep.panels.tolist() == [int(row["panels"]) for row in rows]
    for name, column in [
        ("cl0", "cl0"),
        ("alpha0_deg", "alpha0_deg"),
        ("cm0", "cm0"),
        ("dclda", "dclda"),
        ("alpha_sf_deg", "alphaSF_deg"),
        ("cl_sf", "clSF"),
    ]:
        assert getattr(sweep, name).tolist() == [float(row[column]) for row in rows], name
    assert len(liftwise.naca("0012").sweep([])) == 0


def test_batch_gives_every_file_in_order(examples, tmp_path, cli):
    refused = tmp_path / "refused.dat"
    refused.write_text("a title\n1 0\n0.5 0.1x\n0 0\n0.5 -0.1\n1 0\n")
    missing = tmp_path / "missing.dat"
    section = liftwise.naca("4415")
    paths = [examples / "naca6409.dat", missing, refused, examples / "naca0012.dat"]
    # One result an item: a folder is no file here, where a script globs its files itself.
    results = liftwise.batch([*paths, section, tmp_path], panels=20, jobs=2)

    table = list(csv.DictReader(io.StringIO(cli("batch", *paths, "--panels", 20).stdout.decode())))
    assert len(results) == len(table) + 2
    for result, row in zip(results, table):
        if row["status"] == "ok":
            assert result.title == row["title"]
            assert result.alpha0_deg == float(row["p_alpha0_deg"])
            assert result.reference.cm0 == float(row["cm0"])
            assert result.extrapolated.alpha0_deg == float(row["x_alpha0_deg"])
            assert result.geometry.max_camber == float(row["max_camber"])
        else:
            assert isinstance(result, liftwise.Error)
            assert result.reason == row["status"]
    assert isinstance(results[1], liftwise.FileError) and isinstance(results[1], OSError)
    assert isinstance(results[2], liftwise.RefusedError)
    assert results[2].path == str(refused)
    assert results[-2].cm0 == section.analyze(panels=20).cm0
    assert isinstance(results[-1], liftwise.FileError)


def test_threads_give_the_same_bits(examples):
    sections = [liftwise.open(p) for p in sorted(examples.glob("*.dat"))]
    work = [(s, panels) for s in sections for panels in (37, 200, 640)]
    alone = [s.analyze(panels=n) for s, n in work]
    together = [None] * len(work)

    def analyse(k):
        for i in range(k, len(work), 4):
            s, n = work[i]
            together[i] = s.analyze(panels=n)

    threads = [threading.Thread(target=analyse, args=(k,)) for k in range(4)]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    for a, b in zip(alone, together):
        assert a.coefficients.to_dict() == b.coefficients.to_dict()
        assert a.delta_cp.tolist() == b.delta_cp.tolist()
        assert a.extrapolated.value.to_dict() == b.extrapolated.value.to_dict()
