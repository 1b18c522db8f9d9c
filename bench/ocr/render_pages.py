#!/usr/bin/python3
"""Renders Korean test pages with their ground truth.

Sentences come from the Korean message catalogs installed on this machine
(/usr/share/locale/ko/LC_MESSAGES/*.mo), so the text is real Korean prose
written by people, not generated. Each page is drawn with one of the Korean
fonts Debian ships and then degraded the way scanned pages are:

  clean     black on white, body-text size
  scanned   slight rotation, blur, sensor noise, speckles, JPEG compression
  small     small print (about 7 pt at 200 dpi)
  gray      low contrast gray text on an unevenly lit gray background

Usage: render_pages.py OUT_DIR [--pages N] [--seed S]
Writes OUT_DIR/<kind>-<n>.png (.jpg for scanned) and OUT_DIR/<kind>-<n>.gt.txt.
"""

import argparse
import gettext
import glob
import os
import random
import re

import numpy as np
from PIL import Image, ImageDraw, ImageFilter, ImageFont

FONTS = [
    "/usr/share/fonts/truetype/nanum/NanumGothic.ttf",
    "/usr/share/fonts/truetype/nanum/NanumMyeongjo.ttf",
    "/usr/share/fonts/truetype/nanum/NanumBarunGothic.ttf",
    "/usr/share/fonts/truetype/unfonts-core/UnBatang.ttf",
    "/usr/share/fonts/truetype/unfonts-core/UnDotum.ttf",
    "/usr/share/fonts/truetype/baekmuk/batang.ttf",
    "/usr/share/fonts/truetype/baekmuk/gulim.ttf",
    "/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc",
    "/usr/share/fonts/opentype/noto/NotoSerifCJK-Regular.ttc",
]

PAGE_W, PAGE_H = 1654, 2339  # A4 at 200 dpi
MARGIN = 130
KINDS = ["clean", "scanned", "small", "gray"]

HANGUL = re.compile(r"[\uac00-\ud7a3]")
FORMAT = re.compile(r"%(\d+\$)?[-+ #0-9.*]*(l|ll|h|z|j|t|L)?[a-zA-Z%]|\{[^}]*\}|<[^>]*>|\$\w+")
# Quotes and brackets left empty where a placeholder was taken out.
EMPTY_PAIR = re.compile(r"\"\s*\"|'\s*'|`\s*'|\u201c\s*\u201d|\u2018\s*\u2019|\(\s*\)|\[\s*\]")


def sentences():
    """Distinct Korean lines from the installed message catalogs."""
    seen = set()
    out = []
    for path in sorted(glob.glob("/usr/share/locale/ko/LC_MESSAGES/*.mo")):
        try:
            with open(path, "rb") as fp:
                catalog = gettext.GNUTranslations(fp)._catalog
        except Exception:
            continue
        for value in catalog.values():
            if not isinstance(value, str):
                continue
            for line in value.split("\n"):
                line = FORMAT.sub("", line).replace("_", "").replace("&", "")
                line = EMPTY_PAIR.sub("", line)
                line = re.sub(r"[\t\x00-\x1f]", " ", line)
                line = re.sub(r"\s+", " ", line).strip(" :-")
                if not 12 <= len(line) <= 80:
                    continue
                if len(HANGUL.findall(line)) < len(line) * 0.4:
                    continue
                if line in seen:
                    continue
                seen.add(line)
                out.append(line)
    return out


def wrap(draw, font, words, width):
    lines, current = [], ""
    for word in words:
        trial = word if not current else current + " " + word
        if draw.textlength(trial, font=font) <= width or not current:
            current = trial
        else:
            lines.append(current)
            current = word
    if current:
        lines.append(current)
    return lines


def layout(rng, pool, font, line_gap):
    """Paragraphs of sentences wrapped to the page width; returns the lines."""
    probe = ImageDraw.Draw(Image.new("L", (8, 8)))
    ascent, descent = font.getmetrics()
    step = int((ascent + descent) * line_gap)
    max_lines = (PAGE_H - 2 * MARGIN) // step
    lines = []
    while len(lines) < max_lines - 2 and pool:
        para = [pool.pop() for _ in range(min(len(pool), rng.randint(2, 5)))]
        lines.extend(wrap(probe, font, " ".join(para).split(" "), PAGE_W - 2 * MARGIN))
        lines.append("")
    while lines and (len(lines) > max_lines or lines[-1] == ""):
        lines.pop()
    return lines, step


def draw_page(lines, font, step, ink, paper):
    img = Image.new("L", (PAGE_W, PAGE_H), paper)
    draw = ImageDraw.Draw(img)
    y = MARGIN
    for line in lines:
        if line:
            draw.text((MARGIN, y), line, font=font, fill=ink)
        y += step
    return img


def degrade(kind, img, rng, nrng):
    if kind == "scanned":
        angle = rng.choice([-1, 1]) * rng.uniform(0.5, 3.0)
        img = img.rotate(angle, resample=Image.BICUBIC, expand=False, fillcolor=255)
        img = img.filter(ImageFilter.GaussianBlur(0.8))
        a = np.asarray(img, dtype=np.float32) * 0.92 + 12
        a += nrng.normal(0, 14, a.shape)
        speck = nrng.random(a.shape)
        a[speck < 0.002] = 0
        a[speck > 0.998] = 255
        img = Image.fromarray(np.clip(a, 0, 255).astype(np.uint8))
    elif kind == "gray":
        a = np.asarray(img, dtype=np.float32)
        h, w = a.shape
        yy, xx = np.mgrid[0:h, 0:w]
        light = 1.0 - 0.18 * ((xx / w) * 0.6 + (yy / h) * 0.4)
        a = a * light
        a += nrng.normal(0, 5, a.shape)
        img = Image.fromarray(np.clip(a, 0, 255).astype(np.uint8))
    return img


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("out")
    parser.add_argument("--pages", type=int, default=5, help="pages per kind")
    parser.add_argument("--seed", type=int, default=20261208)
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)

    rng = random.Random(args.seed)
    nrng = np.random.default_rng(args.seed)
    pool = sentences()
    rng.shuffle(pool)
    fonts = [f for f in FONTS if os.path.exists(f)]
    if not pool or not fonts:
        raise SystemExit("no Korean message catalogs or fonts installed")

    for kind in KINDS:
        for n in range(args.pages):
            font_file = rng.choice(fonts)
            if kind == "small":
                size = rng.randint(19, 21)
            else:
                size = rng.randint(30, 38)
            font = ImageFont.truetype(font_file, size)
            lines, step = layout(rng, pool, font, rng.uniform(1.35, 1.7))
            if kind == "gray":
                paper = rng.randint(175, 200)
                ink, paper = paper - rng.randint(55, 75), paper
            else:
                ink, paper = 0, 255
            img = degrade(kind, draw_page(lines, font, step, ink, paper), rng, nrng)
            stem = os.path.join(args.out, f"{kind}-{n}")
            if kind == "scanned":
                img.save(stem + ".jpg", quality=75)
            else:
                img.save(stem + ".png")
            with open(stem + ".gt.txt", "w", encoding="utf-8") as gt:
                gt.write("\n".join(lines) + "\n")
            print(f"{stem}: {os.path.basename(font_file)} {size}px, {len(lines)} lines")


if __name__ == "__main__":
    main()
