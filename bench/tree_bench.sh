#!/bin/bash
# The tree benchmark: the program in test mode (copy and substitution, no
# project conversion) on a generated tree of 2,000 C files of 20 KB each,
# against "cp -r" followed by "perl -pi -e" with the same 20 rewrites
# (\bfooN\( -> barN(). Three runs of each, alternating; prints the medians and
# their ratio.
#
# Usage: bench/tree_bench.sh BUILD_DIR [FILES]
# BUILD_DIR holds a release build with bin/varnock and bench/bench_source_tree.
set -eu

BUILD=$(cd "$1" && pwd)
FILES=${2:-2000}
RUNS=3
WORK=$(mktemp -d "${TMPDIR:-/tmp}/varnock-tree-bench.XXXXXX")
trap 'rm -rf "$WORK"' EXIT

"$BUILD/bench/bench_source_tree" "$WORK/tree" "$FILES" 1

# A stand-in installation: the program, its libraries and the rules template;
# the user folders lie below a home folder of its own.
INSTALL="$WORK/install"
mkdir -p "$INSTALL/bin" "$INSTALL/lib" "$INSTALL/config/template/Varnock" "$WORK/home/Documents"
cp "$BUILD/bin/varnock" "$INSTALL/bin/"
cp "$BUILD/lib/libvarnock-system.so" "$BUILD/lib/libvarnock-ui.so" "$INSTALL/lib/"

PERL_PROGRAM=""
{
  printf '<?xml version="1.0" encoding="iso-8859-1"?>\n\n<Varnock>\n'
  printf '  <fileVersion>1.1</fileVersion>\n  <substitutions>\n'
  for n in $(seq 0 19); do
    printf '    <substitution>\n      <input>foo%s(x);</input>\n' "$n"
    printf '      <from>\\bfoo%s\\(</from>\n      <to>bar%s(</to>\n' "$n" "$n"
    printf '    </substitution>\n'
    PERL_PROGRAM="${PERL_PROGRAM}s/\\bfoo$n\\(/bar$n(/g; "
  done
  printf '  </substitutions>\n</Varnock>\n'
} >"$INSTALL/config/template/Varnock/Varnock-Substitutions.xml"

cat >"$WORK/Varnock.xml" <<'EOF'
<?xml version="1.0" encoding="iso-8859-1"?>

<initializeVarnock>
  <fileVersion>1.0</fileVersion>
  <browsedDirectory></browsedDirectory>
  <externalConverter></externalConverter>
  <makeBackups>false</makeBackups>
  <useExtConverter>false</useExtConverter>
  <useRegExpConverter>true</useRegExpConverter>
  <regexpExtentions>
    <extention>*.c;*.h</extention>
  </regexpExtentions>
</initializeVarnock>
EOF

# Each run writes a folder of its own; nothing is removed until the end, so
# that no run pays for freeing what the one before it wrote.
run_varnock() {
  env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_CONFIG_HOME HOME="$WORK/home" \
    "$INSTALL/bin/varnock" --test-mode --ini-file="$WORK/Varnock.xml" \
    --src-dir="$WORK/tree" --dst-dir="$WORK/varnock-out-$1" </dev/null
}

run_script() {
  cp -r "$WORK/tree" "$WORK/script-out-$1"
  find "$WORK/script-out-$1" -name '*.c' -exec perl -pi -e "$PERL_PROGRAM" {} +
}

# Seconds that the call "$@" takes.
seconds() {
  sync
  local TIMEFORMAT=%R
  { time "$@" >/dev/null 2>&1; } 2>&1
}

median() { printf '%s\n' "$@" | sort -n | sed -n "$(((${#} + 1) / 2))p"; }

echo "tree: $FILES files, $(du -sm "$WORK/tree" | cut -f1) MB"
cat "$WORK/tree"/lib0/part0/*.c >/dev/null
varnock_times=()
script_times=()
for run in $(seq 1 $RUNS); do
  varnock_times+=("$(seconds run_varnock "$run")")
  if [ ! -f "$WORK/varnock-out-$run/VarnockReport.txt" ]; then
    echo "the program wrote no report" >&2
    exit 1
  fi
  script_times+=("$(seconds run_script "$run")")
  echo "run $run: varnock ${varnock_times[-1]} s, cp + perl ${script_times[-1]} s"
done

varnock_median=$(median "${varnock_times[@]}")
script_median=$(median "${script_times[@]}")
echo "median: varnock $varnock_median s, cp + perl $script_median s"
awk -v a="$varnock_median" -v b="$script_median" \
  'BEGIN { printf "ratio varnock / (cp + perl): %.2f\n", a / b }'
