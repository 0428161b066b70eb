#!/usr/bin/env bash
# Packs the internal skin (resources/skins/BlueGauze) with the native skinpack and writes the pack into the
# installer window's stored layout, as the skin manager's internal skin data. Run it after the skin changes;
# a native test tells when the layout's pack no longer matches the skin folder.
set -euo pipefail
cd "$(dirname "$0")/.."
skinpack=${SKINPACK:-build/native/tools/skinpack/skinpack}
[ -x "$skinpack" ] || { echo "build the native skinpack first (make native)" >&2; exit 1; }
pack=$(mktemp --suffix=.tez)
trap 'rm -f "$pack"' EXIT
"$skinpack" pack resources/skins/BlueGauze "$pack" >/dev/null
python3 - "$pack" resources/layouts/Form1.layout <<'PY'
import re, sys
data = open(sys.argv[1], 'rb').read().hex().upper()
lines = ''.join('          %s\n' % data[i:i + 128] for i in range(0, len(data), 128))
layout = open(sys.argv[2], encoding='utf-8').read()
layout, count = re.subn(r'( *)Data = hex \{\n.*?\n?\1\}', lambda m: m.group(1) + 'Data = hex {\n' + lines + m.group(1) + '}',
                        layout, count=1, flags=re.S)
if count != 1:
    sys.exit('no "Data = hex {" in the layout')
open(sys.argv[2], 'w', encoding='utf-8').write(layout)
PY
echo "wrote the internal skin pack ($(stat -c %s "$pack") bytes) into resources/layouts/Form1.layout"
