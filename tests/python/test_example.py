"""The example in examples/ runs and draws its PNG."""

import os
import subprocess
import sys


def test_loading_example_saves_a_png(examples, tmp_path):
    output = tmp_path / "loading.png"
    subprocess.run([sys.executable, examples / "loading.py", output], check=True, env=os.environ)
    assert output.read_bytes()[:8] == b"\x89PNG\r\n\x1a\n"
