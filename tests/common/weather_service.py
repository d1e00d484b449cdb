#!/usr/bin/env python3
"""The stand-in for the weather service, for every test that needs one: the end-to-end
scenarios, the long run, the beside-floor run and the benchmark (the heap soak reads the same
plans on the host doubles).

Listens on port 80 of its address inside a private network namespace (127.0.0.1, where the
scenarios map the weather service's host; the live document's host gets an instance of its
own, on 127.0.0.2) and answers every connection attempt with the next answer of its script,
re-read whenever it changes, so a scenario can change it while the program runs: either a
JSON object
    {"mode": "sequence" | "cycle", "answers": [ANSWER, ...]}
or a plan, a TSV file written by weather_plan.py (columns kind, temp, expect).  "sequence"
(and a plan) takes the answers in order and then repeats the last one; "cycle" goes round.
An ANSWER is {"kind": KIND, ...}, where "temp", "WD", "WS", "city", "cityid", "SD" and
"time" fill the reading and "seconds" bounds a hang.  The kinds:
    reading          status 200, a whole weather document
    frozen           the same with the reading the service's document has shown for years:
                     27.9 degrees, 南风, 小于3级, at 17:55
    live             the live document: one line of script, var dataSK={...}, filled from
                     temp, WD, WS and time; a request without the service's own Referer gets
                     a "403 Forbidden" page instead, as the real service answers
    live-999         the live document with temp 999, the service's "no data"
    forbidden        a "403 Forbidden" page, whatever the request's headers
    truncated-late   the document cut after the wind (the reading is whole), Content-Length
                     the whole one's
    huge             2 MiB, the reading at the start
    huge-late        2 MiB, the reading only after the first 1.5 MiB
    404              a "404 Not Found" page
    503, portal      a "temporarily unavailable" page, with status 503, and with status 200
                     as a captive portal serves it
    object           an empty JSON object {}
    login            a hotel network's login page: "temp" in its prose, no weather key
    empty            status 200, no body
    truncated        a body cut before "temp", 200 bytes short of its Content-Length
    garbage          600 random bytes (never spelling "temp"), no HTTP at all
    close            the connection closed without an answer
    hang             nothing sent for "seconds" (default 15, beyond the program's time-outs)
    stall            headers and the start of a body, then nothing, as a hang
    refused          nothing listens: the SYNs to its address and port that a packet socket
                     sees on the loopback are counted as the attempt
Logs one JSON line per attempt when it ends: its start "t" (CLOCK_MONOTONIC_RAW, the clock
Wine's QueryPerformanceCounter follows), "n", "kind", "temp", "request_line", "headers" (in
the order sent), bytes "sent", "end" and who ended it ("ended_by": server, client or
refused)."""
import argparse
import json
import os
import random
import select
import socket
import struct
import threading
import time

import weather_plan

HEADER_TIMEOUT_S = 10
HANG_SECONDS = 15
HUGE_BYTES = 2 * 1024 * 1024
UNAVAILABLE = (b"<html><head><title>503 Service Temporarily Unavailable</title></head><body><h1>Service "
               b"Temporarily Unavailable</h1><p>The server is temporarily unable to service your request. "
               b"Please try again later.</p></body></html>")
LOGIN = ("<html><head><title>Grand Harbour Hotel - Guest Wi-Fi</title></head><body><h1>Welcome</h1>"
         "<p>Internet access is temporarily limited to the hotel's own pages. Enter your room number and "
         "the temporary access code printed on your key card.</p><form method=\"post\" action=\"/login\">"
         "<input name=\"room\"><input name=\"temp_code\" type=\"password\"><button>Connect</button>"
         "</form><p>Pool temperature today: 27 degrees.</p></body></html>").encode("ascii")
FORBIDDEN = (b"<html><head><title>403 Forbidden</title></head><body><center><h1>403 Forbidden</h1></center>"
             b"<hr><center>nginx</center></body></html>")
PAGES = {"404": ("404 Not Found", b"<html><head><title>404 Not Found</title></head><body><h1>404 Not Found"
                                  b"</h1></body></html>"),
         "503": ("503 Service Unavailable", UNAVAILABLE), "portal": ("200 OK", UNAVAILABLE),
         "object": ("200 OK", b"{}"), "login": ("200 OK", LOGIN), "empty": ("200 OK", b""),
         "forbidden": ("403 Forbidden", FORBIDDEN)}
# Kinds that are another kind with fixed values.
FIXED = {"frozen": ("reading", {"temp": "27.9", "WD": "南风", "WS": "小于3级", "time": "17:55"}),
         "live-999": ("live", {"temp": "999"})}
LIVE_REFERER = "http://www.weather.com.cn/"
ETH_P_ALL = 0x0003
PACKET_HOST = 0


