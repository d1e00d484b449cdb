#!/usr/bin/env python3
"""Scriptable stand-in for the weather service, for the end-to-end scenarios.

Listens on 127.0.0.1:80 (inside the scenario's private network namespace) and
answers each request from a scenario file, a JSON object
    {"mode": "sequence" | "cycle", "answers": [ANSWER, ...]}
re-read on every request so a scenario can change it while the program runs.
"sequence" consumes the answers in order and then repeats the last one;
"cycle" goes round them.  An ANSWER is one of
    {"kind": "reading", "temp": "9", "WD": "东南风", "WS": "2级", "city": "北京"}
    {"kind": "404"}
    {"kind": "truncated"}          Content-Length larger than the body sent, then close
    {"kind": "hang", "seconds": N} hold the connection N seconds, then close
    {"kind": "garbage"}            random bytes, no HTTP at all
    {"kind": "close"}              close without answering
Every request is logged as a JSON line with its CLOCK_MONOTONIC_RAW time (the
clock Wine's QueryPerformanceCounter follows), request line and headers.
"""
import argparse
import json
import os
import random
import socket
import threading
import time

MAX_REQUEST_BYTES = 16384
HEADER_TIMEOUT_S = 10


def monotonic_raw():
    return time.clock_gettime(time.CLOCK_MONOTONIC_RAW)


def reading_body(answer):
    info = {
        "city": answer.get("city", "北京"),
        "cityid": answer.get("cityid", "101010100"),
        "temp": str(answer.get("temp", "9")),
        "WD": answer.get("WD", "东南风"),
        "WS": answer.get("WS", "2级"),
        "SD": answer.get("SD", "30%"),
        "WSE": "2",
        "time": answer.get("time", "10:25"),
        "isRadar": "1",
        "Radar": "JC_RADAR_AZ9010_JB",
    }
    return json.dumps({"weatherinfo": info}, ensure_ascii=False, separators=(",", ":")).encode("utf-8")


def http_response(status, body, content_length=None, content_type="text/html"):
    length = len(body) if content_length is None else content_length
    head = (f"HTTP/1.1 {status}\r\nServer: nginx\r\nContent-Type: {content_type}\r\n"
            f"Content-Length: {length}\r\nConnection: close\r\n\r\n")
    return head.encode("ascii") + body


class Script:
    """The scenario's answers, re-read from disk on every request."""

    def __init__(self, path):
        self.path = path
        self.served = 0
        self.lock = threading.Lock()

    def next_answer(self):
        with self.lock:
            try:
                with open(self.path, encoding="utf-8") as f:
                    script = json.load(f)
            except (OSError, ValueError):
                script = {"answers": [{"kind": "404"}]}
            answers = script.get("answers") or [{"kind": "404"}]
            if script.get("mode") == "cycle":
                answer = answers[self.served % len(answers)]
            else:
                answer = answers[min(self.served, len(answers) - 1)]
            index = self.served
            self.served += 1
            return index, answer


def read_request(conn):
    conn.settimeout(HEADER_TIMEOUT_S)
    data = b""
    while b"\r\n\r\n" not in data and len(data) < MAX_REQUEST_BYTES:
        chunk = conn.recv(4096)
        if not chunk:
            break
        data += chunk
    head = data.split(b"\r\n\r\n", 1)[0].decode("latin-1")
    lines = head.split("\r\n")
    headers = {}
    for line in lines[1:]:
        if ":" in line:
            k, v = line.split(":", 1)
            headers[k.strip()] = v.strip()
    return lines[0] if lines else "", headers


def serve_one(conn, peer, script, log):
    t = monotonic_raw()
    try:
        request_line, headers = read_request(conn)
    except OSError:
        request_line, headers = "", {}
    index, answer = script.next_answer()
    kind = answer.get("kind", "reading")
    log({"t": t, "n": index, "peer": f"{peer[0]}:{peer[1]}", "request_line": request_line,
         "headers": headers, "answer": kind})
    try:
        if kind == "reading":
            conn.sendall(http_response("200 OK", reading_body(answer)))
        elif kind == "404":
            body = b"<html><head><title>404 Not Found</title></head><body><h1>404 Not Found</h1></body></html>"
            conn.sendall(http_response("404 Not Found", body))
        elif kind == "truncated":
            body = reading_body(answer)[:20]
            conn.sendall(http_response("200 OK", body, content_length=len(body) + 200))
        elif kind == "hang":
            time.sleep(min(float(answer.get("seconds", 30)), 300))
        elif kind == "garbage":
            rnd = random.Random(index)
            conn.sendall(bytes(rnd.randrange(256) for _ in range(int(answer.get("bytes", 300)))))
        # "close": nothing to send
    except OSError:
        pass
    finally:
        try:
            conn.shutdown(socket.SHUT_RDWR)
        except OSError:
            pass
        conn.close()


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--script", required=True, help="scenario answers (JSON)")
    parser.add_argument("--log", required=True, help="request log (JSON lines)")
    parser.add_argument("--host", default="127.0.0.1")
    parser.add_argument("--port", type=int, default=80)
    parser.add_argument("--lifetime", type=float, default=3600, help="exit after this many seconds")
    parser.add_argument("--ready", help="file created once listening")
    args = parser.parse_args()

    script = Script(args.script)
    log_lock = threading.Lock()

    def log(record):
        with log_lock, open(args.log, "a", encoding="utf-8") as f:
            f.write(json.dumps(record, ensure_ascii=False) + "\n")

    srv = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    srv.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    srv.bind((args.host, args.port))
    srv.listen(16)
    srv.settimeout(1.0)
    if args.ready:
        with open(args.ready, "w") as f:
            f.write(str(os.getpid()))
    deadline = monotonic_raw() + args.lifetime
    while monotonic_raw() < deadline:
        try:
            conn, peer = srv.accept()
        except socket.timeout:
            continue
        threading.Thread(target=serve_one, args=(conn, peer, script, log), daemon=True).start()
    srv.close()


if __name__ == "__main__":
    main()
