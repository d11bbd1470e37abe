"""Where the Python module goes under an install prefix: the folder under PREFIX/lib that the
interpreter searches itself (the user's site-packages for ~/.local, dist-packages for /usr/local
and /usr on Debian), else PREFIX/lib/pythonX.Y/site-packages, which PYTHONPATH then names."""

import os
import site
import sys

prefix = os.path.realpath(sys.argv[1])
searched = [site.getusersitepackages()] + site.getsitepackages() + sys.path
for folder in searched:
    inside = os.path.relpath(os.path.realpath(folder), prefix).split(os.sep)
    if inside[0].startswith("lib") and inside[-1].endswith("-packages"):
        print(folder)
        break
else:
    print(os.path.join(sys.argv[1], "lib", "python%d.%d" % sys.version_info[:2], "site-packages"))
