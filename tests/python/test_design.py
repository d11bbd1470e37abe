"""The design levers return new sections, each what liftwise-cli design or modify writes, and a
save writes what an open takes back, or nothing."""

import json
import math
import os

import pytest

import liftwise


def test_levers_chained_are_one_design_run(examples, tmp_path, cli):
    section = liftwise.open(examples / "naca2412.dat")
    other = liftwise.open(examples / "naca4412.dat")
    result = (
        section.scale_camber(1.5)
        .blend(other, 0.3)
        .repanel(81)
        .te_gap(0.5)
        .camber_at(0.35)
        .scale_thickness(0.9)
        .flap(hinge=0.75, deflection_deg=5)
    )
    run = cli(
        "design", examples / "naca2412.dat", "--scale-camber", 1.5,
        "--blend", f"{examples / 'naca4412.dat'},0.3", "--repanel", 81, "--te-gap", 0.5,
        "--camber-at", 0.35, "--scale-thickness", 0.9, "--flap", "0.75,5", "--json",
        "--output", tmp_path / "designed.dat",
    )  # fmt: skip
    assert result.text == (tmp_path / "designed.dat").read_bytes()
    expected = json.loads(run.stdout)
    r = result.analyze(panels=200)
    assert r.alpha0 == expected["paneling"]["coefficients"]["alpha0"]
    assert r.extrapolated.cm0 == expected["extrapolated"]["cm0"]
    assert section.title == "NACA 2412"
    # A save writes the result as it stands, which opens as the very same section.
    result.save(tmp_path / "saved.dat")
    assert (tmp_path / "saved.dat").read_bytes() == result.text
    again = liftwise.open(tmp_path / "saved.dat").analyze(panels=200)
    assert again.coefficients.to_dict() == r.coefficients.to_dict()


def test_a_refused_result_raises_with_the_reason(examples, cli):
    flapped = liftwise.open(examples / "naca2412.dat").flap(hinge=0.75, deflection_deg=5)
    with pytest.raises(liftwise.RefusedError) as refusal:
        flapped.scale_camber(1.5)
    said = cli(
        "design", examples / "naca2412.dat", "--flap", "0.75,5", "--scale-camber", 1.5
    ).stderr.decode()
    assert str(refusal.value) in said and refusal.value.reason in said


def test_modify_is_the_command_line_rule(examples, cli):
    path = examples / "naca2412.dat"
    section = liftwise.open(path)
    reached = section.modify(alpha0_deg=-3, cm0=-0.06)
    assert reached.text == cli("modify", path, "--alpha0", -3, "--cm0", -0.06).stdout
    assert reached.reference.alpha0_deg == pytest.approx(-3, abs=0.001)
    assert reached.reference.cm0 == pytest.approx(-0.06, abs=1e-5)
    assert reached.path == str(path)
    # Counted presses aim at the targets themselves; a miss is a warning in the same words.
    with pytest.warns(UserWarning) as told:
        counted = section.modify(alpha0_deg=-6, cm0=-0.15, presses=1, panels=40)
    run = cli("modify", path, "--alpha0", -6, "--cm0", -0.15, "--presses", 1, "--panels", 40)
    assert counted.text == run.stdout
    assert "liftwise-cli modify: warning: " + str(told[0].message) in run.stderr.decode()

    with pytest.raises(liftwise.TargetNotReached) as missed:
        section.modify(alpha0_deg=-20, cm0=-0.4)
    said = cli("modify", path, "--alpha0", -20, "--cm0", -0.4).stderr.decode().splitlines()
    assert said[-1] == "liftwise-cli modify: " + str(missed.value)
    assert missed.value.alpha0_deg == pytest.approx(math.degrees(missed.value.alpha0))
    assert f"alpha0 = {missed.value.alpha0_deg:.3f} deg, cm0 = {missed.value.cm0:.4f}" in said[-1]

    with pytest.raises(liftwise.RefusedError) as refused:
        section.modify(alpha0_deg=45, cm0=-1)
    said = cli("modify", path, "--alpha0", 45, "--cm0", -1).stderr.decode()
    assert str(refused.value) in said


def test_saves_refused_leave_the_file(tmp_path):
    section = liftwise.naca("2412")
    kept = tmp_path / "kept.dat"
    kept.write_bytes(b"kept")
    fifo = tmp_path / "fifo.dat"
    os.mkfifo(fifo)
    for path in (fifo, tmp_path, "/proc/liftwise.dat"):
        with pytest.raises(liftwise.FileError):
            section.save(path)
    section.save(kept)
    assert kept.read_bytes() == section.text


@pytest.mark.parametrize(
    "call, words",
    [
        (lambda s: s.analyze(panels=2), "panels takes a whole number from 3 to 999"),
        (lambda s: s.analyze(le=0.99), "le takes a number from 1.00 to 10.00"),
        (lambda s: s.analyze(te=math.nan), "te takes a number"),
        (lambda s: s.sweep([10, 1000]), "panels takes a whole number from 3 to 999"),
        (lambda s: s.modify(alpha0_deg=-46, cm0=0), "alpha0_deg takes a number from -45"),
        (lambda s: s.modify(alpha0_deg=-3, cm0=1.5), "cm0 takes a number from -1"),
        (lambda s: s.modify(alpha0_deg=-3, cm0=0, presses=0), "presses takes a whole number"),
        (lambda s: s.flap(hinge=0.4, deflection_deg=5), "hinge takes a number from 0.5 to 0.95"),
        (lambda s: s.flap(hinge=0.7, deflection_deg=31), "deflection_deg takes a number"),
        (lambda s: s.scale_camber(math.inf), "factor takes a number from -5 to 5"),
        (lambda s: s.scale_thickness(-1), "factor takes a number from 0 to 5"),
        (lambda s: s.camber_at(0.95), "x takes a number from 0.1 to 0.9"),
        (lambda s: s.te_gap(6), "percent takes a number from 0 to 5"),
        (lambda s: s.repanel(39), "points takes a whole number from 40 to 999"),
        (lambda s: s.blend(s, 1.5), "weight takes a number from 0 to 1"),
        (lambda s: liftwise.batch([s], jobs=0), "jobs takes a whole number"),
        (lambda s: liftwise.meanline(thickness=0.4), "thickness takes a number from 0"),
        (lambda s: liftwise.meanline(a=1.2), "a takes a number from 0.000 to 1.000"),
    ],
)
def test_values_out_of_range(call, words):
    with pytest.raises(ValueError, match=words):
        call(liftwise.naca("2412"))


def test_help_tells_every_part():
    for name in dir(liftwise.Section):
        if not name.startswith("_"):
            assert getattr(liftwise.Section, name).__doc__, name
    for name in ("open", "naca", "meanline", "batch"):
        assert getattr(liftwise, name).__doc__.count("\n") > 2, name
    assert "NACA 2412" in repr(liftwise.naca("2412"))
    assert "alpha0 = " in repr(liftwise.naca("2412").analyze())
