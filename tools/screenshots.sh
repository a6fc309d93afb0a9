#!/bin/sh
# Saves screenshots of the configurator's window, pages and dialogs into OUTDIR, under a virtual X
# server. TOOL defaults to the zelmar-screenshots program of the build folder "build".
set -eu
if [ $# -lt 1 ]; then
    echo "usage: $0 OUTDIR [TOOL]" >&2
    exit 2
fi
outdir=$1
tool=${2:-$(dirname "$0")/../build/bin/zelmar-screenshots}
mkdir -p "$outdir"
# The tool's own platform is xcb here, whatever the caller's environment says.
unset QT_QPA_PLATFORM
exec xvfb-run -a -s "-screen 0 1280x1024x24" "$tool" "$outdir"
