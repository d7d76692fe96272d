"""Prints the benchmark table of scripts/bench.sh: CPU-time medians as ratios
to the baselines of the same run, growth exponents of the listings, and peak
memory against the record's bytes."""
import json
import math
import sys


def ms(t):
    """A time in milliseconds with four significant digits, whole above 1,000."""
    return f"{t:.0f}" if t >= 1000 else f"{t:.4g}"


def medians(path):
    with open(path) as f:
        data = json.load(f)
    found = {}
    for b in data["benchmarks"]:
        if b.get("aggregate_name", "median") != "median":
            continue
        name = b.get("run_name", b["name"])
        found[name] = b["cpu_time"] * {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b["time_unit"]]
    return found, data.get("context", {})


def stored_table(times):
    """Save and LoadSimNames among K = 100 stored simulations of P positions each."""
    positions = [10, 100, 1000, 10000]
    print("Save (a simulation of 10 positions) and LoadSimNames in a drawing of K = 100 simulations "
          "of P positions each (CPU ms, medians; growth from P = 10 to 10,000)")
    print()
    print("| call | " + " | ".join(f"P={p}" for p in positions) + " | growth |")
    print("|---|" + "---:|" * (len(positions) + 1))
    for key, label in (("DwgSaveAmongStored", "DWG Save"), ("DwgLoadSimNamesAmongStored", "DWG LoadSimNames")):
        row = [times.get(f"{key}/{p}") for p in positions]
        cells = " | ".join("-" if t is None else ms(t) for t in row)
        growth = f"{row[-1] / row[0]:.2f}x" if row[0] and row[-1] else "-"
        print(f"| {label} | {cells} | {growth} |")


def main(dwg_json, mstn_json, peak_txt):
    times, context = medians(dwg_json)
    mstn, _ = medians(mstn_json)
    times.update(mstn)
    sizes = [1000, 10000, 100000, 1000000]
    counts = [10, 100, 1000, 5000]

    print("Filing a simulation of N positions (CPU ms, medians; ratios to the baselines of the same run)")
    print()
    print("| case | N | CPU ms | x vector | x memcpy |")
    print("|---|---:|---:|---:|---:|")
    cases = [("DWG filer out and in", "DwgFilerRoundTrip", "Dwg"),
             ("DWG Save, drawing saved and reopened, LoadSim", "DwgDrawingRoundTrip", "Dwg"),
             ("MicroStation Save plus LoadSim", "MstnSaveLoad", "Mstn"),
             ("MicroStation Save, design file saved and reopened, LoadSim", "MstnDesignFileRoundTrip", "Mstn")]
    for label, key, host in cases:
        for n in sizes:
            t = times.get(f"{key}/{n}")
            v = times.get(f"{host}VectorBaseline/{n}")
            m = times.get(f"{host}MemcpyBaseline/{n}")
            if t is None:
                continue
            print(f"| {label} | {n} | {ms(t)} | {t / v:.2f} | {t / m:.1f} |")
    for n in sizes:
        d, f = times.get(f"DwgDrawingRoundTrip/{n}"), times.get(f"DwgFilerRoundTrip/{n}")
        if d and f:
            print(f"| DWG drawing round trip x filer round trip | {n} | | {d / f:.2f} | |")

    print()
    print("Listing K simulations (CPU ms, medians; growth exponent from K = 100 to 5,000)")
    print()
    print("| call | " + " | ".join(f"K={k}" for k in counts) + " | exponent |")
    print("|---|" + "---:|" * (len(counts) + 1))
    for host, label in (("Dwg", "DWG"), ("Mstn", "MicroStation")):
        for call in ("LoadSimNames", "LoadSimList", "LoadSimByName"):
            row = [times.get(f"{host}{call}/{k}") for k in counts]
            cells = " | ".join("-" if t is None else ms(t) for t in row)
            t100, t5000 = row[1], row[3]
            exponent = f"{math.log(t5000 / t100) / math.log(50):.2f}" if t100 and t5000 else "-"
            name = "LoadSim by name" if call == "LoadSimByName" else call
            print(f"| {label} {name} | {cells} | {exponent} |")

    print()
    stored_table(times)

    peaks = {}
    for line in open(peak_txt):
        fields = dict(part.split("=", 1) for part in line.split()[1:])
        peaks[(fields["program"], fields["case"])] = fields
    print()
    print("Peak memory at N = 1,000,000 (peak resident size less the empty run's, against the record's bytes)")
    print()
    print("| case | record bytes | extra MiB | x record bytes |")
    print("|---|---:|---:|---:|")
    for program, case, label in (("bench_dwg", "filer", "DWG filer out and in"),
                                 ("bench_dwg", "vector", "DWG vector baseline"),
                                 ("bench_mstn", "save-load", "MicroStation Save plus LoadSim"),
                                 ("bench_mstn", "vector", "MicroStation vector baseline")):
        p, e = peaks.get((program, case)), peaks.get((program, "empty"))
        if not p or not e:
            continue
        extra = (int(p["peak_kib"]) - int(e["peak_kib"])) * 1024
        record = int(p["record_bytes"])
        print(f"| {label} | {record} | {extra / 2**20:.1f} | {extra / record:.2f} |")
    print()
    print(f"Run {context.get('date', '')} on {context.get('host_name', '')}, "
          f"{context.get('num_cpus', '')} CPUs at {context.get('mhz_per_cpu', '')} MHz")


if __name__ == "__main__":
    if sys.argv[1] == "--stored":
        # Only the table of the stored-drawing cases, from a run of bench_dwg alone.
        stored_table(medians(sys.argv[2])[0])
    else:
        main(*sys.argv[1:4])
