"""What the module's tests share: liftwise-cli to compare with, and the sample airfoils."""

import os
import pathlib
import subprocess

import pytest

EXAMPLES = pathlib.Path(__file__).resolve().parents[2] / "examples"


def run_cli(*args):
    """liftwise-cli with the arguments: its exit status, standard output (bytes) and standard
    error (text)."""
    return subprocess.run(
        [os.environ["LIFTWISE_CLI"], *map(str, args)], capture_output=True, check=False
    )


@pytest.fixture
def cli():
    return run_cli


@pytest.fixture
def examples():
    return EXAMPLES
