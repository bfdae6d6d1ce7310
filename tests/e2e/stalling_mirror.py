#!/usr/bin/python3
"""A read-only mirror of a folder through FUSE whose chosen files stop answering after their
first block, as a sleeping NAS or a dead share does.

usage: stalling_mirror.py SOURCE MOUNT CONTROL LIFETIME_SECONDS

A file NAME stalls while CONTROL/NAME.stall exists: its first block reads as usual, a read past it
waits until the marker is removed, or for at most the seconds the marker holds (empty: until
removed). Each open of NAME adds the line NAME to CONTROL/opened, each close to CONTROL/closed.
The listing of a folder FOLDER ("" for the mirror's root, "a/b" below it) stalls in the same way
while CONTROL/LISTING-F.stall exists, F being FOLDER with "/" written as "%"; each listing adds the
line /FOLDER to CONTROL/listed before it waits. CONTROL/status says "mounted PID"
once the mirror answers, "failed: REASON" when it cannot be made. After LIFETIME seconds the mirror
unmounts itself, so a test that died leaves no mount behind.
"""
import errno
import os
import subprocess
import sys
import threading
import time

BLOCK = 4096


def write_status(control, text):
    with open(os.path.join(control, "status.new"), "w") as f:
        f.write(text)
    os.replace(os.path.join(control, "status.new"), os.path.join(control, "status"))


def stall_limit(marker):
    """Seconds a read past the first block waits; None while the file does not stall."""
    try:
        with open(marker) as f:
            text = f.read().strip()
    except OSError:
        return None
    try:
        return float(text) if text else float("inf")
    except ValueError:
        return float("inf")


def make_mirror(fusepy, source, control):
    class Mirror(fusepy.Operations):
        use_ns = True

        def __init__(self):
            self.opened_lock = threading.Lock()

        def _full(self, path):
            return os.path.join(source, path.lstrip("/"))

        def init(self, path):
            write_status(control, "mounted %d" % os.getpid())

        def getattr(self, path, fh=None):
            try:
                st = os.lstat(self._full(path))
            except OSError as e:
                raise fusepy.FuseOSError(e.errno)
            keys = ("st_mode", "st_nlink", "st_size", "st_uid", "st_gid", "st_atime_ns", "st_mtime_ns", "st_ctime_ns")
            return {k.replace("_ns", ""): getattr(st, k) for k in keys}

        def readdir(self, path, fh):
            folder = path.strip("/")
            with self.opened_lock, open(os.path.join(control, "listed"), "a") as log:
                log.write("/" + folder + "\n")
            self._wait_while_stalled(os.path.join(control, "LISTING-" + folder.replace("/", "%") + ".stall"))
            return [".", ".."] + os.listdir(self._full(path))

        def open(self, path, flags):
            if flags & (os.O_WRONLY | os.O_RDWR):
                raise fusepy.FuseOSError(errno.EROFS)
            fd = os.open(self._full(path), os.O_RDONLY)
            with self.opened_lock, open(os.path.join(control, "opened"), "a") as log:
                log.write(path.lstrip("/") + "\n")
            return fd

        def read(self, path, size, offset, fh):
            name = path.lstrip("/")
            if offset >= BLOCK:
                self._wait_while_stalled(os.path.join(control, name + ".stall"))
            elif stall_limit(os.path.join(control, name + ".stall")) is not None:
                size = min(size, BLOCK - offset)  # the rest comes in a read that stalls
            return os.pread(fh, size, offset)

        def _wait_while_stalled(self, marker):
            start = time.monotonic()
            while True:
                limit = stall_limit(marker)
                if limit is None or time.monotonic() - start >= limit:
                    return
                time.sleep(0.05)

        def release(self, path, fh):
            os.close(fh)
            with self.opened_lock, open(os.path.join(control, "closed"), "a") as log:
                log.write(path.lstrip("/") + "\n")

        def statfs(self, path):
            st = os.statvfs(source)
            keys = ("f_bavail", "f_bfree", "f_blocks", "f_bsize", "f_favail", "f_ffree", "f_files", "f_frsize",
                    "f_namemax")
            return {k: getattr(st, k) for k in keys}

    return Mirror()


def unmount_after(mount, seconds):
    time.sleep(seconds)
    if subprocess.call(["umount", "-l", mount], stderr=subprocess.DEVNULL) != 0:
        subprocess.call(["fusermount3", "-u", "-z", mount], stderr=subprocess.DEVNULL)
    os._exit(0)


def main():
    source, mount, control, lifetime = sys.argv[1:5]
    # Nothing of the test's own output is held open (a test runner waits for it to close), and
    # libfuse's complaints go to the log.
    null = os.open(os.devnull, os.O_RDWR)
    os.dup2(null, 0)
    os.dup2(null, 1)
    os.dup2(os.open(os.path.join(control, "log"), os.O_WRONLY | os.O_CREAT | os.O_APPEND, 0o644), 2)
    try:
        import fusepy
    except (ImportError, OSError) as e:  # no python3-fusepy, or no libfuse2 for it to load
        write_status(control, "failed: %s" % e)
        return 1
    if not os.path.exists("/dev/fuse"):
        write_status(control, "failed: no /dev/fuse on this machine")
        return 1
    threading.Thread(target=unmount_after, args=(mount, float(lifetime)), daemon=True).start()
    try:
        fusepy.FUSE(make_mirror(fusepy, source, control), mount, foreground=True, nothreads=False, direct_io=True,
                    ro=True)
    except RuntimeError as e:
        write_status(control, "failed: mounting gave %s (see %s)" % (e, os.path.join(control, "log")))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
