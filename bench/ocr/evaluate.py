#!/usr/bin/python3
"""Scores the OCR engine against the tesseract command on rendered pages.

Usage: evaluate.py PAGES_DIR ENGINE_LIBRARY OCR_RUN [--skip-tesseract]

PAGES_DIR holds the pages of render_pages.py. The engine runs in one process
per kind of page (its first call is the cold one, the others warm). The
tesseract command runs on every page with each setting of SETTINGS: its
defaults (-l kor), and the others, of which the best for each kind is
reported beside the defaults. The setting TIMED runs alone, one page at a
time with tesseract's own threads, and its time per page is the engine's
peer; the other settings run two at a time on one thread each, for their
error rates only.
Prints a Markdown table of character error rates (white space ignored),
seconds per page and the engine's time as a share of the timed command's.
"""

import argparse
import concurrent.futures
import glob
import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import cer  # noqa: E402
from render_pages import FACE_KINDS, KINDS, PAGE_KINDS, SIZE_KINDS  # noqa: E402

DEFAULTS = "-l kor"
TIMED = "-l Hangul --psm 6"
SETTINGS = [DEFAULTS, "-l Hangul", TIMED, "-l Hangul+eng --psm 6", "-l kor --psm 4"]


def pages_of(folder, kind):
    found = glob.glob(os.path.join(folder, kind + "-*.png"))
    found += glob.glob(os.path.join(folder, kind + "-*.jpg"))
    found += glob.glob(os.path.join(folder, kind + "-*.tif"))
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


def run_tesseract(setting, image, one_thread=False):
    env = dict(os.environ, OMP_THREAD_LIMIT="1") if one_thread else None
    start = time.monotonic()
    text = subprocess.run(["tesseract", image, "stdout"] + setting.split(),
                          capture_output=True, text=True, env=env).stdout
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
    peer = not args.skip_tesseract

    header = "| pages | n | engine CER"
    if peer:
        header += f" | `tesseract {DEFAULTS}` CER | best tesseract setting | its CER"
    header += " | engine warm s/page"
    if peer:
        header += f" | `tesseract {TIMED}` s/page | engine / tesseract time"
    print(header + " |")
    print("|" + "---|" * (header.count("|")))
    totals = {s: [] for s in ["engine"] + SETTINGS}
    warm_all, timed_all = [], []
    for kind in KINDS + PAGE_KINDS + SIZE_KINDS + FACE_KINDS:
        images = pages_of(args.pages, kind)
        if not images:
            continue
        refs = [truth(i) for i in images]
        engine = run_engine(args.engine, args.runner, images)
        pairs = {"engine": list(zip(refs, [t for t, _ in engine]))}
        # The first page of a kind is the process's cold call; a kind of one
        # page counts it.
        warm = [s for _, s in engine[1:]] or [engine[0][1]]
        warm_all.extend(warm)
        row = f"| {kind} | {len(images)} | {rate(pairs['engine']):.2f}%"
        if peer:
            timed = [run_tesseract(TIMED, i) for i in images]
            pairs[TIMED] = list(zip(refs, [t for t, _ in timed]))
            timed_all.extend(s for _, s in timed)
            with concurrent.futures.ThreadPoolExecutor(2) as pool:
                for setting in SETTINGS:
                    if setting == TIMED:
                        continue
                    texts = pool.map(lambda i, s=setting: run_tesseract(s, i, True)[0], images)
                    pairs[setting] = list(zip(refs, texts))
            rates = {s: rate(pairs[s]) for s in SETTINGS}
            best = min(SETTINGS, key=lambda s: rates[s])
            row += f" | {rates[DEFAULTS]:.2f}% | `{best}` | {rates[best]:.2f}%"
        for s in pairs:
            totals[s].extend(pairs[s])
        row += f" | {sum(warm) / len(warm):.2f}"
        if peer:
            tess = sum(s for _, s in timed) / len(timed)
            row += f" | {tess:.2f} | {sum(warm) / len(warm) / tess:.2f}"
        print(row + " |", flush=True)
    row = f"| all | {len(totals['engine'])} | {rate(totals['engine']):.2f}%"
    if peer:
        rates = {s: rate(totals[s]) for s in SETTINGS}
        best = min(SETTINGS, key=lambda s: rates[s])
        row += f" | {rates[DEFAULTS]:.2f}% | `{best}` | {rates[best]:.2f}%"
    warm = sum(warm_all) / max(len(warm_all), 1)
    row += f" | {warm:.2f}"
    if peer:
        tess = sum(timed_all) / max(len(timed_all), 1)
        row += f" | {tess:.2f} | {warm / tess:.2f}"
    print(row + " |")


if __name__ == "__main__":
    main()
