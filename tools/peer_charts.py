#!/usr/bin/python3
"""Charts and a table from the peer benchmark's CSV files.

    peer_charts.py --headline RUN.csv [--headline RUN2.csv ...] --presized FILL.csv
                   --out docs/performance [--table table.md]

A headline run has every peer with the grid unpresized; a presized run has
the bulk-fill peers with the grid presized as the other grid is. Each chart
shows one measure, a bar per control with its range across runs, and the
floor the platform itself sets, so a reader sees at a glance how close to
that floor each control comes.
"""
import argparse
import csv
import os
from collections import defaultdict

from PIL import Image, ImageDraw, ImageFont

NAMES = {
    "proj": "Tabrix",
    "proj-noredraw": "Tabrix",
    "mctrl": "mCtrl grid",
    "mctrl-noredraw": "mCtrl grid",
    "listview": "list view",
    "listview-noredraw": "list view",
}
COLOURS = {"Tabrix": (38, 110, 190), "mCtrl grid": (150, 150, 150), "list view": (190, 190, 190)}


def read(paths):
    """(peer, measure) -> list of (median, min, max, rows, note), one per file."""
    found = defaultdict(list)
    for path in paths:
        with open(path, newline="") as f:
            for row in csv.DictReader(f):
                if not row["median"]:
                    continue
                found[(row["peer"], row["measure"])].append(
                    (float(row["median"]), float(row["min"]), float(row["max"]), int(row["rows"]), row["note"]))
    return found


def largest(entries):
    """The entries of the largest size measured (fill rows come per size)."""
    top = max(e[3] for e in entries)
    return [e for e in entries if e[3] == top]


