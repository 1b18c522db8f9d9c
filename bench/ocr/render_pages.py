#!/usr/bin/python3
"""Renders Korean test pages with their ground truth.

Sentences of the bench set come from the Korean message catalogs installed
on this machine (/usr/share/locale/ko/LC_MESSAGES/*.mo); those of the pages
set from documentation: the Korean manual pages (/usr/share/man/ko), Vim's
Korean tutor and the Korean licence texts under /usr/share/doc. Either way
the text is real Korean prose written by people, not generated. Each page is
drawn with one of the Korean fonts Debian ships (the pages set uses more of
them) and then degraded the way scanned pages are:

  clean     black on white, body-text size
  scanned   slight rotation, blur, sensor noise, speckles, JPEG compression
  small     small print (about 7 pt at 200 dpi)
  gray      low contrast gray text on an unevenly lit gray background

With --set pages it draws, instead, the pages people bring that are not
plain single columns:

  twocol    an A4 page at 300 dpi in two columns (read left, then right)
  inverted  a slide: light text on a dark or coloured background, with a
            title bar of another colour
  fax       an A4 page at 150 dpi, binarised, with specks
  title     an A4 page at 300 dpi: a large title, body text, a small footnote
  repeat    an A4 page at 300 dpi whose lines repeat in a cycle (a list of
            like items, a form)
  screen    a screenshot at 96 dpi: small anti-aliased text on a window
  a4        a clean single-column A4 page at 150, 200, 300, 400 or 600 dpi
            (page n takes the sizes in turn), body text of 10 to 12 pt
  phone     a phone photo of a printed page: turned, in perspective, unevenly
            lit, tinted paper, slightly blurred, JPEG
  faxstd    an A4 fax at standard resolution as fax programs store it: a
            Group 4 TIFF of 204 x 98 dpi, each scan line two rows of the
            fine raster high, binarised, with specks

With --set sizes it draws each clean single-column A4 page (as a4 above)
at 150, 200, 300, 400 and 600 dpi (dpi150 ... dpi600): the same text, face
and type size at every resolution (a line may wrap a word sooner or later
where the type size in pixels rounds differently), so that what resolution
costs shows apart from what the face and the text cost.

With --set faces it draws clean single-column A4 pages (at 150, 200 and
300 dpi in turn) in faces the other sets do not use, one kind per design:

  gothic    light, bold, eco and other makers' sans faces
  myeongjo  other makers' serif faces, newspaper and old-style designs
  mono      coding and typewriter faces
  hand      handwriting faces (pen, brush, rounded hands)

Usage: render_pages.py OUT_DIR [--pages N] [--seed S] [--set bench|pages|sizes|faces]
Writes OUT_DIR/<kind>-<n>.png (.jpg for scanned and phone, .tif for faxstd) and
OUT_DIR/<kind>-<n>.gt.txt.
"""

import argparse
import gettext
import glob
import gzip
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

# More faces for the pages set: rounded, square, coding, headline and
# display designs besides the book faces above.
MORE_FONTS = [
    "/usr/share/fonts/truetype/nanum/NanumSquareR.ttf",
    "/usr/share/fonts/truetype/nanum/NanumGothicCoding.ttf",
    "/usr/share/fonts/truetype/nanum/NanumSquareRoundR.ttf",
    "/usr/share/fonts/truetype/unfonts-core/UnDinaru.ttf",
    "/usr/share/fonts/truetype/unfonts-core/UnGraphic.ttf",
    "/usr/share/fonts/truetype/baekmuk/dotum.ttf",
]

# Faces neither set above draws with, for the faces set: the lighter, bolder
# and eco cuts of the Nanum faces, other makers' book faces, coding and
# typewriter faces, and handwriting faces whose syllables wander up and down
# the line. Grouped by design; each group is a kind of page.
FACE_FILES = {
    "gothic": ["nanum/NanumGothicLight.ttf", "lexi/LexiGulim.ttf", "nanum/NanumSquare_acR.ttf",
               "nanum/NanumGothicEco.ttf", "unfonts-extra/UnJamoDotum.ttf",
               "nanum/NanumBarunGothicLight.ttf", "nanum/NanumGothicBold.ttf", "baekmuk/hline.ttf"],
    "myeongjo": ["lexi/LexiSaebomR.ttf", "nanum/NanumMyeongjoEco.ttf",
                 "unfonts-extra/UnShinmun.ttf", "unfonts-extra/UnJamoBatang.ttf",
                 "nanum/NanumMyeongjoBold.ttf", "unfonts-extra/UnJamoNovel.ttf",
                 "unfonts-extra/UnYetgul.ttf"],
    "mono": ["naver-d2coding/D2Coding-Ver1.3.2-20180524-all.ttc", "unfonts-extra/UnTaza.ttf",
             "nanum/NanumGothicCodingBold.ttf"],
    "hand": ["alee/Eunjin.ttf", "nanum/NanumBarunpenR.ttf", "nanum/NanumPen.ttf",
             "unfonts-extra/UnPen.ttf", "unfonts-core/UnPilgi.ttf", "alee/Bandal.ttf"],
}
FACES = {kind: [os.path.join("/usr/share/fonts/truetype", f) for f in files]
         for kind, files in FACE_FILES.items()}
