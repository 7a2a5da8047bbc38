# Test FTP server on 127.0.0.1: serves ROOT read-only to USER/PASSWORD on a free port and prints
# the port on stdout once it listens.  Usage: ftp_server.py ROOT USER PASSWORD [HALF]
# With HALF, a download of the file of that name sends only the first half of its bytes and then
# reports the transfer complete (226), as a server that lost the data connection half-way would;
# its size (SIZE) stays the whole file's.
import logging
import os
import sys
import tempfile

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer

root, user, password = sys.argv[1:4]
half = sys.argv[4] if len(sys.argv) > 4 else None
scratch = tempfile.mkdtemp()


class Handler(FTPHandler):
    def ftp_RETR(self, file):
        if half and os.path.basename(file) == half:
            with open(file, "rb") as f:
                data = f.read()
            cut = os.path.join(scratch, half)
            with open(cut, "wb") as f:
                f.write(data[: len(data) // 2])
            file = cut
        return FTPHandler.ftp_RETR(self, file)


logging.basicConfig(level=logging.WARNING)
authorizer = DummyAuthorizer()
authorizer.add_user(user, password, root, perm="elr")
Handler.authorizer = authorizer
Handler.auth_failed_timeout = 0.01  # answer a wrong password at once
server = FTPServer(("127.0.0.1", 0), Handler)
print(server.socket.getsockname()[1], flush=True)
server.serve_forever()