def summary(entries):
    """Median of the runs' medians, and the whole range they span."""
    meds = sorted(e[0] for e in entries)
    return meds[len(meds) // 2], min(e[1] for e in entries), max(e[2] for e in entries)


def font(size):
    for path in ("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",):
        if os.path.exists(path):
            return ImageFont.truetype(path, size)
    return ImageFont.load_default()


def chart(path, title, unit, bars, floor=None, floor_label=""):
    """Horizontal bars: (label, median, low, high); the floor as a dashed line."""
    title_font, text_font, small = font(17), font(13), font(11)
    # The labels' column fits the longest label.
    measure = ImageDraw.Draw(Image.new("RGB", (1, 1)))
    left = max([190] + [int(measure.textlength(b[0], font=text_font)) + 24 for b in bars])
    width, right, top, bar_h, gap = 570 + left, 110, 54, 26, 12
    height = top + len(bars) * (bar_h + gap) + 34
    image = Image.new("RGB", (width, height), "white")
    draw = ImageDraw.Draw(image)
    draw.text((12, 10), title, fill="black", font=title_font)
    scale_max = max(max(b[3] for b in bars), floor or 0) * 1.08
    span = width - left - right
    x_of = lambda v: left + span * v / scale_max
    for i, (label, med, low, high) in enumerate(bars):
        y = top + i * (bar_h + gap)
        colour = COLOURS.get(label.split(" (")[0], (150, 150, 150))
        draw.rectangle([left, y, x_of(med), y + bar_h], fill=colour)
        if high > low:  # the range across runs
            mid = y + bar_h // 2
            draw.line([x_of(low), mid, x_of(high), mid], fill="black", width=1)
            for v in (low, high):
                draw.line([x_of(v), mid - 5, x_of(v), mid + 5], fill="black", width=1)
        draw.text((12, y + 5), label, fill="black", font=text_font)
        draw.text((max(x_of(med), x_of(high)) + 6, y + 5), f"{med:,.0f} {unit}" if med >= 100 else
                  f"{med:.2g} {unit}", fill="black", font=text_font)
    if floor:
        x = x_of(floor)
        for y in range(top - 8, height - 30, 8):
            draw.line([x, y, x, y + 4], fill=(200, 40, 40), width=2)
        draw.text((x + 4, height - 28), f"{floor_label}: {floor:,.3g} {unit}", fill=(200, 40, 40), font=small)
    draw.line([left, top - 8, left, height - 30], fill="black")
    image.save(path)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--headline", action="append", required=True)
    parser.add_argument("--presized", action="append", default=[])
    parser.add_argument("--out", required=True)
    parser.add_argument("--table")
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    head, pre = read(args.headline), read(args.presized)

    def get(data, peer, measure, biggest=True):
        entries = data.get((peer, measure))
        if not entries:
            return None
        return summary(largest(entries) if biggest else entries)

    def bars(data, peers, measure, suffix=""):
        out = []
        for peer in peers:
            s = get(data, peer, measure)
            if s:
                out.append((NAMES[peer] + suffix,) + s)
        return out

    def ms(entries):
        return [(b[0],) + tuple(v / 1000 for v in b[1:]) for b in entries]

    # Every control as a bulk load leaves it (filled with redraw off), so the
    # list view, too slow to fill with redraw on, is measured alike.
    shown = ["proj-noredraw", "mctrl-noredraw", "listview-noredraw"]
    loop = get(head, "loop", "fill")
    fill_off = bars(pre, ["proj-noredraw"], "fill", " (presized)") + bars(head, ["proj-noredraw"], "fill") + \
        bars(pre or head, shown[1:], "fill")
    chart(os.path.join(args.out, "fill.png"), "Filling cell by cell, redraw off (ns per cell, less is better)",
          "ns", fill_off, loop and loop[0], "the harness's own loop")
    fill_on = bars(head, ["proj", "mctrl"], "fill")
    chart(os.path.join(args.out, "fill-redraw.png"), "Filling cell by cell, redraw on (ns per cell, less is better)",
          "ns", fill_on)
    # Each control twice: a repaint with nothing changed (a control that
    # keeps its last picture may send it again) and one right after a visible
    # cell got a new text through the control's API (it must draw again).
    blank = get(head, "env", "blank_paint", False)
    paint = ms(bars(head, shown, "paint", " (nothing changed)"))
    changed = ms(bars(head, shown, "paint_changed", " (one cell changed)"))
    repaint = [b for peer in shown for b in paint + changed if b[0].startswith(NAMES[peer] + " (")]
    chart(os.path.join(args.out, "repaint.png"), "Full repaint (ms, less is better)", "ms", repaint,
          blank and blank[0] / 1000, "blank window")
    bar_alone = get(head, "env", "scrollinfo_redraw", False)
    scroll = ms(bars(head, shown, "scroll"))
    chart(os.path.join(args.out, "scroll.png"), "One line scrolled, with its repaint (ms, less is better)", "ms",
          scroll, bar_alone and bar_alone[0] / 1000, "scroll bar alone")
    memory = []
    for peer in shown:
        s = get(head, peer, "mem_private") or get(head, peer, "mem_commit")
        if s:
            memory.append((NAMES[peer],) + s)
    chart(os.path.join(args.out, "memory.png"), "Memory per cell after the fill (bytes, less is better)", "bytes",
          memory)

    # One line per measure: the median of the runs and their range.
    def cell(entries, name):
        found = [b for b in entries if b[0] == name]
        fmt = lambda v: f"{v:,.0f}" if v >= 100 else f"{v:.3g}"
        return f"{fmt(found[0][1])} ({fmt(found[0][2])}–{fmt(found[0][3])})" if found else "–"

    floor_ms = lambda s: f"{s[0] / 1000:.2g}" if s else "–"
    columns = ["Tabrix", "mCtrl grid", "list view"]
    lines = ["| measure | Tabrix (presized) | " + " | ".join(columns) + " | floor |", "|---|" + "---|" * 5]
    lines.append("| fill, ns per cell, redraw off | " + cell(fill_off, "Tabrix (presized)") + " | " +
                 " | ".join(cell(fill_off, c) for c in columns) + f" | loop {loop[0]:.3g} |" if loop else " | – |")
    lines.append("| fill, ns per cell, redraw on | – | " + " | ".join(cell(fill_on, c) for c in columns) + " | |")
    lines.append("| repaint, nothing changed, ms | – | " +
                 " | ".join(cell(paint, c + " (nothing changed)") for c in columns) + f" | blank window {floor_ms(blank)} |")
    lines.append("| repaint after one cell changed, ms | – | " +
                 " | ".join(cell(changed, c + " (one cell changed)") for c in columns) + " | |")
    lines.append("| line scroll with repaint, ms | – | " + " | ".join(cell(scroll, c) for c in columns) +
                 f" | scroll bar alone {floor_ms(bar_alone)} |")
    lines.append("| memory, bytes per cell | – | " + " | ".join(cell(memory, c) for c in columns) + " | |")
    text = "\n".join(lines) + "\n"
    if args.table:
        with open(args.table, "w") as f:
            f.write(text)
    print(text, end="")


if __name__ == "__main__":
    main()