def now():
    return time.clock_gettime(time.CLOCK_MONOTONIC_RAW)


def reading_body(answer, pad=""):
    info = {"city": answer.get("city", "北京"), "cityid": answer.get("cityid", "101010100"),
            "temp": str(answer.get("temp", "9")), "WD": answer.get("WD", "东南风"),
            "WS": answer.get("WS", "2级"), "SD": answer.get("SD", "30%"), "WSE": "2",
            "time": answer.get("time", "10:25"), "isRadar": "1", "Radar": "JC_RADAR_AZ9010_JB"}
    if pad:
        info["pad"] = pad
    return json.dumps({"weatherinfo": info}, ensure_ascii=False, separators=(",", ":")).encode("utf-8")


def live_body(answer):
    temp = str(answer.get("temp", "3.4"))
    try:
        fahrenheit = temp if temp == "999" else f"{float(temp) * 1.8 + 32:.1f}"
    except ValueError:
        fahrenheit = temp
    info = {"nameen": "beijing", "cityname": answer.get("city", "北京"), "city": answer.get("cityid", "101010100"),
            "temp": temp, "tempf": fahrenheit, "WD": answer.get("WD", "西北风"), "WS": answer.get("WS", "2级"),
            "wse": "9km/h", "SD": answer.get("SD", "41%"), "time": answer.get("time", "14:35"), "aqi": "61",
            "weather": "晴", "date": "12月09日(星期三)"}
    return ("var dataSK=" + json.dumps(info, ensure_ascii=False, separators=(",", ":"))).encode("utf-8")


def head(status, length):
    return (f"HTTP/1.1 {status}\r\nServer: nginx\r\nContent-Type: text/html\r\n"
            f"Content-Length: {length}\r\nConnection: close\r\n\r\n").encode("ascii")


