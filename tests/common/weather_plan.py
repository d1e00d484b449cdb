"""The plan of the long run, the beside-floor run and the heap soak: which answer of the
weather service (weather_service.py) each connection attempt gets.

Readings and faults alternate; the faults are shuffled with a fixed seed so a run can be
repeated, and the last entry is a reading, which the service repeats past the end.  Each entry
is {"kind": ..., "temp": text, "expect": whole degrees the program should read, or None when
nothing may be coloured}.  Stored as TSV (kind, temp, expect; a header line), which the service
and the heap soak read:  weather_plan.py COUNT FILE"""
import random

LOW, HIGH = -5, 35         # the scale written to config.ini
REFUSED_STRETCH = 5        # attempts per refused period

# Faults per 500 attempts; the rest are readings.
FAULTS_PER_500 = {"404": 30, "truncated": 25, "empty": 25, "garbage": 25, "close": 20,
                  "huge-late": 10, "hang": 12, "stall": 8, "truncated-late": 10, "huge": 10}
REFUSED_PERIODS_PER_500 = 8
# Odd texts and what the number rule makes of them (None: a placeholder, no reading).
ODD_TEMPS = [("12.7", 12), ("-3", -3), ("-5.5", -5), ("１８", 18), ("暂无实况", None), ("", None),
             ("2e1", 20), (" 7", 7), ("40", 40), ("-15", -15), ("1e9", 1000000000), ("-1000", -1000)]
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
        if value is not None:
            temp = value
        return {"kind": kind, "temp": text, "expect": value}

    def add(kind):
        if kind == "refused-period":
            entries.extend([{"kind": "refused", "expect": None}] * REFUSED_STRETCH)
        elif kind in COLOURED:
            entries.append(reading(kind))
        elif kind:
            entries.append({"kind": kind, "temp": "20", "expect": None})

    fault_iter = iter(faults)
    while len(entries) < count:
        entries.append(reading())
        kind = next(fault_iter, None)
        if kind:
            add(kind)
            if rnd.random() < 0.5:         # half the time two faults in a row
                add(next(fault_iter, None))
    return entries[:count - 1] + [reading()]


def write(path, entries):
    with open(path, "w", encoding="utf-8") as f:
        f.write("kind\ttemp\texpect\n")
        for e in entries:
            f.write(f"{e['kind']}\t{e.get('temp', '')}\t{'' if e['expect'] is None else e['expect']}\n")


def read(path):
    with open(path, encoding="utf-8") as f:
        rows = [line.rstrip("\n").split("\t") for line in f][1:]
    return [{"kind": k, "temp": t, "expect": int(e) if e else None} for k, t, e in rows]


if __name__ == "__main__":
    import sys
    write(sys.argv[2], make(int(sys.argv[1])))
