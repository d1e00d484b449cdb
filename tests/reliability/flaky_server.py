#!/usr/bin/env python3
"""A weather service that misbehaves on a fixed plan, for the long run.

Listens on 127.0.0.1:80 inside a private network namespace.  Every connection
attempt of the program takes the next entry of the plan (plan.py): a reading,
an error page, a broken or oversized body, a hang, garbage, or a refusal.  For
a refusal the listening socket is closed; a packet socket on the loopback
device sees the refused SYNs, so refused attempts are counted too, and the
socket is opened again once the refused stretch of the plan is used up.

Logs one JSON line per attempt: time (CLOCK_MONOTONIC_RAW, the clock of the
program's QueryPerformanceCounter under Wine), plan index, kind, temperature,
bytes sent, and when the connection ended and who ended it."""
import argparse
import json
import os
import select
import socket
import struct
import threading
import time

import plan as plans

HEADER_TIMEOUT_S = 10
ETH_P_ALL = 0x0003
PACKET_HOST = 0


def now():
    return time.clock_gettime(time.CLOCK_MONOTONIC_RAW)


def reading_json(temp, pad=""):
    info = {"city": "北京", "cityid": "101010100", "temp": temp, "WD": "东南风", "WS": "2级",
            "SD": "30%", "WSE": "2", "time": "10:25", "isRadar": "1", "Radar": "JC_RADAR_AZ9010_JB"}
    if pad:
        info["pad"] = pad
    return json.dumps({"weatherinfo": info}, ensure_ascii=False, separators=(",", ":")).encode("utf-8")


def head(status, length):
    return (f"HTTP/1.1 {status}\r\nServer: nginx\r\nContent-Type: text/html\r\n"
            f"Content-Length: {length}\r\nConnection: close\r\n\r\n").encode("ascii")


