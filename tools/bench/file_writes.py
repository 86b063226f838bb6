"""Counts the times a file is written, through Linux's inotify: a new file
moved into its place, or the file itself modified and closed. Under Wine a
rename is carried out by the wineserver rather than the program's own
process, which this sees as well."""
import ctypes
import os
import struct

IN_MODIFY = 0x002
IN_CLOSE_WRITE = 0x008
IN_MOVED_TO = 0x080
IN_CREATE = 0x100
_EVENT = struct.Struct("iIII")

_libc = ctypes.CDLL(None, use_errno=True)


class FileWrites:
    """Watches the folder of `path` from creation to close()."""

    def __init__(self, path):
        self.name = os.path.basename(path).encode()
        self.fd = _libc.inotify_init1(os.O_NONBLOCK | os.O_CLOEXEC)
        if self.fd < 0:
            raise OSError(ctypes.get_errno(), "inotify_init1")
        mask = IN_MODIFY | IN_CLOSE_WRITE | IN_MOVED_TO | IN_CREATE
        if _libc.inotify_add_watch(self.fd, os.path.dirname(path).encode(), mask) < 0:
            error = ctypes.get_errno()
            os.close(self.fd)
            raise OSError(error, "inotify_add_watch " + os.path.dirname(path))
        self.writes = 0
        self._modified = False

    def count(self):
        """The writes seen so far."""
        while True:
            try:
                data = os.read(self.fd, 65536)
            except BlockingIOError:
                return self.writes
            at = 0
            while at < len(data):
                _, mask, _, length = _EVENT.unpack_from(data, at)
                name = data[at + _EVENT.size:at + _EVENT.size + length].rstrip(b"\0")
                at += _EVENT.size + length
                if name == self.name:
                    self._take(mask)

    def _take(self, mask):
        if mask & IN_MOVED_TO:
            self.writes += 1
        if mask & (IN_MODIFY | IN_CREATE):
            self._modified = True
        if mask & IN_CLOSE_WRITE and self._modified:
            self.writes += 1
            self._modified = False

    def close(self):
        os.close(self.fd)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()
