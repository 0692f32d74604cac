#!/usr/bin/env python3
"""Holds every source to the order of the layers in layers.txt.

A file of a layer's folder may include its own layer and the layers below it, never one
above; main.cpp sits above them all. The tests of a layer (tests/<layer>/) keep the same
rule, since their binary links that layer and the ones below it alone. Every include that
reaches upward is printed as file:line with what it reaches, and the check fails.

    check_layers.py [ROOT]        (ROOT: the source tree, default: two folders up from here)
"""
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')
SOURCE_EXT = ('.c', '.cpp', '.h', '.hpp', '.inc')


def read_layers(root):
    layers = []
    with open(os.path.join(root, 'layers.txt'), encoding='utf-8') as f:
        for line in f:
            line = line.strip()
            if line and not line.startswith('#'):
                layers.append(line)
    return layers


def sources(folder):
    for base, dirs, files in os.walk(folder):
        dirs.sort()
        for name in sorted(files):
            if name.endswith(SOURCE_EXT):
                yield os.path.join(base, name)


def included_layer(root, layers, path, target, search):
    """The layer an include names, or None when it is not one of the game's layers."""
    head = target.split('/', 1)[0]
    if head in layers and '/' in target:
        return head
    # Else the file's own folder's ("x.h", "../x.h"), a search folder's or the tree's own
    # ("tests/gui/x.h").
    for folder in [os.path.dirname(path)] + search + [root]:
        full = os.path.normpath(os.path.join(folder, target))
        if os.path.isfile(full):
            rel = os.path.relpath(full, root).split(os.sep)
            if rel[0] in layers:
                return rel[0]
            if rel[0] == 'tests' and len(rel) > 1 and rel[1] in layers:
                return rel[1]
            return None
    return None


def check(root):
    layers = read_layers(root)
    rank = {name: i for i, name in enumerate(layers)}
    files = []  # (path, own rank, search folders)
    for layer in layers:
        for path in sources(os.path.join(root, layer)):
            files.append((path, rank[layer], []))
        for path in sources(os.path.join(root, 'tests', layer)):
            files.append((path, rank[layer], [os.path.join(root, 'tests')]))
    main = os.path.join(root, 'main.cpp')
    if os.path.isfile(main):
        files.append((main, len(layers), []))

    problems = []
    for path, own, search in files:
        with open(path, encoding='utf-8', errors='replace') as f:
            for number, line in enumerate(f, 1):
                m = INCLUDE.match(line)
                if not m:
                    continue
                layer = included_layer(root, layers, path, m.group(1), search)
                if layer is not None and rank[layer] > own:
                    problems.append('%s:%d: includes "%s", of the layer %s, above its own (%s)' % (
                        os.path.relpath(path, root), number, m.group(1), layer,
                        layers[own] if own < len(layers) else 'main'))
    return layers, len(files), problems


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..')
    layers, count, problems = check(root)
    for p in problems:
        print(p)
    if problems:
        print('%d include(s) reach a layer above their own; the order, bottom up: %s' % (
            len(problems), ' < '.join(layers)))
        return 1
    print('%d files, every include within its layer or below (%s)' % (count, ' < '.join(layers)))
    return 0


if __name__ == '__main__':
    sys.exit(main())