def body_of(entry, index):
    """(bytes to send, announced length or None) for the answers that send something."""
    kind, temp = entry["kind"], entry.get("temp", "")
    if kind == "reading":
        b = reading_json(temp)
        return head("200 OK", len(b)) + b
    if kind == "404":
        b = b"<html><head><title>404 Not Found</title></head><body><h1>404 Not Found</h1></body></html>"
        return head("404 Not Found", len(b)) + b
    if kind == "truncated-early":      # cut before "temp", connection closed early
        b = reading_json("20")[:20]
        return head("200 OK", len(b) + 200) + b
    if kind == "truncated-late":       # cut after the wind, so the reading is whole
        full = reading_json(temp)
        b = full[:full.index("2级".encode()) + len("2级".encode()) + 1]
        return head("200 OK", len(full)) + b
    if kind == "empty":
        return head("200 OK", 0)
    if kind == "huge":                 # 2 MiB, the reading at the start
        b = reading_json(temp, "x" * (plans.HUGE_BYTES - len(reading_json(temp)) - 10))
        return head("200 OK", len(b)) + b
    if kind == "huge-late":            # 2 MiB, "temp" only after the first 1.5 MiB
        filler = b"y" * (plans.HUGE_BYTES * 3 // 4)
        b = filler + reading_json(temp)
        return head("200 OK", len(b)) + b
    if kind == "garbage":
        rnd = __import__("random").Random(index)
        b = bytes(rnd.randrange(256) for _ in range(600))
        return b.replace(b"temp", b"tmep")
    return b""


def wait_for_client_close(conn, seconds):
    """Holds the connection without sending; returns seconds until the client gave up, or None."""
    start = now()
    conn.settimeout(0.2)
    while now() - start < seconds:
        try:
            if conn.recv(4096) == b"":
                return now() - start
        except socket.timeout:
            continue
        except OSError:
            return now() - start
    return None


class Server:
    def __init__(self, plan, log_path, ready):
        self.plan = plan
        self.log_path = log_path
        self.ready = ready
        self.lock = threading.Lock()
        self.attempt = 0
        self.listener = None
        self.last_refused_syn = -1e9

    def log(self, record):
        with self.lock, open(self.log_path, "a", encoding="utf-8") as f:
            f.write(json.dumps(record, ensure_ascii=False) + "\n")

    def entry(self, index):
        return self.plan[index] if index < len(self.plan) else plans.after_plan(self.plan)

    def next_index(self):
        with self.lock:
            index = self.attempt
            self.attempt += 1
            return index

    def open_listener(self):
        s = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        s.bind(("127.0.0.1", 80))
        s.listen(16)
        self.listener = s

    def close_listener(self):
        if self.listener:
            self.listener.close()
            self.listener = None

    def refusing(self):
        return self.entry(self.attempt)["kind"] == "refused"

    def on_syn(self, t):
        """A SYN to port 80 while nothing listens is a refused attempt; a client
        that tries again at once is still the same attempt."""
        if self.listener is not None or t - self.last_refused_syn < 1.0:
            return
        self.last_refused_syn = t
        index = self.next_index()
        self.log({"t": t, "n": index, "kind": "refused", "end": t, "ended_by": "refused"})

    def serve(self, conn, t, index):
        entry = self.entry(index)
        kind = entry["kind"]
        record = {"t": t, "n": index, "kind": kind, "temp": entry.get("temp"), "sent": 0}
        try:
            conn.settimeout(HEADER_TIMEOUT_S)
            data = b""
            while b"\r\n\r\n" not in data and len(data) < 16384:
                chunk = conn.recv(4096)
                if not chunk:
                    break
                data += chunk
            record["request_line"] = data.split(b"\r\n", 1)[0].decode("latin-1")
            if kind in ("hang", "stall"):
                if kind == "stall":    # headers and the start of a body, then silence
                    part = head("200 OK", 500) + b'{"weatherinfo":{"ci'
                    conn.sendall(part)
                    record["sent"] = len(part)
                gave_up = wait_for_client_close(conn, plans.HANG_SECONDS)
                record["ended_by"] = "client" if gave_up is not None else "server"
            elif kind != "close":
                payload = body_of(entry, index)
                try:
                    conn.sendall(payload)
                    record["sent"] = len(payload)
                    record["ended_by"] = "server"
                except OSError:        # the program stopped reading (1 MiB cap)
                    record["ended_by"] = "client"
            else:
                record["ended_by"] = "server"
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
        raw = socket.socket(socket.AF_PACKET, socket.SOCK_RAW, socket.htons(ETH_P_ALL))
        raw.bind(("lo", 0))
        while True:
            frame, addr = raw.recvfrom(128)
            if addr[2] != PACKET_HOST or len(frame) < 14 + 20 + 14:
                continue
            ip = frame[14:]
            if ip[0] >> 4 != 4 or ip[9] != 6:
                continue
            tcp = ip[(ip[0] & 15) * 4:]
            dport = struct.unpack("!H", tcp[2:4])[0]
            flags = tcp[13]
            if dport == 80 and flags & 0x02 and not flags & 0x10:
                t = now()
                with self.lock:
                    listening = self.listener is not None
                if not listening:
                    self.on_syn(t)

    def run(self, lifetime):
        self.open_listener()
        threading.Thread(target=self.sniff, daemon=True).start()
        with open(self.ready, "w") as f:
            f.write(str(os.getpid()))
        deadline = now() + lifetime
        while now() < deadline:
            if self.listener is None:
                if not self.refusing():
                    with self.lock:
                        self.open_listener()
                time.sleep(0.05)
                continue
            readable, _, _ = select.select([self.listener], [], [], 0.5)
            if not readable:
                continue
            conn, _ = self.listener.accept()
            t = now()
            index = self.next_index()
            threading.Thread(target=self.serve, args=(conn, t, index), daemon=True).start()
            if self.refusing():
                with self.lock:
                    self.close_listener()


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--plan", required=True)
    parser.add_argument("--log", required=True)
    parser.add_argument("--ready", required=True)
    parser.add_argument("--lifetime", type=float, default=4 * 3600)
    args = parser.parse_args()
    with open(args.plan, encoding="utf-8") as f:
        plan = json.load(f)
    Server(plan, args.log, args.ready).run(args.lifetime)


if __name__ == "__main__":
    main()
