# A one-purpose HTTPS server on 127.0.0.1 for the PDF-request tests. It records each request
# (head and body, as received) and answers as the mode says:
#   ok     status 200 with a small PDF body      500    status 500 with a text body
#   empty  status 200 without a body             hang   never answers (the client times out)
#   reset  closes the connection with a reset
# Usage: topdf_server.py CERT KEY MODE OUTDIR   (prints the port, then serves until idle 60 s)
import re
import socket
import ssl
import struct
import sys
import time

cert, key, mode, out = sys.argv[1:5]
ctx = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
ctx.load_cert_chain(cert, key)
srv = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
srv.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
srv.bind(("127.0.0.1", 0))
srv.listen(4)
srv.settimeout(60)
print(srv.getsockname()[1], flush=True)

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
    if mode == "hang":
        time.sleep(30)
        s.close()
        continue
    if mode == "reset":
        s.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
        conn.close()
        continue
    status, answer = {"ok": (200, b"%PDF-1.4 converted"), "500": (500, b"conversion failed"),
                      "empty": (200, b"")}[mode]
    reason = b"OK" if status == 200 else b"Internal Server Error"
    s.sendall(b"HTTP/1.1 %d %s\r\nContent-Type: application/pdf\r\nContent-Length: %d\r\n"
              b"Connection: close\r\n\r\n" % (status, reason, len(answer)) + answer)
    s.close()
