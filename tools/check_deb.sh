#!/usr/bin/env bash
# Checks a Debian package of Quorvel as Debian would: lintian, pedantic, reports no error and no warning
# (what else it says is shown), and hardening-check finds /usr/bin/quorvel position-independent, with
# stack protector, fortified libc calls and full RELRO (read-only relocations, bound at start-up).
# Usage: tools/check_deb.sh DEB
set -euo pipefail
deb=$1
fail() { echo "$deb: $*" >&2; exit 1; }

# lintian warns against running as root, which CI does; the warning is not about the package.
lintian --pedantic --display-info --fail-on error,warning "$deb" \
  2> >(grep -v 'running with root privileges' >&2) || fail "lintian reports errors or warnings"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
# Control flow integrity needs every object marked for it, which Debian 12's own start files are not.
report=$(hardening-check --nocfprotection "$root/usr/bin/quorvel") || fail "hardening-check: $report"
for feature in "Position Independent Executable" "Stack protected" "Fortify Source functions" \
               "Read-only relocations" "Immediate binding"; do
  grep -q "^ $feature: yes" <<<"$report" || fail "hardening-check: $report"
done
echo "$deb: lintian has no error or warning; /usr/bin/quorvel is PIE, stack-protected, fortified, full RELRO"
