#!/usr/bin/python3
"""Scores the OCR engine against the tesseract command on rendered pages.

Usage: evaluate.py PAGES_DIR ENGINE_LIBRARY OCR_RUN [--skip-tesseract]

PAGES_DIR holds the pages of render_pages.py. The engine runs in one process
per kind of page (its first call is the cold one, the others warm); the
tesseract command runs once per page with its defaults (-l kor) and with the
best single setting found for these pages (-l Hangul+eng --psm 6).
Prints a Markdown table of character error rates (white space ignored) and
seconds per page.
"""

import argparse
import glob
import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import cer  # noqa: E402
from render_pages import KINDS, PAGE_KINDS  # noqa: E402

TESSERACT_RUNS = {
    "tesseract -l kor": ["-l", "kor"],
    "tesseract -l Hangul+eng --psm 6": ["-l", "Hangul+eng", "--psm", "6"],
}


def pages_of(folder, kind):
    found = glob.glob(os.path.join(folder, kind + "-*.png"))
    found += glob.glob(os.path.join(folder, kind + "-*.jpg"))
    return sorted(found)


def truth(image):
    with open(image.rsplit(".", 1)[0] + ".gt.txt", encoding="utf-8") as f:
        return f.read()


def run_engine(engine, runner, images):
    """Texts and seconds per image from one engine process."""
    with tempfile.TemporaryDirectory() as out:
        lines = subprocess.run([runner, engine, out] + images, check=True,
                               capture_output=True, text=True).stdout.split("\n")
        results = []
        for image, line in zip(images, lines):
            _, seconds, code = line.rsplit(" ", 2)
            name = os.path.join(out, os.path.basename(image) + ".txt")
            with open(name, encoding="utf-8", errors="replace") as f:
                text = f.read().replace("\r\n", "\n")
            results.append((text if code == "1" else "", float(seconds)))
        return results


def run_tesseract(args, image):
    start = time.monotonic()
    text = subprocess.run(["tesseract", image, "stdout"] + args, capture_output=True,
                          text=True).stdout
    return text, time.monotonic() - start


def rate(pairs):
    dist = total = 0
    for reference, hypothesis in pairs:
        d, n = cer.errors(reference, hypothesis)
        dist += d
        total += n
    return 100.0 * dist / max(total, 1)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("pages")
    parser.add_argument("engine")
    parser.add_argument("runner")
    parser.add_argument("--skip-tesseract", action="store_true")
    args = parser.parse_args()

    systems = ["engine"] + ([] if args.skip_tesseract else list(TESSERACT_RUNS))
    header = "| pages | n | " + " | ".join(f"{s} CER" for s in systems)
    header += " | engine cold s | engine warm s/page"
    if not args.skip_tesseract:
        header += " | tesseract -l kor s/page"
    print(header + " |")
    print("|" + "---|" * (header.count("|")))
    totals = {s: [] for s in systems}
    warm_all, tess_all, cold_all = [], [], []
    for kind in KINDS + PAGE_KINDS:
        images = pages_of(args.pages, kind)
        if not images:
            continue
        refs = [truth(i) for i in images]
        engine = run_engine(args.engine, args.runner, images)
        pairs = {"engine": list(zip(refs, [t for t, _ in engine]))}
        cold = engine[0][1]
        warm = [s for _, s in engine[1:]]
        cold_all.append(cold)
        warm_all.extend(warm)
        row = f"| {kind} | {len(images)} | {rate(pairs['engine']):.2f}%"
        if not args.skip_tesseract:
            for name, targs in TESSERACT_RUNS.items():
                outs = [run_tesseract(targs, i) for i in images]
                pairs[name] = list(zip(refs, [t for t, _ in outs]))
                if name == "tesseract -l kor":
                    tess_times = [s for _, s in outs]
                    tess_all.extend(tess_times)
                row += f" | {rate(pairs[name]):.2f}%"
        for s in systems:
            totals[s].extend(pairs[s])
        row += f" | {cold:.2f} | {sum(warm) / max(len(warm), 1):.2f}"
        if not args.skip_tesseract:
            row += f" | {sum(tess_times) / len(tess_times):.2f}"
        print(row + " |", flush=True)
    row = f"| all | {len(totals['engine'])} | " + " | ".join(
        f"{rate(totals[s]):.2f}%" for s in systems)
    row += f" | {sum(cold_all) / max(len(cold_all), 1):.2f} | "
    row += f"{sum(warm_all) / max(len(warm_all), 1):.2f}"
    if not args.skip_tesseract:
        row += f" | {sum(tess_all) / max(len(tess_all), 1):.2f}"
    print(row + " |")


if __name__ == "__main__":
    main()
