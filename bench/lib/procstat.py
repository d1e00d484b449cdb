"""Processor time and memory of Wine processes, read from Linux /proc.

CPU: the process's CPU-time clock (every thread of the process, ended ones
included), in seconds to the nanosecond; utime + stime of /proc/PID/stat, which
counts in 10-ms ticks, where that clock cannot be read.  Memory: VmRSS and
RssAnon of /proc/PID/status and the private pages (Private_Clean +
Private_Dirty) of /proc/PID/smaps_rollup, in KiB."""
import os
import time

CLK_TCK = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid):
    if pid is None:
        return None
    # Linux's clock id of a process's CPU time: the pid inverted, shifted past
    # the clock type bits, and CPUCLOCK_SCHED (2), the scheduler's exact sum.
    try:
        return time.clock_gettime(((~pid) << 3) | 2)
    except (OSError, OverflowError):
        pass
    try:
        with open(f"/proc/{pid}/stat") as f:
            fields = f.read().rsplit(")", 1)[1].split()
    except OSError:
        return None
    # After the command name: state is field 0, utime 11, stime 12.
    return (int(fields[11]) + int(fields[12])) / CLK_TCK


def memory_kib(pid):
    out = {}
    try:
        with open(f"/proc/{pid}/status") as f:
            for line in f:
                key, _, value = line.partition(":")
                if key in ("VmRSS", "RssAnon", "RssFile", "VmSize"):
                    out[key] = int(value.split()[0])
        with open(f"/proc/{pid}/smaps_rollup") as f:
            for line in f:
                key, _, value = line.partition(":")
                if key in ("Pss", "Private_Clean", "Private_Dirty"):
                    out[key] = int(value.split()[0])
    except OSError:
        return None
    out["Private"] = out.get("Private_Clean", 0) + out.get("Private_Dirty", 0)
    return out


def private_by_mapping(pid, top=12):
    """Private KiB per mapped file (anonymous memory as "[anon]"), largest first."""
    sizes, name = {}, None
    try:
        with open(f"/proc/{pid}/smaps") as f:
            for line in f:
                head = line.split()
                if head and "-" in head[0] and ":" not in head[0]:
                    name = head[5] if len(head) > 5 else "[anon]"
                    name = name.rsplit("/", 1)[-1]
                elif head and head[0] in ("Private_Clean:", "Private_Dirty:"):
                    sizes[name] = sizes.get(name, 0) + int(head[1])
    except OSError:
        return []
    return sorted(((k, v) for k, v in sizes.items() if v), key=lambda kv: -kv[1])[:top]


def cmdline(pid):
    try:
        with open(f"/proc/{pid}/cmdline", "rb") as f:
            return [p.decode("utf-8", "replace") for p in f.read().split(b"\0") if p]
    except OSError:
        return []


def pids_running(image_name):
    """Processes whose first command-line words name the Windows image (case ignored)."""
    name = image_name.lower()
    found = []
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            words = cmdline(int(entry))[:2]
            if any(w.lower().replace("/", "\\").endswith("\\" + name) or w.lower() == name
                   for w in words):
                found.append(int(entry))
    return found


def wine_processes():
    """Every Windows-side process (its command line starts with a drive path)."""
    found = {}
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            words = cmdline(int(entry))
            if words and len(words[0]) > 2 and words[0][1] == ":":
                found[int(entry)] = words[0]
    return found
