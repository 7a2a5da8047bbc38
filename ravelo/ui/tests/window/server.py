"""The window tests' own servers on 127.0.0.1: the results page (web route) and the draw
archive (FTP route). Each answers as the test sets it, good or broken, on a free port."""

import http.server
import os
import socketserver
import threading

ARCHIV = "dorov_zahlen.txt"


def ergebnisseite(zeilen):
    """A results page whose draw block holds zeilen."""
    return ("<html><head><title>Lottozahlen</title></head><body>\n<pre>\n<zahlen>\n" +
            "".join(z + "\n" for z in zeilen) + "</zahlen>\n</pre>\n</body></html>\n").encode("utf-8")


class Webserver:
    """Serves /ftp/dorov_zahlen.html as set by antwort(status, body); counts the requests."""

    def __init__(self):
        self.status, self.body = 404, b"<html><body>nicht gefunden</body></html>"
        self.abbrechen = False
        self.anfragen = 0
        server = self

        class Handler(http.server.BaseHTTPRequestHandler):
            def log_message(self, *args):
                pass

            def do_GET(self):
                server.anfragen += 1
                status, body = (server.status, server.body) if self.path.startswith(
                    "/ftp/dorov_zahlen.html") else (404, b"<html><body>nicht gefunden</body></html>")
                self.send_response(status)
                self.send_header("Content-Type", "text/html; charset=utf-8")
                self.send_header("Content-Length", str(len(body)))
                self.end_headers()
                if server.abbrechen:  # the connection drops half-way through the page
                    self.wfile.write(body[:len(body) // 2])
                    self.wfile.flush()
                    self.close_connection = True
                    return
                self.wfile.write(body)

        self.httpd = socketserver.ThreadingTCPServer(("127.0.0.1", 0), Handler)
        self.httpd.daemon_threads = True
        self.port = self.httpd.server_address[1]
        threading.Thread(target=self.httpd.serve_forever, daemon=True).start()

    @property
    def host(self):
        return "127.0.0.1:%d" % self.port

    def antwort(self, status, body, abbrechen=False):
        self.status, self.body, self.abbrechen = status, body, abbrechen

    def beenden(self):
        self.httpd.shutdown()
        self.httpd.server_close()


class FTPServer:
    """Serves the files of a folder to the program's user; abbrechen=True drops every data
    connection half-way through and still answers 226, as a broken server does."""

    def __init__(self, ordner, benutzer="vov8eva", passwort="vov8eva"):
        from pyftpdlib.authorizers import DummyAuthorizer
        from pyftpdlib.handlers import FTPHandler
        from pyftpdlib.servers import ThreadedFTPServer

        self.ordner = ordner
        self.abbrechen = False
        self.abrufe = 0
        server = self

        class Handler(FTPHandler):
            def ftp_RETR(self, file):
                server.abrufe += 1
                if not server.abbrechen:
                    return FTPHandler.ftp_RETR(self, file)
                with open(file, "rb") as f:
                    daten = f.read()
                self.push_dtp_data(daten[:len(daten) // 2], isproducer=False, cmd="RETR")
                return file

        autorisierung = DummyAuthorizer()
        autorisierung.add_user(benutzer, passwort, ordner, perm="elr")
        Handler.authorizer = autorisierung
        Handler.auth_failed_timeout = 0.01
        self.ftpd = ThreadedFTPServer(("127.0.0.1", 0), Handler)
        self.port = self.ftpd.socket.getsockname()[1]
        threading.Thread(target=self.ftpd.serve_forever, kwargs={"handle_exit": False}, daemon=True).start()

    def datei(self, name, inhalt):
        """Sets a file the server offers; None removes it."""
        pfad = os.path.join(self.ordner, name)
        if inhalt is None:
            if os.path.exists(pfad):
                os.remove(pfad)
        else:
            with open(pfad, "wb") as f:
                f.write(inhalt)

    def beenden(self):
        self.ftpd.close_all()
