# A one-purpose HTTPS server on 127.0.0.1 for the PDF-request tests. It records each request
# (head and body, as received) and answers as the mode says:
#   ok     status 200 with a small PDF body      500    status 500 with a text body
#   empty  status 200 without a body             hang   never answers: holds the connection
#   reset  closes the connection with a reset            until the client gives up (120 s at most)
# Usage: topdf_server.py CERT KEY MODE OUTDIR   (prints the port, then serves until idle 600 s;
# prints "request N" once request N is recorded)
import re
import socket
import ssl
import struct
import sys

cert, key, mode, out = sys.argv[1:5]
ctx = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
ctx.load_cert_chain(cert, key)
srv = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
srv.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
srv.bind(("127.0.0.1", 0))
srv.listen(4)
srv.settimeout(600)
sys.stdout.write("%d\n" % srv.getsockname()[1])
sys.stdout.flush()

count = 0
while True:
    try:
        conn, _ = srv.accept()
    except socket.timeout:
        break
    conn.settimeout(30)
    try:
        s = ctx.wrap_socket(conn, server_side=True)
        data = b""
        while b"\r\n\r\n" not in data:
            chunk = s.recv(65536)
            if not chunk:
                break
            data += chunk
        head, _, body = data.partition(b"\r\n\r\n")
        m = re.search(rb"(?im)^content-length:\s*(\d+)", head)
        length = int(m.group(1)) if m else 0
        while len(body) < length:
            chunk = s.recv(65536)
            if not chunk:
                break
            body += chunk
    except (ssl.SSLError, OSError):
        conn.close()
        continue
    count += 1
    with open("%s/head%d.bin" % (out, count), "wb") as f:
        f.write(head)
    with open("%s/body%d.bin" % (out, count), "wb") as f:
        f.write(body)
    sys.stdout.write("request %d\n" % count)
    sys.stdout.flush()
    if mode == "hang":
        s.settimeout(120)
        try:
            while s.recv(65536):
                pass
        except (ssl.SSLError, OSError):
            pass
        s.close()
        continue
    if mode == "reset":
        # The TLS socket owns the connection (wrapping detached `conn`): closing it with a zero
        # linger time resets the connection.
        s.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
        s.close()
        continue
    status, answer = {"ok": (200, b"%PDF-1.4 converted"), "500": (500, b"conversion failed"),
                      "empty": (200, b"")}[mode]
    reason = b"OK" if status == 200 else b"Internal Server Error"
    s.sendall(b"HTTP/1.1 %d %s\r\nContent-Type: application/pdf\r\nContent-Length: %d\r\n"
              b"Connection: close\r\n\r\n" % (status, reason, len(answer)) + answer)
    s.close()
