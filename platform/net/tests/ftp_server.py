# Test FTP server on 127.0.0.1: serves ROOT read-only to USER/PASSWORD on a free port and prints
# the port on stdout once it listens.  Usage: ftp_server.py ROOT USER PASSWORD
import logging
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer

root, user, password = sys.argv[1:4]
logging.basicConfig(level=logging.WARNING)
authorizer = DummyAuthorizer()
authorizer.add_user(user, password, root, perm="elr")
FTPHandler.authorizer = authorizer
FTPHandler.auth_failed_timeout = 0.01  # answer a wrong password at once
server = FTPServer(("127.0.0.1", 0), FTPHandler)
print(server.socket.getsockname()[1], flush=True)
server.serve_forever()
