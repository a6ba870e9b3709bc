# Sourced by the lab's scripts: private_display FOLDER GROUP starts an Xvfb with a tray host
# (trayer), exports DISPLAY and XAUTHORITY, and adds both processes to the caller's "pids".
# Only holders of the cookie (root and the group, through FOLDER/xauthority) may connect:
# the lab's windows are nobody else's to watch or drive.
private_display() {
  local folder=$1 group=$2 number=90
  while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do number=$((number + 1)); done
  export DISPLAY=":$number" XAUTHORITY="$folder/xauthority"
  rm -f "$XAUTHORITY"
  xauth -q -f "$XAUTHORITY" add "$DISPLAY" . "$(mcookie)"
  # xauth writes a new file of root's alone: the group is given its read afterwards.
  chgrp "$group" "$XAUTHORITY"
  chmod 0640 "$XAUTHORITY"
  Xvfb "$DISPLAY" -screen 0 1280x800x24 -nolisten tcp -auth "$XAUTHORITY" >/dev/null 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  trayer --edge top --align right --widthtype pixel --width 200 --height 32 >/dev/null 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do xwininfo -root -tree 2>/dev/null | grep -q '"panel"' && break; sleep 0.1; done
}
