# Shell helpers shared by the scripts that run Tervane against the local service simulator.
# Source it, then call start_simulator; stop_simulator runs from the caller's EXIT trap.

# start_simulator BUILD_DIR FOLDER [tervane-sim options...]
# Starts tervane-sim on a free port with its fixtures in FOLDER, waits until it serves and sets
# sim_host (127.0.0.1:PORT) and sim_pid.
start_simulator() {
  local build_dir=$1 folder=$2
  shift 2
  "$build_dir/sim/tervane-sim" --fixtures "$folder" "$@" >"$folder/sim.out" &
  sim_pid=$!
  for _ in $(seq 100); do
    grep -q '^listening on ' "$folder/sim.out" && break
    sleep 0.1
  done
  sim_host=$(sed -n 's/^listening on //p' "$folder/sim.out")
  [ -n "$sim_host" ] || { echo "the simulator did not start" >&2; return 1; }
}

stop_simulator() {
  if [ -n "${sim_pid:-}" ]; then
    kill "$sim_pid" 2>/dev/null || true
    wait "$sim_pid" 2>/dev/null || true
  fi
}

# write_window_settings FOLDER FILE
# Writes a settings file for the window (GBK) holding the simulator's post addresses of FOLDER
# and no delay between pages.
write_window_settings() {
  local folder=$1 file=$2 addresses
  addresses=$(tr -d '\r' <"$folder/addresses.txt" | sed ':a;N;$!ba;s/\n/┊*┊/g')
  printf '[基本配置]\r\n微博地址=%s\r\n延时1=0\r\n延时2=0\r\n' "$addresses" |
    iconv -f UTF-8 -t GBK >"$file"
}
