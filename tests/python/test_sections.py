"""Sections from files, NACA digits, a-series values and points, and what is refused: the
command line's sections and its words, and no input that crashes or hangs."""

import os

import numpy as np
import pytest

import liftwise


def test_naca_sections_are_the_command_line_files(cli):
    assert liftwise.naca("2412").text == cli("naca", "2412").stdout
    assert (
        liftwise.naca("23112", points=61, closed_te=True).text
        == cli("naca", "23112", "--points", 61, "--closed-te").stdout
    )
    # The thickness as a fraction of the chord, the command line's in per cent.
    assert (
        liftwise.meanline(a=0.8, cl=0.4, thickness=0.12).text
        == cli("meanline", "--a", 0.8, "--cl", 0.4, "--thickness", 12).stdout
    )
    assert liftwise.meanline().text == cli("meanline").stdout
    assert liftwise.naca("2412").path is None


@pytest.mark.parametrize(
    "digits, points",
    [("2472", 121), ("241", 121), ("24a2", 121), ("2412", 120), ("2412", 3), ("2412", 1001)],
)
def test_naca_refusals_in_the_command_line_words(digits, points, cli):
    with pytest.raises(ValueError) as refusal:
        liftwise.naca(digits, points=points)
    said = cli("naca", digits, "--points", points).stderr.decode().splitlines()[0]
    assert said == "liftwise-cli naca: " + str(refusal.value).replace("points", "--points")


def test_points_make_the_section_a_file_of_them_makes(examples):
    opened = liftwise.open(examples / "naca2412.dat")
    same = liftwise.Section.from_points(opened.points, title="NACA 2412")
    assert same.title == "NACA 2412"
    assert same.analyze(panels=50).coefficients.to_dict() == opened.analyze(
        panels=50
    ).coefficients.to_dict()
    # The other contour order, and a list of pairs in another unit, give the same section.
    reverse = liftwise.Section.from_points(opened.points[::-1]).analyze()
    scaled = liftwise.Section.from_points((120 * opened.points).tolist()).analyze()
    for r in (reverse, scaled):
        assert r.alpha0 == pytest.approx(opened.reference.alpha0, abs=1e-12)
        assert r.cm0 == pytest.approx(opened.reference.cm0, abs=1e-12)
    contour = opened.contour
    assert contour.shape == opened.points.shape
    assert 0 <= contour[:, 0].min() < 1e-3
    assert contour[0, 0] == pytest.approx(1.0) and contour[-1, 0] == pytest.approx(1.0)


NACA = liftwise.naca("0012").points


@pytest.mark.parametrize(
    "xy, error, words",
    [
        (np.full((10, 2), np.nan), liftwise.RefusedError, "line 2 holds nan"),
        (np.concatenate([NACA[:5], [[np.inf, 0]], NACA[5:]]), liftwise.RefusedError, "line 7"),
        (np.zeros((0, 2)), liftwise.RefusedError, "no points"),
        (np.array([[1.0, 0.0]]), liftwise.RefusedError, "fewer than 2 points"),
        (np.random.default_rng(1).random((10**6, 2)), liftwise.RefusedError, "more than 999"),
        (np.insert(NACA, 30, [0.5, 1e4], axis=0), liftwise.RefusedError, "line 32 lies 1"),
        (np.zeros((5, 3)), ValueError, "N x 2"),
        (np.zeros(10), ValueError, "N x 2"),
    ],
    ids=["nan", "inf", "empty", "one point", "a million", "wild point", "three columns", "flat"],
)
def test_odd_points_refused(xy, error, words):
    with pytest.raises(error, match=words):
        liftwise.Section.from_points(xy)


def test_title_is_one_line():
    with pytest.raises(ValueError):
        liftwise.Section.from_points(NACA, title="two\nlines")
    with pytest.raises(liftwise.RefusedError, match="line 1 is longer"):
        liftwise.Section.from_points(NACA, title="x" * 5000)


def test_files_refused_in_the_command_line_words(tmp_path, cli):
    refused = tmp_path / "refused.dat"
    refused.write_text("title\n1 0\n0.5 0.06\n0 0\n0.5 -0.06\n1000 0\n")
    fifo = tmp_path / "fifo.dat"
    os.mkfifo(fifo)
    cases = [
        (refused, liftwise.RefusedError),
        (tmp_path / "missing.dat", liftwise.FileError),
        (tmp_path, liftwise.FileError),
        (fifo, liftwise.FileError),
    ]
    for path, kind in cases:
        with pytest.raises(kind) as refusal:
            liftwise.open(path)
        assert refusal.value.path == str(path)
        said = cli("batch", path).stdout.decode()
        if path != tmp_path:
            assert refusal.value.reason in said and str(refusal.value) == refusal.value.reason
    assert issubclass(liftwise.FileError, OSError)
    # Names are bytes: one that is not UTF-8 opens.
    odd = os.fsencode(tmp_path) + b"/\xe9t\xe9.dat"
    with open(odd, "wb") as f:
        f.write(liftwise.naca("2412").text)
    assert liftwise.open(odd).title == "NACA 2412"
    assert liftwise.open(os.fsdecode(odd)).path == os.fsdecode(odd)
