"""The long run's plan: which answer each connection attempt gets.

Readings and faults alternate; the faults are shuffled with a fixed seed so a
run can be repeated.  Each entry is {"kind": ..., "temp": text, "expect":
whole degrees the program should read, or None when nothing may be coloured}."""
import random

HUGE_BYTES = 2 * 1024 * 1024
HANG_SECONDS = 15          # longer than the program's 10 s time-outs
LOW, HIGH = -5, 35         # the scale written to config.ini
REFUSED_STRETCH = 5        # attempts per refused period

# Faults per 500 attempts; the rest are readings.
FAULTS_PER_500 = {"404": 30, "truncated-early": 25, "empty": 25, "garbage": 25, "close": 20,
                  "huge-late": 10, "hang": 12, "stall": 8, "truncated-late": 10, "huge": 10}
REFUSED_PERIODS_PER_500 = 8
# Odd texts and what the number rule makes of them.
ODD_TEMPS = [("12.7", 12), ("-3", -3), ("-5.5", -5), ("１８", 18), ("暂无实况", 0), ("", 0),
             ("2e1", 20), (" 7", 7), ("40", 40), ("-15", -15)]
# Answers that carry a whole reading the program must colour.
COLOURED = {"reading", "truncated-late", "huge"}


def make(count, seed=20240611):
    rnd = random.Random(seed)
    scale = count / 500
    faults = []
    for kind, n in FAULTS_PER_500.items():
        faults += [kind] * max(1, round(n * scale))
    faults += ["refused-period"] * max(1, round(REFUSED_PERIODS_PER_500 * scale))
    rnd.shuffle(faults)
    temp = 15
    odd = 0
    entries = []

    def reading(kind="reading"):
        nonlocal temp, odd
        if rnd.random() < 0.06:            # now and then an odd text or a jump
            text, value = ODD_TEMPS[odd % len(ODD_TEMPS)]
            odd += 1
        else:
            value = max(-12, min(42, temp + rnd.randint(-3, 3)))
            text = str(value)
        temp = value
        return {"kind": kind, "temp": text, "expect": value}

    fault_iter = iter(faults)
    while len(entries) < count:
        entries.append(reading())
        kind = next(fault_iter, None)
        if kind is None:
            continue
        if kind == "refused-period":
            entries += [{"kind": "refused", "expect": None}] * REFUSED_STRETCH
        elif kind in COLOURED:
            entries.append(reading(kind))
        else:
            entries.append({"kind": kind, "temp": "20", "expect": None})
        # Half the time two faults in a row.
        if rnd.random() < 0.5:
            kind = next(fault_iter, None)
            if kind == "refused-period":
                entries += [{"kind": "refused", "expect": None}] * REFUSED_STRETCH
            elif kind in COLOURED:
                entries.append(reading(kind))
            elif kind:
                entries.append({"kind": kind, "temp": "20", "expect": None})
    return entries[:count]


def after_plan(plan):
    """Past the end of the plan the last reading is repeated."""
    last = next((e for e in reversed(plan) if e["kind"] == "reading"), {"temp": "15", "expect": 15})
    return {"kind": "reading", "temp": last["temp"], "expect": last["expect"], "extra": True}


if __name__ == "__main__":
    import collections
    import sys
    p = make(int(sys.argv[1]) if len(sys.argv) > 1 else 500)
    print(len(p), dict(collections.Counter(e["kind"] for e in p)))
