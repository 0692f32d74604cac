"""Shows that the layer check catches an upward include, however it is written, and lets
the includes of a well-ordered tree pass."""
import contextlib
import io
import os
import pathlib
import shutil
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import check_layers  # noqa: E402


# A small tree in order: three layers, a main, and a test folder with its support header.
ORDERED = {
    'layers.txt': '# bottom up\nplatform\ngui\nscreens\n',
    'platform/clock.h': '#pragma once\n',
    'gui/button.h': '#pragma once\n#include "platform/clock.h"\n',
    'screens/menu/menu.cpp': '#include "gui/button.h"\n#include "menu.h"\n',
    'screens/menu/menu.h': '#pragma once\n',
    'main.cpp': '#include "screens/menu/menu.h"\n',
    'tests/gui/fixture.h': '#pragma once\n#include "tests/support/x.h"\n',
    'tests/support/x.h': '#pragma once\n',
}


class SmallTree(unittest.TestCase):
    def setUp(self):
        self.root = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, self.root)
        for rel, text in ORDERED.items():
            self.write(rel, text)

    def write(self, rel, text):
        path = pathlib.Path(self.root, rel)
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_text(text)

    def problems(self):
        return check_layers.check(self.root)[2]

    def test_ordered_tree_passes(self):
        self.assertEqual(self.problems(), [])

    def test_upward_includes_are_named_with_file_and_line(self):
        cases = [
            # (file, text, what the report must name)
            ('gui/widget.cpp', '#include <string>\n#include "screens/menu/menu.h"\n', 'gui/widget.cpp:2:'),
            ('platform/draw.cpp', '#include "../gui/button.h"\n', 'platform/draw.cpp:1:'),
            ('platform/deep/x.h', '  #  include "gui/button.h"\n', 'platform/deep/x.h:1:'),
            ('tests/gui/test_button.cpp', '#include "screens/menu/menu.h"\n', 'tests/gui/test_button.cpp:1:'),
            ('tests/platform/test_clock.cpp', '#include "tests/gui/fixture.h"\n', 'tests/platform/test_clock.cpp:1:'),
        ]
        for rel, text, want in cases:
            with self.subTest(rel=rel):
                self.write(rel, text)
                found = self.problems()
                self.assertEqual(len(found), 1, found)
                self.assertTrue(found[0].startswith(want), found[0])
                os.remove(os.path.join(self.root, rel))

    def test_the_exit_code_tells(self):
        self.write('platform/bad.cpp', '#include "gui/button.h"\n')
        sys.argv = ['check_layers.py', self.root]
        with contextlib.redirect_stdout(io.StringIO()) as out:
            self.assertEqual(check_layers.main(), 1)
        self.assertIn('platform/bad.cpp:1:', out.getvalue())


if __name__ == '__main__':
    unittest.main()
