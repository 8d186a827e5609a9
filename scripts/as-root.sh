# shellcheck shell=bash
# Sourced by the scripts that change the system: runs a command as root. Through
# sudo it never asks for a password (-n), so an unattended run fails at once with
# sudo's message instead of waiting for a password nobody types.
qv_as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo -n "$@"; fi
}
