#!/usr/bin/env bash
# Renews the screenshot gallery under docs/screenshots/ from the built
# program, in a private Xvfb.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
source "$here/env.sh"
# At 96 DPI and at 144 (150 %), in a prefix of its own.
VELBROOK_BIN="$RUN_DIR/bin" "$here/with-xvfb.sh" python3 "$VELBROOK_ROOT/tests/e2e/gallery.py"
VELBROOK_DPI=144 "$here/wineprefix.sh"
VELBROOK_DPI=144 VELBROOK_BIN="$RUN_DIR/bin" "$here/with-xvfb.sh" python3 "$VELBROOK_ROOT/tests/e2e/gallery.py"
# Pages the program writes, a plain one and one with every option, as a
# browser shows them, and one fitted to a phone, as a phone shows it.
pages="$BUILD_DIR/pages"
VELBROOK_PAGES_OUT="$pages" VELBROOK_BIN="$RUN_DIR/bin" "$here/with-xvfb.sh" python3 \
  "$VELBROOK_ROOT/tests/e2e/e2e_test.py" WizardRun.test_title_and_file_name_write_the_one_run_example \
  WizardRun.test_every_page_filled WizardRun.test_phone_tick_fits_the_page_to_a_phone_and_untick_restores_it
python3 "$VELBROOK_ROOT/tests/e2e/render_pages.py" "$pages"