def payload(answer, index, headers):
    """The bytes an answer sends, for the kinds that send something at once."""
    kind = answer.get("kind", "reading")
    if kind == "live" and not headers.get("referer", "").startswith(LIVE_REFERER):
        kind = "forbidden"
    if kind in PAGES:
        status, body = PAGES[kind]
        return head(status, len(body)) + body
    if kind == "reading":
        body = reading_body(answer)
        return head("200 OK", len(body)) + body
    if kind == "live":
        body = live_body(answer)
        return head("200 OK", len(body)) + body
    if kind == "truncated-late":
        full = reading_body(answer)
        return head("200 OK", len(full)) + full[:full.index("2级".encode()) + len("2级".encode()) + 1]
    if kind == "huge":
        body = reading_body(answer, "x" * (HUGE_BYTES - len(reading_body(answer)) - 10))
        return head("200 OK", len(body)) + body
    if kind == "huge-late":
        body = b"y" * (HUGE_BYTES * 3 // 4) + reading_body(answer)
        return head("200 OK", len(body)) + body
    if kind == "truncated":
        body = reading_body({"temp": "20"})[:20]
        return head("200 OK", len(body) + 200) + body
    if kind == "garbage":
        rnd = random.Random(index)
        return bytes(rnd.randrange(256) for _ in range(600)).replace(b"temp", b"tmep")
    return b""


def wait_for_client_close(conn, seconds):
    """Holds the connection without sending; True when the client gave up first."""
    end = now() + seconds
    conn.settimeout(0.2)
    while now() < end:
        try:
            if conn.recv(4096) == b"":
                return True
        except socket.timeout:
            continue
        except OSError:
            return True
    return False


class Script:
    """The answers, read again whenever the file changes."""

    def __init__(self, path):
        self.path, self.stamp, self.mode, self.answers = path, None, "sequence", [{"kind": "404"}]

    def answer(self, index):
        try:
            st = os.stat(self.path)
            if (st.st_ino, st.st_mtime_ns, st.st_size) != self.stamp:
                if self.path.endswith(".tsv"):
                    self.mode, self.answers = "sequence", weather_plan.read(self.path)
                else:
                    with open(self.path, encoding="utf-8") as f:
                        script = json.load(f)
                    self.mode, self.answers = script.get("mode"), script.get("answers") or [{"kind": "404"}]
                self.stamp = (st.st_ino, st.st_mtime_ns, st.st_size)
        except (OSError, ValueError):
            self.stamp, self.mode, self.answers = None, "sequence", [{"kind": "404"}]
        if self.mode == "cycle":
            return self.answers[index % len(self.answers)]
        return self.answers[min(index, len(self.answers) - 1)]


class Server:
    def __init__(self, script, log_path, address):
        self.script = script
        self.address = address
        self.log_path = log_path
        self.lock = threading.Lock()
        self.attempt = 0
        self.listener = None
        self.sniffing = False
        self.last_refused_syn = -1e9

    def log(self, record):
        with self.lock, open(self.log_path, "a", encoding="utf-8") as f:
            f.write(json.dumps(record, ensure_ascii=False) + "\n")

    def next_index(self):
        with self.lock:
            self.attempt += 1
            return self.attempt - 1

    def refusing(self):
        return self.script.answer(self.attempt).get("kind") == "refused"

    def serve(self, conn, t, index):
        answer = self.script.answer(index)
        kind = answer.get("kind", "reading")
        if kind in FIXED:
            answer = dict(answer, kind=FIXED[kind][0], **FIXED[kind][1])
        record = {"t": t, "n": index, "kind": kind, "temp": answer.get("temp"), "sent": 0,
                  "request_line": "", "headers": {}, "ended_by": "server"}
        try:
            conn.settimeout(HEADER_TIMEOUT_S)
            data = b""
            while b"\r\n\r\n" not in data and len(data) < 16384:
                chunk = conn.recv(4096)
                if not chunk:
                    break
                data += chunk
            lines = data.split(b"\r\n\r\n", 1)[0].decode("latin-1").split("\r\n")
            record["request_line"] = lines[0]
            for name, _, value in (line.partition(":") for line in lines[1:] if ":" in line):
                # A header sent twice shows as one with both values, as HTTP reads it.
                seen = record["headers"].get(name.strip())
                record["headers"][name.strip()] = value.strip() if seen is None else f"{seen}, {value.strip()}"
            if kind == "stall":
                part = head("200 OK", 500) + b'{"weatherinfo":{"ci'
                conn.sendall(part)
                record["sent"] = len(part)
            if kind in ("hang", "stall"):
                if wait_for_client_close(conn, float(answer.get("seconds", HANG_SECONDS))):
                    record["ended_by"] = "client"
            else:
                data = payload(answer, index, {k.lower(): v for k, v in record["headers"].items()})
                try:
                    conn.sendall(data)
                    record["sent"] = len(data)
                except OSError:        # the program stopped reading (its 1 MiB cap)
                    record["ended_by"] = "client"
        except OSError as e:
            record["error"] = str(e)
        finally:
            try:
                conn.shutdown(socket.SHUT_RDWR)
            except OSError:
                pass
            conn.close()
            record["end"] = now()
            self.log(record)

    def sniff(self):
        """A SYN to our address and port 80 while nothing listens is a refused attempt; a client
        that tries again within a second is still the same attempt."""
        own = socket.inet_aton(self.address)
        raw = socket.socket(socket.AF_PACKET, socket.SOCK_RAW, socket.htons(ETH_P_ALL))
        raw.bind(("lo", 0))
        while True:
            frame, addr = raw.recvfrom(128)
            if addr[2] != PACKET_HOST or len(frame) < 14 + 20 + 14:
                continue
            ip = frame[14:]
            if ip[0] >> 4 != 4 or ip[9] != 6 or ip[16:20] != own:
                continue
            tcp = ip[(ip[0] & 15) * 4:]
            flags = tcp[13]
            if struct.unpack("!H", tcp[2:4])[0] != 80 or not flags & 0x02 or flags & 0x10:
                continue
            t = now()
            with self.lock:
                if self.listener is not None or t - self.last_refused_syn < 1.0:
                    continue
                self.last_refused_syn = t
            index = self.next_index()
            self.log({"t": t, "n": index, "kind": "refused", "end": t, "ended_by": "refused"})

    def run(self, lifetime, ready):
        """Listens while the next attempt is to be answered, and not while it is to be refused."""
        deadline = now() + lifetime
        while now() < deadline:
            refusing = self.refusing()
            with self.lock:
                if refusing and self.listener:
                    self.listener.close()
                    self.listener = None
                elif not refusing and self.listener is None:
                    self.listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
                    self.listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
                    self.listener.bind((self.address, 80))
                    self.listener.listen(16)
            if ready and not os.path.exists(ready):
                with open(ready, "w") as f:
                    f.write(str(os.getpid()))
            if refusing:
                if not self.sniffing:
                    self.sniffing = True
                    threading.Thread(target=self.sniff, daemon=True).start()
                time.sleep(0.05)
            elif select.select([self.listener], [], [], 0.5)[0]:
                conn, _ = self.listener.accept()
                args = (conn, now(), self.next_index())
                threading.Thread(target=self.serve, args=args, daemon=True).start()


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--script", required=True, help="the answers: JSON, or a TSV plan")
    parser.add_argument("--log", required=True, help="one JSON line per attempt")
    parser.add_argument("--ready", help="file created once listening")
    parser.add_argument("--address", default="127.0.0.1", help="the loopback address to listen on")
    parser.add_argument("--lifetime", type=float, default=3600, help="exit after this many seconds")
    args = parser.parse_args()
    Server(Script(args.script), args.log, args.address).run(args.lifetime, args.ready)


if __name__ == "__main__":
    main()
