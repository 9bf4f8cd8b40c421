#!/usr/bin/env bash
# The real Win32 services that the program's own scenarios cannot show
# (message boxes and modal dialogs, modeless dialogs, process start) checked by
# a test program of their own under Wine.
set -uo pipefail
here=$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/e2e/lib/services-test.sh
. "$here/lib/services-test.sh"

services_test_require
wine_start_test win32-services
xvfb_start || exit 1
services_test_run
