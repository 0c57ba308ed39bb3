#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The nuperako developers
# SPDX-License-Identifier: MIT
"""Puts the browser edition together in one folder, ready for any static web
server: the page (web/), the module, the chimes, the pictures (PNG made from the
desktop's XPM files), the icons, a subset of the Debian gothic holding only the
characters the program shows, and the service worker with the list of files it
keeps offline, under a cache name that changes with their contents.

Usage: build-page.py SOURCE_ROOT MODULE OUTPUT_FOLDER
"""
import hashlib
import json
import pathlib
import re
import shutil
import sys

from fontTools import subset
from PIL import Image

GOTHIC = pathlib.Path("/usr/share/fonts/truetype/horai-umefont/ume-pgo4.ttf")

# The page's own texts; the program's are the module's.
PAGE_TEXTS = ["web/index.html", "web/teacher.html", "web/nomodule.js", "web/js/*.js"]
DATA_SECTION = 11


def leb128(data, pos):
    """An unsigned LEB128 number at pos, and the position after it."""
    value = shift = 0
    while True:
        byte = data[pos]
        pos += 1
        value |= (byte & 0x7F) << shift
        shift += 7
        if byte < 0x80:
            return value, pos


def module_characters(module):
    """The non-ASCII characters of the UTF-8 texts in the module's data: everything the program shows."""
    data = module.read_bytes()
    characters = set()
    pos = 8  # past the magic number and the version
    while pos < len(data):
        section = data[pos]
        size, pos = leb128(data, pos + 1)
        if section == DATA_SECTION:
            text = data[pos:pos + size].decode("utf-8", errors="replace")
            characters |= {c for c in text if ord(c) > 0x7F and c != "\ufffd"}
        pos += size
    return characters


def shown_characters(root, module):
    characters = {chr(c) for c in range(0x20, 0x7F)} | module_characters(module)
    for pattern in PAGE_TEXTS:
        for path in sorted(root.glob(pattern)):
            characters |= {c for c in path.read_text(encoding="utf-8") if ord(c) > 0x7F}
    return "".join(sorted(characters))


def subset_font(characters, output):
    options = subset.Options()
    options.flavor = "woff2"
    options.layout_features = ["*"]
    font = subset.load_font(str(GOTHIC), options)
    subsetter = subset.Subsetter(options)
    subsetter.populate(text=characters)
    subsetter.subset(font)
    subset.save_font(font, str(output), options)


def main():
    root, module, out = (pathlib.Path(a) for a in sys.argv[1:4])
    if out.exists():
        shutil.rmtree(out)
    (out / "js").mkdir(parents=True)
    for name in ["style.css", "teacher.css", "teacher.html", "manifest.webmanifest", "nomodule.js"]:
        shutil.copy(root / "web" / name, out / name)
    scripts = sorted((root / "web" / "js").glob("*.js"))
    for script in scripts:
        shutil.copy(script, out / "js" / script.name)
    # Without these the browser finds the modules one import level at a time, and
    # the module, the font and the pictures only when the board is built.
    preloads = [f'<link rel="modulepreload" href="js/{s.name}">' for s in scripts]
    preloads += ['<link rel="preload" href="nuperako.wasm" as="fetch" crossorigin>',
                 '<link rel="preload" href="fonts/gothic.woff2" as="font" type="font/woff2" crossorigin>']
    hands = [xpm.stem for xpm in sorted((root / "resources").glob("*.xpm")) if xpm.stem != "icon"]
    preloads += [f'<link rel="preload" href="pictures/{hand}.png" as="image">' for hand in hands]
    page = (root / "web" / "index.html").read_text(encoding="utf-8")
    page = re.sub(r"<!-- preloads:.*?-->", "\n".join(preloads), page)
    (out / "index.html").write_text(page, encoding="utf-8")
    shutil.copy(module, out / "nuperako.wasm")
    (out / "sounds").mkdir()
    for sound in ["mypinpon.wav", "endpinpon.wav"]:
        shutil.copy(root / "resources" / sound, out / "sounds" / sound)
    (out / "pictures").mkdir()
    for hand in hands:
        with Image.open(root / "resources" / f"{hand}.xpm") as picture:
            picture.convert("RGB").save(out / "pictures" / f"{hand}.png", optimize=True)
    (out / "icons").mkdir()
    for icon in sorted((root / "resources" / "icons").glob("nuperako-*.png")):
        shutil.copy(icon, out / "icons" / icon.name)
    (out / "fonts").mkdir()
    subset_font(shown_characters(root, module), out / "fonts" / "gothic.woff2")

    files = sorted(p.relative_to(out).as_posix() for p in out.rglob("*") if p.is_file())
    digest = hashlib.sha256()
    for name in files:
        digest.update(name.encode() + (out / name).read_bytes())
    worker = (root / "web" / "sw.js").read_text(encoding="utf-8")
    worker = worker.replace("@CACHE_NAME@", "nuperako-" + digest.hexdigest()[:16])
    worker = worker.replace("'@FILES@'", ", ".join(json.dumps(n) for n in ["./"] + files))
    (out / "sw.js").write_text(worker, encoding="utf-8")


if __name__ == "__main__":
    main()
