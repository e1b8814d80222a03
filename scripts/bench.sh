#!/usr/bin/env bash
# Builds and runs every benchmark, then prints one table of the figures people
# ask about. Figures only: nothing passes or fails here.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build --preset default >/dev/null
export QT_QPA_PLATFORM=offscreen
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

for b in bench_model bench_editor bench_link bench_transfer; do
  echo "running $b..." >&2
  build/bench/$b --benchmark_format=json --benchmark_out="$out/$b.json" \
    --benchmark_out_format=json >/dev/null 2>&1
done
echo "running bench_shell..." >&2
build/bench/bench_shell --benchmark_filter=Open255 >"$out/shell.txt" 2>/dev/null
# The Windows row, where the Windows build (make windows) and Wine are there.
: >"$out/windows.txt"
wine=${VARNO_WINE:-$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)}
if [ -f build-windows/bin/varno-cli.exe ] && [ -x "$wine" ]; then
  echo "running the transmit under Wine..." >&2
  ./scripts/wine-bench.sh build-windows/bin build >"$out/windows.txt" 2>/dev/null || true
else
  echo "transmit 255 programs, Windows under Wine: not measured (make windows first)" >"$out/windows.txt"
fi

python3 - "$out" <<'PY'
import json, sys, os, re
out = sys.argv[1]
rows = []
def bench(name):
    path = os.path.join(out, name + '.json')
    return json.load(open(path))['benchmarks'] if os.path.exists(path) else []
def ms(b):
    scale = {'ns': 1e-6, 'us': 1e-3, 'ms': 1.0, 's': 1000.0}[b.get('time_unit', 'ns')]
    return b['real_time'] * scale
for b in bench('bench_model'):
    rows.append(('model: ' + b['name'], '%.3f ms' % ms(b)))
for b in bench('bench_editor'):
    rows.append(('editor: ' + b['name'], '%.2f ms' % ms(b)))
for prefix in ('link', 'transfer'):
  for b in bench('bench_' + prefix):
    value = '%.1f ms' % ms(b)
    for key in ('ratio_to_line', 'ratio_to_floor'):
        if key in b:
            value += '  (ratio to the line-time floor %.3f)' % b[key]
    for key, v in b.items():
        if key.startswith('us_per_exchange') or key.startswith('host_us'):
            value += '  (%s %.1f)' % (key, v)
    rows.append((prefix + ': ' + b['name'], value))
for line in open(os.path.join(out, 'shell.txt')):
    m = re.match(r'(startup|open 255 programs|peak memory[^:]*): (.*)', line.strip())
    if m:
        rows.append((m.group(1), m.group(2)))
for line in open(os.path.join(out, 'windows.txt')):
    name, _, value = line.strip().partition(': ')
    if value:
        rows.append((name, value))
width = max(len(r[0]) for r in rows)
print('%-*s  %s' % (width, 'figure', 'value'))
print('%s  %s' % ('-' * width, '-' * 40))
for name, value in rows:
    print('%-*s  %s' % (width, name, value))
PY
