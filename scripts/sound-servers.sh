# Private sound servers, for the check against them and for the benchmark:
# PulseAudio, or PipeWire behind pipewire-pulse with wireplumber. Each gets a
# null sink, kelvaro_sink, made the default, whose monitor can be recorded.
# Sourced, also under set -e; everything started here is stopped by the pid it
# got.
sound_server_pids=()
sound_bus_pid=

# A runtime folder and a session bus of their own, in the folder given, for
# clients that use only these servers: no server named elsewhere, and none
# started by a client that finds none. Sets XDG_RUNTIME_DIR,
# DBUS_SESSION_BUS_ADDRESS, PULSE_CLIENTCONFIG and sound_bus_pid.
sound_bus_start() {
  export XDG_RUNTIME_DIR=$1
  mkdir -p -m 700 "$XDG_RUNTIME_DIR"
  unset SDL_AUDIODRIVER PULSE_SERVER
  printf 'autospawn = no\n' >"$XDG_RUNTIME_DIR/client.conf"
  export PULSE_CLIENTCONFIG=$XDG_RUNTIME_DIR/client.conf
  local reply
  reply=$(dbus-daemon --session --fork --print-address=1 --print-pid=1) || return 1
  export DBUS_SESSION_BUS_ADDRESS=$(sed -n 1p <<<"$reply")
  sound_bus_pid=$(sed -n 2p <<<"$reply")
}

sound_bus_stop() {
  [ -z "${sound_bus_pid:-}" ] || kill "$sound_bus_pid" 2>/dev/null || true
  sound_bus_pid=
}

sound_server_answers() {
  local try
  for ((try = 0; try < 100; ++try)); do
    pactl info >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

# Starts a server of the kind given (pulseaudio or pipewire), its output in
# the log given, and waits until it answers. Sets sound_server_pids.
sound_server_start() {
  local kind=$1 log=$2
  sound_server_pids=()
  case "$kind" in
    pulseaudio)
      printf 'load-module module-native-protocol-unix\n' >"$XDG_RUNTIME_DIR/server.pa"
      pulseaudio -n -F "$XDG_RUNTIME_DIR/server.pa" --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
        >>"$log" 2>&1 &
      sound_server_pids+=($!)
      ;;
    pipewire)
      # The session manager and the PulseAudio front end give up when PipeWire
      # does not answer yet, so they start once its socket is there; a killed
      # PipeWire leaves its old one behind.
      rm -f "$XDG_RUNTIME_DIR/pipewire-0" "$XDG_RUNTIME_DIR/pipewire-0.lock"
      pipewire >>"$log" 2>&1 &
      sound_server_pids+=($!)
      local try
      for ((try = 0; try < 100; ++try)); do
        [ -S "$XDG_RUNTIME_DIR/pipewire-0" ] && break
        sleep 0.1
      done
      wireplumber >>"$log" 2>&1 &
      sound_server_pids+=($!)
      pipewire-pulse >>"$log" 2>&1 &
      sound_server_pids+=($!)
      ;;
  esac
  sound_server_answers || return 1
  # Without rewinds the sink never renders a stretch twice, so its monitor's
  # recording keeps the wall clock's time: the first second of it is the first
  # second after the recorder starts. pipewire-pulse may answer before
  # PipeWire can make the sink or name a default ("Not supported"), so each
  # step is tried again for a while.
  sound_server_retry pactl load-module module-null-sink sink_name=kelvaro_sink norewinds=1 &&
    sound_server_retry pactl set-default-sink kelvaro_sink
}

# Runs a command until it succeeds, for up to 10 s.
sound_server_retry() {
  local try
  for ((try = 0; try < 100; ++try)); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  "$@" >/dev/null
}

# Gone at once, as after a crash: no goodbye to the clients.
sound_server_kill() {
  local pid
  for pid in "${sound_server_pids[@]}"; do kill -KILL "$pid" 2>/dev/null || true; done
  for pid in "${sound_server_pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  sound_server_pids=()
}
