#!/usr/bin/env python3
"""Removes files from the built tree that no rule makes any more (a renamed or deleted source),
so the tree beside the game always equals what the sources describe. Only the tree's own
folders are walked: the same directory also holds the build system's files."""
import argparse
import os


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--tree", required=True)
    ap.add_argument("--manifest", required=True)
    a = ap.parse_args()
    with open(a.manifest, encoding="utf-8") as f:
        keep = {line.strip() for line in f if line.strip()}
    for top in TREE_FOLDERS:
        prune(os.path.join(a.tree, top), a.tree, keep)


TREE_FOLDERS = ("gfx", "sfx", "data", "txt")


def prune(start, tree, keep):
    for root, dirs, files in os.walk(start, topdown=False):
        for name in files:
            rel = os.path.relpath(os.path.join(root, name), tree).replace(os.sep, "/")
            if rel not in keep:
                os.remove(os.path.join(root, name))
                print(f"assets: removed stale {rel}")
        if not os.listdir(root):
            os.rmdir(root)


if __name__ == "__main__":
    main()
