#!/usr/bin/env python3
"""The device tests' FTP server: serves one folder on the loopback interface as a
terminal does (logins "anonymous" and "admin"), on a free port that it prints on
its first line. On request it misbehaves as a hostile or failing terminal might:

  --refuse-anonymous   only "admin" may log in
  --hostile            every listing also offers "../x", an absolute name and a
                       name with a backslash
  --drop-after NAME    sends half of the file NAME, then drops the connection
  --endless NAME       the listing of the folder NAME never ends
  --drip NAME          the listing of the folder NAME comes a byte a second
"""
import argparse
import os
import sys
import threading
import time

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.filesystems import AbstractedFS
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer

HOSTILE_LINES = [
    "-rw-r--r--   1 owner    group           5 Mar 01 08:00 ../x",
    "-rw-r--r--   1 owner    group           5 Mar 01 08:00 /tmp/ondrava-hostile-absolute",
    "drwxr-xr-x   2 owner    group        4096 Mar 01 08:00 ..\\escape",
]


class HalfFile:
    """A file that ends halfway."""

    def __init__(self, file):
        self._file = file
        self._left = os.fstat(file.fileno()).st_size // 2
        self.name = file.name
        self.closed = False

    def read(self, size=-1):
        if self._left <= 0:
            return b""
        data = self._file.read(min(size if size >= 0 else self._left, self._left))
        self._left -= len(data)
        return data

    def close(self):
        self.closed = True
        self._file.close()


def make_handler(options):
    class TerminalFS(AbstractedFS):
        def format_list(self, basedir, listing, ignore_err=True):
            folder = os.path.basename(os.path.normpath(basedir))
            if folder == options.drip:
                # Blocks the server between bytes: the client must give up.
                for line in super().format_list(basedir, listing, ignore_err):
                    for byte in line:
                        time.sleep(1)
                        yield bytes([byte])
                return
            yield from super().format_list(basedir, listing, ignore_err)
            if options.hostile:
                for line in HOSTILE_LINES:
                    yield (line + "\r\n").encode("utf8")
            if folder == options.endless:
                number = 0
                while True:
                    number += 1
                    yield ("-rw-r--r--   1 owner    group           5 Mar 01 08:00 more%d\r\n" % number).encode()

        def open(self, filename, mode):
            file = super().open(filename, mode)
            if options.drop_after and os.path.basename(filename) == options.drop_after:
                return HalfFile(file)
            return file

    class TerminalHandler(FTPHandler):
        abstracted_fs = TerminalFS
        use_gmt_times = True
        # Refused logins answer at once: the tests try several in a row.
        auth_failed_timeout = 0

        def on_file_sent(self, file):
            if options.drop_after and os.path.basename(file) == options.drop_after:
                self.close()

    authorizer = DummyAuthorizer()
    authorizer.add_user("admin", "804317", options.root, perm="elr")
    if not options.refuse_anonymous:
        authorizer.add_anonymous(options.root, perm="elr")
    TerminalHandler.authorizer = authorizer
    return TerminalHandler


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--refuse-anonymous", action="store_true")
    parser.add_argument("--hostile", action="store_true")
    parser.add_argument("--drop-after", default="")
    parser.add_argument("--endless", default="")
    parser.add_argument("--drip", default="")
    options = parser.parse_args()
    import logging
    logging.basicConfig(level=logging.ERROR)
    server = FTPServer(("127.0.0.1", 0), make_handler(options))
    print(server.socket.getsockname()[1], flush=True)
    # Ends with the test: its end of our stdin closes when the test process goes,
    # however it goes.
    def watch_stdin():
        sys.stdin.buffer.read()
        os._exit(0)
    threading.Thread(target=watch_stdin, daemon=True).start()
    server.serve_forever(timeout=0.2, blocking=True)


if __name__ == "__main__":
    sys.exit(main())
