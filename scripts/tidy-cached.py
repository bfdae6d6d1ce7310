#!/usr/bin/env python3
"""scripts/tidy-cached.py COMPILE_COMMANDS ROOT BUILD : clang-tidy-14 over the product's .cpp files
of a build, two at a time, each file's output on stdout. A clean reading is kept in
$LUMIROLL_TIDY_CACHE (default ~/.cache/lumiroll/tidy: outside the clone, so a fresh clone on a
machine that has read the code once reads only what differs) under a hash of everything the
reading depends on: the file's compile command and paths (the clone's own folder left out), the
contents of the source and of every header the build recorded for it (ninja's dependency log),
.clang-tidy and clang-tidy's version. A file whose hash is kept is not read again. LUMIROLL_TIDY_ALL=1 reads all.
Exit status 1 when clang-tidy failed on any file."""
import concurrent.futures
import hashlib
import json
import os
import re
import shlex
import subprocess
import sys

commands, root, build = sys.argv[1], sys.argv[2].rstrip("/") + "/", sys.argv[3]
PRODUCT = r"(shared|platform|settings|saver|setup|uninstal)/.*\.cpp$"

entries = {}
for entry in json.load(open(commands)):
    if entry["file"].startswith(root) and re.match(PRODUCT, entry["file"][len(root):]):
        entries.setdefault(entry["file"], entry)  # one reading of a file in several targets

# "object: #deps N, deps mtime M (VALID)" then the dependencies, indented.
deps, target = {}, None
log = subprocess.run(["ninja", "-C", build, "-t", "deps"], capture_output=True, text=True).stdout
for line in log.splitlines():
    if line and not line.startswith(" "):
        target = line.split(":")[0].strip()
        deps[target] = []
    elif line.strip() and target is not None:
        deps[target].append(line.strip())

version = subprocess.run(["clang-tidy-14", "--version"], capture_output=True, text=True).stdout.encode()
config = open(os.path.join(root, ".clang-tidy"), "rb").read()
cache = os.environ.get("LUMIROLL_TIDY_CACHE") or os.path.join(os.path.expanduser("~"), ".cache", "lumiroll", "tidy")
os.makedirs(cache, exist_ok=True)
read_all = os.environ.get("LUMIROLL_TIDY_ALL") == "1"


def key(entry):
    """The hash of what the file's reading depends on; None when the build recorded no headers."""
    command = entry.get("command") or " ".join(entry.get("arguments", []))
    digest = hashlib.sha256(version + config + command.replace(root.rstrip("/"), "<root>").encode())
    words = shlex.split(command)
    output = entry.get("output") or (words[words.index("-o") + 1] if "-o" in words[:-1] else "")
    recorded = deps.get(output)
    if not recorded:
        return None
    for path in [entry["file"]] + recorded:
        full = path if os.path.isabs(path) else os.path.join(entry["directory"], path)
        digest.update(full.replace(root.rstrip("/"), "<root>").encode())
        try:
            with open(full, "rb") as f:
                digest.update(f.read())
        except OSError:
            return None
    return digest.hexdigest()


def tidy(file):
    k = key(entries[file])
    kept = os.path.join(cache, k) if k else None
    if kept and not read_all and os.path.exists(kept):
        return open(kept).read(), 0, True
    run = subprocess.run(["clang-tidy-14", "-p", build, "--quiet", file], capture_output=True, text=True)
    if kept and run.returncode == 0:
        with open(kept + ".new", "w") as f:
            f.write(run.stdout)
        os.replace(kept + ".new", kept)
    return run.stdout + (run.stderr if run.returncode else ""), run.returncode, False


failed = reused = 0
with concurrent.futures.ThreadPoolExecutor(2) as pool:
    for text, code, was_kept in pool.map(tidy, sorted(entries)):
        sys.stdout.write(text)
        failed |= code != 0
        reused += was_kept
sys.stderr.write("clang-tidy: %d product files, %d read, %d unchanged since a clean reading\n"
                 % (len(entries), len(entries) - reused, reused))
sys.exit(1 if failed else 0)
