"""Starts Orca with the speech log of tonvirta_speech.py as its only speech server."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from orca import settings  # noqa: E402

settings.speechServerFactory = "tonvirta_speech"
settings.speechFactoryModules = ["tonvirta_speech"]
sys.argv = ["orca", "--replace"] + sys.argv[1:]
with open("/usr/bin/orca", encoding="utf-8") as launcher:
    code = compile(launcher.read(), "/usr/bin/orca", "exec")
exec(code, {"__name__": "__main__"})
