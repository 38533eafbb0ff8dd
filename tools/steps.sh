# The quiet steps of the tools, sourced by each: a step says in one line
# what it does, keeps the output of the commands it runs (apt, dpkg,
# CMake, the compiler) in a log, and shows the end of that log only when
# the step fails, which ends the script.

step() { # what log command...
  local what=$1 log=$2
  shift 2
  echo "$what ..." >&2
  mkdir -p "$(dirname "$log")"
  if ! "$@" >"$log" 2>&1; then
    echo "$what failed; the end of $log:" >&2
    tail -n 60 "$log" >&2
    exit 1
  fi
}