FACE_KINDS = list(FACES)
FACE_DPI = [150, 200, 300]

PAGE_W, PAGE_H = 1654, 2339  # A4 at 200 dpi
MARGIN = 130
KINDS = ["clean", "scanned", "small", "gray"]
PAGE_KINDS = ["a4", "twocol", "inverted", "fax", "title", "repeat", "screen", "phone", "faxstd"]
A4_DPI = [150, 200, 300, 400, 600]
# The sizes set: the same clean A4 pages drawn at each resolution.
SIZE_KINDS = [f"dpi{dpi}" for dpi in A4_DPI]

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


ROFF_ESCAPE = re.compile(r"\\f[BIRP]|\\f\(..|\\[|&^]|\\\(..|\\\*.|\\s[-+]?\d")


def documentation():
    """Texts of the Korean documentation installed on this machine."""
    texts = []
    for path in sorted(glob.glob("/usr/share/man/ko/man*/*.gz")):
        with gzip.open(path, "rt", encoding="utf-8", errors="replace") as f:
            lines = []
            for line in f:
                if line.startswith((".", "'")):
                    # Requests; the text of a heading or an item still counts.
                    parts = line.split(None, 1)
                    if len(parts) < 2 or parts[0] not in (".SH", ".SS", ".TP", ".IP", ".B", ".I"):
                        lines.append("")
                        continue
                    line = parts[1]
                line = ROFF_ESCAPE.sub("", line).replace("\\-", "-").replace("\\e", "\\")
                lines.append(line.replace('"', "").strip())
            texts.append("\n".join(lines))
    for path in sorted(glob.glob("/usr/share/vim/vim*/tutor/tutor.ko.utf-8")):
        with open(path, encoding="utf-8", errors="replace") as f:
            texts.append(re.sub(r"[~=*]{3,}", "", f.read()))
    for path in sorted(glob.glob("/usr/share/doc/*/*.ko.txt")):
        with open(path, encoding="utf-8", errors="replace") as f:
            texts.append(f.read())
    return texts


def doc_sentences():
    """Distinct Korean sentences of the installed documentation."""
    seen, out = set(), []
    for text in documentation():
        # Paragraphs are joined, then cut after each sentence's full stop.
        for para in re.split(r"\n\s*\n", text):
            para = re.sub(r"\s+", " ", para).strip()
            for sentence in re.split(r"(?<=[.!?])\s+", para):
                sentence = sentence.strip(" -:")
                if not 12 <= len(sentence) <= 90 or sentence in seen:
                    continue
                if len(HANGUL.findall(sentence)) < len(sentence) * 0.4:
                    continue
                seen.add(sentence)
                out.append(sentence)
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


def wrap_pool(rng, pool, font, width, max_lines):
    """Paragraphs of sentences wrapped to `width`, at most `max_lines` lines."""
    probe = ImageDraw.Draw(Image.new("L", (8, 8)))
    lines = []
    while len(lines) < max_lines - 1 and pool:
        para = [pool.pop() for _ in range(min(len(pool), rng.randint(2, 4)))]
        lines.extend(wrap(probe, font, " ".join(para).split(" "), width))
        lines.append("")
    while lines and (len(lines) > max_lines or lines[-1] == ""):
        lines.pop()
    return lines


def one_line(pool, font, width):
    """The first line of a sentence, as a title shows it."""
    probe = ImageDraw.Draw(Image.new("L", (8, 8)))
    return [wrap(probe, font, pool.pop().split(" "), width)[0]]


def line_step(font, gap):
    ascent, descent = font.getmetrics()
    return int((ascent + descent) * gap)


