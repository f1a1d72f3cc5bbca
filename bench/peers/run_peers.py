#!/usr/bin/python3
"""Side by side with LibreOffice Calc on the same tables.

Starts a private headless LibreOffice (its own profile folder, started and ended here by
its own process id), writes the generated tables of bench/support with peer_tables, and
in each round times every command twice: LibreOffice doing the job inside the running
office (its start-up never counted; each call timed around one request to it), and ours as
a whole vovirer process or as the in-process benchmark of recalc_bench. The machine's load
is printed beside each round; the table at the end gives the medians and their ratio (peer
time / our time: above 1 means we are faster).

    /usr/bin/python3 bench/peers/run_peers.py [--build build] [--rounds 7] [--rows 6500]

Needs Debian's libreoffice-calc-nogui and python3-uno, and a build with the benchmarks.
"""

import argparse
import csv
import json
import os
import resource
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

try:
    import uno
    from com.sun.star.beans import PropertyValue
    from com.sun.star.connection import NoConnectException
except ImportError:
    sys.exit("python3-uno is missing: apt-get install libreoffice-calc-nogui python3-uno")

SOFFICE = "/usr/lib/libreoffice/program/soffice.bin"


def prop(name, value):
    p = PropertyValue()
    p.Name = name
    p.Value = value
    return p


def url(path):
    return uno.systemPathToFileUrl(os.path.abspath(path))


