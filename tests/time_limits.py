#!/usr/bin/env python3
"""Fails when a test of the build has no time limit of its own: without one, ctest waits 1500 s
(or CI's own limit) for a test that hangs."""
import json
import subprocess
import sys

ctest, build = sys.argv[1], sys.argv[2]
listing = subprocess.run([ctest, "--show-only=json-v1"], cwd=build, capture_output=True, text=True, timeout=50)
if listing.returncode != 0:
    sys.exit("ctest --show-only failed: " + listing.stderr)
tests = json.loads(listing.stdout)["tests"]
unbounded = [t["name"] for t in tests
             if not any(p["name"] == "TIMEOUT" and float(p["value"]) > 0 for p in t.get("properties", []))]
for name in unbounded:
    print("no time limit:", name)
print(len(tests), "tests,", len(unbounded), "without a time limit")
sys.exit(1 if unbounded or not tests else 0)