def draw_lines(draw, lines, font, x, y, step, fill):
    for line in lines:
        if line:
            draw.text((x, y), line, font=font, fill=fill)
        y += step
    return y


def render_twocol(rng, pool, font_file):
    w, h, margin, gutter = 2480, 3508, 200, 130
    font = ImageFont.truetype(font_file, rng.randint(32, 38))
    step = line_step(font, rng.uniform(1.3, 1.5))
    column = (w - 2 * margin - gutter) // 2
    rows = (h - 2 * margin) // step
    left = wrap_pool(rng, pool, font, column, rows)
    right = wrap_pool(rng, pool, font, column, rows)
    img = Image.new("L", (w, h), 255)
    draw = ImageDraw.Draw(img)
    draw_lines(draw, left, font, margin, margin, step, 0)
    draw_lines(draw, right, font, margin + column + gutter, margin, step, 0)
    return img, left + [""] + right


def render_inverted(rng, pool, font_file):
    w, h = 1920, 1080
    backgrounds = [(24, 32, 64), (20, 20, 20), (0, 90, 120), (120, 20, 40), (30, 80, 40)]
    bars = [(200, 120, 0), (0, 120, 200), (90, 90, 90), (230, 230, 230)]
    background = rng.choice(backgrounds)
    bar = rng.choice(bars)
    title_font = ImageFont.truetype(font_file, rng.randint(64, 80))
    body_font = ImageFont.truetype(font_file, rng.randint(38, 46))
    img = Image.new("RGB", (w, h), background)
    draw = ImageDraw.Draw(img)
    draw.rectangle([0, 0, w, 190], fill=bar)
    title = one_line(pool, title_font, w - 240)
    title_ink = (255, 255, 255) if sum(bar) < 450 else (20, 20, 20)
    draw_lines(draw, title, title_font, 120, 50, 0, title_ink)
    step = line_step(body_font, 1.45)
    body = wrap_pool(rng, pool, body_font, w - 240, (h - 300) // step)
    draw_lines(draw, body, body_font, 120, 260, step, rng.choice([(255, 255, 255), (250, 240, 170)]))
    return img, title + [""] + body


def render_fax(rng, pool, font_file, nrng):
    w, h, margin = 1240, 1754, 90
    font = ImageFont.truetype(font_file, rng.randint(20, 24))
    step = line_step(font, rng.uniform(1.35, 1.6))
    lines = wrap_pool(rng, pool, font, w - 2 * margin, (h - 2 * margin) // step)
    img = Image.new("L", (w, h), 255)
    draw_lines(ImageDraw.Draw(img), lines, font, margin, margin, step, 0)
    a = np.asarray(img.filter(ImageFilter.GaussianBlur(0.6)), dtype=np.float32)
    a += nrng.normal(0, 25, a.shape)
    binary = np.where(a < 140, 0, 255).astype(np.uint8)
    speck = nrng.random(binary.shape)
    binary[speck < 0.003] = 0
    return Image.fromarray(binary).convert("1"), lines


def render_faxstd(rng, pool, font_file, nrng):
    """A fax at standard resolution: 204 dots an inch across, 98 scan lines
    an inch down, so that the page's pixels are twice as high as wide."""
    w, h, margin = 1728, 2292, 180  # A4 in the fine raster, 204 x 196 dpi
    font = ImageFont.truetype(font_file, int(rng.uniform(10, 12) * 204 / 72))
    step = line_step(font, rng.uniform(1.3, 1.6))
    lines = wrap_pool(rng, pool, font, w - 2 * margin, (h - 2 * margin) // step)
    img = Image.new("L", (w, h), 255)
    draw_lines(ImageDraw.Draw(img), lines, font, margin, margin, step, 0)
    a = np.asarray(img.filter(ImageFilter.GaussianBlur(0.5)), dtype=np.float32)
    # The sensor sees two rows of the fine raster at once.
    a = (a[0::2] + a[1::2]) / 2
    a += nrng.normal(0, 20, a.shape)
    binary = np.where(a < 140, 0, 255).astype(np.uint8)
    binary[nrng.random(binary.shape) < 0.002] = 0
    return Image.fromarray(binary).convert("1"), lines


def render_title(rng, pool, font_file):
    w, h, margin = 2480, 3508, 220
    title_font = ImageFont.truetype(font_file, rng.randint(108, 133))
    body_font = ImageFont.truetype(font_file, rng.randint(34, 40))
    note_font = ImageFont.truetype(font_file, rng.randint(22, 26))
    img = Image.new("L", (w, h), 255)
    draw = ImageDraw.Draw(img)
    title = one_line(pool, title_font, w - 2 * margin)
    draw_lines(draw, title, title_font, margin, margin, 0, 0)
    step = line_step(body_font, 1.45)
    body_top = margin + 300
    body = wrap_pool(rng, pool, body_font, w - 2 * margin, (h - body_top - 500) // step)
    draw_lines(draw, body, body_font, margin, body_top, step, 0)
    note_step = line_step(note_font, 1.3)
    notes = wrap_pool(rng, pool, note_font, w - 2 * margin, 3)
    draw.line([margin, h - margin - 4 * note_step, margin + 600, h - margin - 4 * note_step],
              fill=0, width=3)
    draw_lines(draw, notes, note_font, margin, h - margin - 3 * note_step, note_step, 0)
    return img, title + [""] + body + [""] + notes


def render_repeat(rng, pool, font_file):
    w, h, margin = 2480, 3508, 200
    font = ImageFont.truetype(font_file, 33)
    step = int(33 * 1.25 * rng.uniform(0.95, 1.1))
    cycle = [pool.pop() for _ in range(rng.randint(2, 4))]
    probe = ImageDraw.Draw(Image.new("L", (8, 8)))
    cycle = [wrap(probe, font, c.split(" "), w - 2 * margin)[0] for c in cycle]
    lines = [cycle[i % len(cycle)] for i in range((h - 2 * margin) // step)]
    img = Image.new("L", (w, h), 255)
    draw_lines(ImageDraw.Draw(img), lines, font, margin, margin, step, 0)
    return img, lines


def render_screen(rng, pool, font_file):
    w, h = 1366, 768
    font = ImageFont.truetype(font_file, rng.randint(14, 16))
    img = Image.new("RGB", (w, h), (236, 236, 236))
    draw = ImageDraw.Draw(img)
    draw.rectangle([0, 0, w, 28], fill=(60, 63, 70))
    draw.rectangle([20, 50, w - 20, h - 20], fill=(255, 255, 255), outline=(180, 180, 180))
    step = line_step(font, 1.5)
    lines = wrap_pool(rng, pool, font, w - 80, (h - 110) // step)
    draw_lines(draw, lines, font, 40, 70, step, (30, 30, 30))
    return img, lines


def render_a4(rng, pool, font_file, dpi):
    w, h = int(8.27 * dpi), int(11.69 * dpi)
    margin = int(0.9 * dpi)
    font = ImageFont.truetype(font_file, int(rng.uniform(10, 12) * dpi / 72))
    step = line_step(font, rng.uniform(1.3, 1.6))
    lines = wrap_pool(rng, pool, font, w - 2 * margin, (h - 2 * margin) // step)
    img = Image.new("L", (w, h), 255)
    draw_lines(ImageDraw.Draw(img), lines, font, margin, margin, step, 0)
    return img, lines


def render_phone(rng, pool, font_file, nrng):
    """A printed page photographed: the page in perspective on a desk."""
    page, lines = render_a4(rng, pool, font_file, 200)
    w, h = page.size
    paper = np.array([rng.randint(225, 245), rng.randint(220, 240), rng.randint(200, 230)])
    a = np.asarray(page, dtype=np.float32)[..., None] / 255.0
    rgb = Image.fromarray((a * paper + (1 - a) * 30).astype(np.uint8), "RGB")
    # Corners pulled in by up to 6% (a phone held at a slant) and turned.
    d = [rng.uniform(0, 0.06) * s for s in (w, h, w, h, w, h, w, h)]
    quad = (d[0], d[1], d[2], h - d[3], w - d[4], h - d[5], w - d[6], d[7])
    rgb = rgb.transform((w, h), Image.QUAD, quad, resample=Image.BICUBIC, fillcolor=(90, 80, 70))
    rgb = rgb.rotate(rng.uniform(-4, 4), resample=Image.BICUBIC, fillcolor=(90, 80, 70))
    rgb = rgb.filter(ImageFilter.GaussianBlur(rng.uniform(0.6, 1.2)))
    f = np.asarray(rgb, dtype=np.float32)
    yy, xx = np.mgrid[0:h, 0:w]
    cx, cy = rng.uniform(0, w), rng.uniform(0, h)
    light = 1.0 - 0.35 * np.hypot(xx - cx, yy - cy) / np.hypot(w, h)
    f = f * light[..., None] + nrng.normal(0, 6, f.shape)
    return Image.fromarray(np.clip(f, 0, 255).astype(np.uint8), "RGB"), lines


def render_page_kind(kind, rng, pool, font_file, nrng, n=0):
    if kind == "a4":
        return render_a4(rng, pool, font_file, A4_DPI[n % len(A4_DPI)])
    if kind == "phone":
        return render_phone(rng, pool, font_file, nrng)
    if kind == "twocol":
        return render_twocol(rng, pool, font_file)
    if kind == "inverted":
        return render_inverted(rng, pool, font_file)
    if kind == "fax":
        return render_fax(rng, pool, font_file, nrng)
    if kind == "faxstd":
        return render_faxstd(rng, pool, font_file, nrng)
    if kind == "title":
        return render_title(rng, pool, font_file)
    if kind == "repeat":
        return render_repeat(rng, pool, font_file)
    return render_screen(rng, pool, font_file)


def save_page(stem, img, lines, jpeg_quality, fax=False):
    """The page as PNG, as JPEG at `jpeg_quality`, or as a standard-resolution
    fax TIFF, and its ground truth."""
    if fax:
        img.save(stem + ".tif", compression="group4", dpi=(204, 98))
    elif jpeg_quality:
        img.save(stem + ".jpg", quality=jpeg_quality)
    else:
        img.save(stem + ".png")
    with open(stem + ".gt.txt", "w", encoding="utf-8") as gt:
        gt.write("\n".join(lines) + "\n")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("out")
    parser.add_argument("--pages", type=int, default=5, help="pages per kind")
    parser.add_argument("--seed", type=int, default=20261208)
    parser.add_argument("--set", choices=["bench", "pages", "sizes", "faces"], default="bench")
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)

    rng = random.Random(args.seed)
    nrng = np.random.default_rng(args.seed)
    pool = sentences()
    rng.shuffle(pool)
    fonts = [f for f in FONTS if os.path.exists(f)]
    if not pool or not fonts:
        raise SystemExit("no Korean message catalogs or fonts installed")

    if args.set == "sizes":
        pool = doc_sentences() or pool
        fonts += [f for f in MORE_FONTS if os.path.exists(f)]
        for n in range(args.pages):
            font_file = fonts[n % len(fonts)]
            page_seed = rng.randrange(1 << 30)
            for dpi, kind in zip(A4_DPI, SIZE_KINDS):
                # One seed per page: each size draws the same text, face,
                # type size and spacing.
                page_rng = random.Random(page_seed)
                page_pool = list(pool)
                page_rng.shuffle(page_pool)
                img, lines = render_a4(page_rng, page_pool, font_file, dpi)
                stem = os.path.join(args.out, f"{kind}-{n}")
                save_page(stem, img, lines, None)
                print(f"{stem}: {os.path.basename(font_file)}, {len(lines)} lines")
        return

    if args.set == "faces":
        pool = doc_sentences() or pool
        rng.shuffle(pool)
        for kind in FACE_KINDS:
            faces = [f for f in FACES[kind] if os.path.exists(f)]
            for n in range(args.pages):
                font_file = faces[n % len(faces)]
                img, lines = render_a4(rng, pool, font_file, FACE_DPI[n % len(FACE_DPI)])
                stem = os.path.join(args.out, f"{kind}-{n}")
                save_page(stem, img, lines, None)
                print(f"{stem}: {os.path.basename(font_file)}, {len(lines)} lines")
        return

    if args.set == "pages":
        pool = doc_sentences() or pool
        rng.shuffle(pool)
        fonts += [f for f in MORE_FONTS if os.path.exists(f)]
        for kind in PAGE_KINDS:
            for n in range(args.pages):
                if len(pool) < 200:
                    pool = doc_sentences() or sentences()
                    rng.shuffle(pool)
                font_file = rng.choice(fonts)
                img, lines = render_page_kind(kind, rng, pool, font_file, nrng, n)
                stem = os.path.join(args.out, f"{kind}-{n}")
                save_page(stem, img, lines, 85 if kind == "phone" else None, kind == "faxstd")
                print(f"{stem}: {os.path.basename(font_file)}, {len(lines)} lines")
        return

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
            save_page(stem, img, lines, 75 if kind == "scanned" else None)
            print(f"{stem}: {os.path.basename(font_file)} {size}px, {len(lines)} lines")


if __name__ == "__main__":
    main()