class Office:
    """A headless LibreOffice of our own: a fresh profile, a private pipe, ended by its pid."""

    def __init__(self, folder):
        self.profile = os.path.join(folder, "profile")
        self.pipe = "dedaded_peers_%d" % os.getpid()
        self.process = self.start()
        local = uno.getComponentContext()
        resolver = local.ServiceManager.createInstanceWithContext(
            "com.sun.star.bridge.UnoUrlResolver", local)
        deadline = time.monotonic() + 120
        while True:
            try:
                context = resolver.resolve(
                    "uno:pipe,name=%s;urp;StarOffice.ComponentContext" % self.pipe)
                break
            except NoConnectException:
                status = self.process.poll()
                if status == 81:  # the first start makes the profile and asks to be restarted
                    self.process = self.start()
                elif status is not None or time.monotonic() > deadline:
                    raise SystemExit("LibreOffice did not start")
                time.sleep(0.25)
        self.desktop = context.ServiceManager.createInstanceWithContext(
            "com.sun.star.frame.Desktop", context)

    def start(self):
        return subprocess.Popen(
            [SOFFICE if os.path.exists(SOFFICE) else "soffice",
             "-env:UserInstallation=" + url(self.profile),
             "--headless", "--invisible", "--nologo", "--norestore", "--nodefault",
             "--nolockcheck",
             "--accept=pipe,name=%s;urp;StarOffice.ComponentContext" % self.pipe],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def load(self, path):
        return self.desktop.loadComponentFromURL(
            url(path), "_blank", 0, (prop("Hidden", True), prop("ReadOnly", False)))

    def new_sheet(self):
        return self.desktop.loadComponentFromURL(
            "private:factory/scalc", "_blank", 0, (prop("Hidden", True),))

    def close(self):
        try:
            self.desktop.terminate()
        except Exception:  # the bridge goes down with the office
            pass
        try:
            self.process.wait(timeout=30)
        except subprocess.TimeoutExpired:
            os.kill(self.process.pid, signal.SIGKILL)
            self.process.wait()


def used_area(sheet):
    cursor = sheet.createCursor()
    cursor.gotoEndOfUsedArea(False)
    end = cursor.getRangeAddress()
    return sheet.getCellRangeByPosition(0, 0, end.EndColumn, end.EndRow)


def read_fdr_rows(path):
    """The table rows of a calculation file: Windows-1254 comma text, header, captions, rows."""
    with open(path, encoding="cp1254", newline="") as f:
        lines = list(csv.reader(f))
    return [row + [""] * (15 - len(row)) for row in lines[2:] if row and row[0]]


def number(text):
    return float(text.replace(".", "").replace(",", ".")) if text.strip() else 0.0


def date_serial(text):
    day, month, year = int(text[0:2]), int(text[3:5]), int(text[6:10])
    import datetime
    return (datetime.date(year, month, day) - datetime.date(1899, 12, 30)).days


def build_model(office, fdr, typed_rates=True):
    """The credit line as a spreadsheet would hold it: the movements typed, every figure of
    the row recalculation a formula on the row above (value date moved past weekends for a
    repayment, days, interest number, period interest at the row's rate over 365, BSMV 5 and
    Vergi2 1, both balances, each rounded to two decimals as the program shows them), the totals as sums,
    and the annual rate in one cell that the rows take until a row names another (every row,
    without the typed rates: the table once the rate finder's rate is applied)."""
    rows = read_fdr_rows(fdr)
    doc = office.new_sheet()
    doc.enableAutomaticCalculation(False)
    sheet = doc.Sheets.getByIndex(0)
    n = len(rows)
    data = []
    for i, row in enumerate(rows, start=2):
        rate = number(row[7])
        data.append((
            date_serial(row[1]), row[3], number(row[4]), number(row[5]), number(row[6]),
            rate if rate > 0 and typed_rates else "",
        ))
    sheet.getCellRangeByPosition(0, 1, 5, n).setDataArray(tuple(data))
    formulas = []
    for r in range(2, n + 2):
        first = r == 2
        formulas.append((
            "=IF(D%d>0;WORKDAY(A%d-1;1);A%d)" % (r, r, r),                       # G value date
            "=IF(F%d<>\"\";F%d;%s)" % (r, r, "$T$2" if first else "H%d" % (r - 1))
            if typed_rates else "=$T$2",                                          # H rate
            "=0" if first else "=G%d-G%d" % (r, r - 1),                           # I days
            "=0" if first else "=ROUND(K%d*I%d;2)" % (r - 1, r),                  # J number
            "=ROUND(C%d-D%d;2)" % (r, r) if first
            else "=ROUND(K%d+C%d-D%d;2)" % (r - 1, r, r),                         # K credit
            "=0" if first else "=ROUND(H%d*J%d/36500;2)" % (r - 1, r),            # L interest
            "=ROUND(L%d*5/100;2)+ROUND(L%d*1/100;2)" % (r, r),                    # M tax
            "=ROUND(L%d+M%d-E%d;2)" % (r, r, r) if first
            else "=ROUND(N%d+L%d+M%d-E%d;2)" % (r - 1, r, r, r),                  # N interest bal.
        ))
    sheet.getCellRangeByPosition(6, 1, 13, n).setFormulaArray(tuple(formulas))
    last = n + 1
    sheet.getCellRangeByName("S2").setFormula("=SUM(C2:C%d)" % last)
    sheet.getCellRangeByName("S3").setFormula("=SUM(D2:D%d)" % last)
    sheet.getCellRangeByName("S4").setFormula("=K%d" % last)
    sheet.getCellRangeByName("S5").setFormula("=SUM(L2:L%d)+SUM(M2:M%d)" % (last, last))
    sheet.getCellRangeByName("S6").setFormula("=SUM(E2:E%d)" % last)
    sheet.getCellRangeByName("S7").setFormula("=N%d" % last)
    sheet.getCellRangeByName("S8").setFormula("=SUM(M2:M%d)" % last)
    sheet.getCellRangeByName("S9").setFormula("=SUM(J2:J%d)" % last)
    sheet.getCellRangeByName("T2").setValue(24)
    doc.enableAutomaticCalculation(True)
    doc.calculateAll()
    return doc, sheet


class Peer:
    """The LibreOffice side of each command, timed around its requests to the office."""

    def __init__(self, office, folder, rows):
        self.office = office
        self.folder = folder
        self.rows = rows
        fdr = os.path.join(folder, "rows%d.fdr" % rows)
        self.model, _ = build_model(office, fdr)
        self.one_rate, self.one_rate_sheet = build_model(office, fdr, typed_rates=False)
        self.total_interest = self.one_rate_sheet.getCellRangeByName("S5").getValue()
        # The workbook our export writes, open in the office: the sheet it stores and prints.
        self.exported = office.load(os.path.join(folder, "ours_export.xlsx"))

    def recalc(self):
        start = time.perf_counter()
        self.model.calculateAll()
        return time.perf_counter() - start

    def goal_seek(self):
        # The annual rate that gives the total interest the table has at 30 percent, applied.
        target = self.total_interest * 1.25
        sheet = self.one_rate_sheet
        rate_cell = sheet.getCellRangeByName("T2")
        total_cell = sheet.getCellRangeByName("S5")
        start = time.perf_counter()
        result = self.one_rate.seekGoal(total_cell.getCellAddress(), rate_cell.getCellAddress(),
                                        repr(target))
        rate_cell.setValue(result.Result)
        elapsed = time.perf_counter() - start
        if abs(result.Result - 30) > 0.1:
            raise SystemExit("LibreOffice's goal seek found %r, not 30" % result.Result)
        rate_cell.setValue(24)
        return elapsed

    def import_sheet(self, path):
        start = time.perf_counter()
        doc = self.office.load(path)
        cells = used_area(doc.Sheets.getByIndex(0)).getDataArray()
        elapsed = time.perf_counter() - start
        doc.close(True)
        if len(cells) < self.rows:
            raise SystemExit("LibreOffice read %d rows of %s" % (len(cells), path))
        return elapsed

    def store(self, name, filter_name):
        """Seconds to store the open sheet under `name` through the office's filter."""
        target = os.path.join(self.folder, name)
        start = time.perf_counter()
        self.exported.storeToURL(url(target), (prop("FilterName", filter_name),
                                               prop("Overwrite", True)))
        return time.perf_counter() - start

    def export(self):
        return self.store("peer_export.xlsx", "Calc MS Excel 2007 XML")

    def pdf(self):
        return self.store("peer.pdf", "calc_pdf_Export")


def office_cpu(pid):
    """Seconds on the CPU of the office so far, its ended threads included (in clock ticks of
    10 ms: the medians of several rounds smooth that)."""
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def children_cpu():
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    return usage.ru_utime + usage.ru_stime


last_cpu = [0.0]  # CPU seconds of the last process run_process ran


def run_process(arguments):
    cpu = children_cpu()
    start = time.perf_counter()
    done = subprocess.run(arguments, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    elapsed = time.perf_counter() - start
    last_cpu[0] = children_cpu() - cpu
    if done.returncode != 0:
        raise SystemExit("%s failed: %s" % (" ".join(arguments), done.stderr.decode(errors="replace")))
    return elapsed


def in_process(bench, names, rows):
    """Median real times in seconds of recalc_bench's benchmarks at `rows`, one short run."""
    pattern = "^(%s)/%d$" % ("|".join(names), rows)
    out = subprocess.run([bench, "--benchmark_filter=" + pattern, "--benchmark_format=json",
                          "--benchmark_min_time=0.3"], capture_output=True, check=True).stdout
    found = {}
    for b in json.loads(out)["benchmarks"]:
        scale = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[b["time_unit"]]
        name = b["name"].split("/")[0]
        found[name] = b["real_time"] * scale
        found[name + ":cpu"] = b["cpu_time"] * scale
    return found


def pdf_pages(path):
    out = subprocess.run(["pdfinfo", path], capture_output=True, text=True).stdout
    for line in out.splitlines():
        if line.startswith("Pages:"):
            return line.split()[1]
    return "?"


def print_ratios(commands, ours, theirs, kind):
    """One table of medians and their ratio LibreOffice / ours, a line per command."""
    print("| command | ours%s | LibreOffice%s | ratio |" % (kind, kind))
    print("|---|---|---|---|")
    for label, *_ in commands:
        a = statistics.median(ours[label])
        b = statistics.median(theirs[label])
        print("| %s | %.1f ms | %.1f ms | %.2f |" % (label, a * 1e3, b * 1e3, b / a))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default="build", help="the build folder (default: build)")
    parser.add_argument("--rounds", type=int, default=7)
    parser.add_argument("--rows", type=int, default=6500)
    parser.add_argument("--keep", help="write the tables and outputs into this folder")
    parser.add_argument("--baseline", help="an earlier vovirer to time `recalc` of a one-row "
                        "file against (default: the one vovirer_start_bench builds, if built)")
    options = parser.parse_args()
    vovirer = os.path.join(options.build, "bin", "vovirer")
    recalc_bench = os.path.join(options.build, "bench", "recalc_bench")
    peer_tables = os.path.join(options.build, "bench", "peers", "peer_tables")
    for program in (vovirer, recalc_bench, peer_tables):
        if not os.access(program, os.X_OK):
            sys.exit("%s is missing: build the benchmarks first" % program)
    baseline = options.baseline or os.path.join(options.build, "bench", "cli", "baseline", "bin",
                                                "vovirer")

    folder = options.keep or tempfile.mkdtemp(prefix="dedaded-peers-")
    os.makedirs(folder, exist_ok=True)
    rows = options.rows
    subprocess.run([peer_tables, folder, "1", str(rows)], check=True)
    fdr = os.path.join(folder, "rows%d.fdr" % rows)
    one_row = os.path.join(folder, "rows1.fdr")
    statement = os.path.join(folder, "statement%d.xlsx" % rows)
    settings = os.path.join(folder, "statement%d.ini" % rows)
    run_process([vovirer, "export", fdr, os.path.join(folder, "ours_export.xlsx")])

    office = Office(folder)
    try:
        # The statement as .ods, written once by the office itself.
        doc = office.load(statement)
        statement_ods = os.path.join(folder, "statement%d.ods" % rows)
        doc.storeToURL(url(statement_ods), (prop("FilterName", "calc8"), prop("Overwrite", True)))
        doc.close(True)
        peer = Peer(office, folder, rows)

        ours_out = os.path.join(folder, "ours_out")
        commands = [
            # label, peer's job, our job
            ("recalculate all (in process)", peer.recalc, None, "recalc_all_fast"),
            ("rate finder with apply (in process)", peer.goal_seek, None, "rate_finder_apply"),
            ("import .xlsx (whole process)", lambda: peer.import_sheet(statement),
             [vovirer, "import", statement, "--settings", settings, "-o", ours_out + ".fdr"], None),
            ("import .ods (whole process)", lambda: peer.import_sheet(statement_ods),
             [vovirer, "import", statement_ods, "--settings", settings, "-o", ours_out + ".fdr"],
             None),
            ("export .xlsx (whole process)", peer.export,
             [vovirer, "export", fdr, ours_out + ".xlsx"], None),
            ("report PDF (whole process)", peer.pdf,
             [vovirer, "report", fdr, "--pdf", ours_out + ".pdf"], None),
            ("wide report PDF (whole process)", peer.pdf,
             [vovirer, "report", fdr, "--wide", "--pdf", ours_out + "-wide.pdf"], None),
        ]
        ours = {label: [] for label, *_ in commands}
        theirs = {label: [] for label, *_ in commands}
        ours_cpu = {label: [] for label, *_ in commands}
        theirs_cpu = {label: [] for label, *_ in commands}
        start_times = {"recalc of one row": [], "baseline": []}
        floor = {"recalc_floor": [], "recalc_all_fast": []}
        for label, job, ours_job, _ in commands:  # once untimed: caches, the office's first use
            job()
            if ours_job:
                run_process(ours_job)
        for round_number in range(1, options.rounds + 1):
            load = os.getloadavg()
            print("round %d, load %.2f %.2f %.2f" % (round_number, *load), flush=True)
            bench_names = [name for *_, name in commands if name] + ["recalc_floor"]
            measured = in_process(recalc_bench, bench_names, rows)
            for label, job, ours_job, bench_name in commands:
                cpu = office_cpu(office.process.pid)
                theirs[label].append(job())
                theirs_cpu[label].append(office_cpu(office.process.pid) - cpu)
                if ours_job:
                    ours[label].append(run_process(ours_job))
                    ours_cpu[label].append(last_cpu[0])
                else:
                    ours[label].append(measured[bench_name])
                    ours_cpu[label].append(measured[bench_name + ":cpu"])
            floor["recalc_floor"].append(measured["recalc_floor"])
            floor["recalc_all_fast"].append(measured["recalc_all_fast"])
            start_times["recalc of one row"].append(run_process([vovirer, "recalc", one_row]))
            if os.access(baseline, os.X_OK):
                start_times["baseline"].append(run_process([baseline, "recalc", one_row]))
    finally:
        office.close()

    print()
    print("%d rows, medians of %d rounds; ratio = LibreOffice / ours (above 1: we are faster)"
          % (rows, options.rounds))
    print()
    print_ratios(commands, ours, theirs, "")
    print()
    print("The same in CPU time, which the machine's load changes less (the office's to 10 ms;"
          " ours: the whole process, or the benchmark's own CPU time):")
    print()
    print_ratios(commands, ours_cpu, theirs_cpu, " CPU")
    print()
    f = statistics.median(floor["recalc_floor"])
    r = statistics.median(floor["recalc_all_fast"])
    print("recalculate all %.2f ms, its floor %.2f ms: %.2f times the floor (goal: at most 2)"
          % (r * 1e3, f * 1e3, r / f))
    s = statistics.median(start_times["recalc of one row"])
    line = "vovirer recalc of a one-row file: %.1f ms" % (s * 1e3)
    if start_times["baseline"]:
        b = statistics.median(start_times["baseline"])
        line += ", the baseline binary %.1f ms: %.2f of it (goal: at most 0.5)" % (b * 1e3, s / b)
    print(line)
    print("pages: ours %s normal, %s wide; LibreOffice %s" % (
        pdf_pages(ours_out + ".pdf"), pdf_pages(ours_out + "-wide.pdf"),
        pdf_pages(os.path.join(folder, "peer.pdf"))))
    if not options.keep:
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    main()
