#!/usr/bin/env bash
# Hosting over the internet through a real home router: Debian's miniupnpd
# in network namespaces. "home" (10.0.0.2) sits behind "router", which
# masquerades it to the internet side, where "net" (the friend) is; the
# router's outer address looks public, as miniupnpd wants. Then:
#   - the launcher's router client finds the router through NAT-PMP and
#     through UPnP, with its outer address, has a port forwarded, and
#     takes another forwarding back so the router holds none of it;
#   - the launcher at home hosts an IPX game in the real DOSBox after the
#     window showed (and copied) the router's address, and a DOSBox on the
#     internet side joins there: both IPXNET STATUS show the connection;
#   - a second host while that DOSBox holds UDP 21300 is refused and
#     starts nothing;
#   - a modem game waits for a call and a call from the internet side
#     reaches it at the router's address and TCP port 23000;
#   - a host cancelled after the router forwarded leaves no forwarding;
#   - with no router at all, hosting still starts within a few seconds.
# The namespaces also keep these games off the machine's own ports 21300
# and 23000.
. "${E2E_LIB:-$(dirname "$0")/lib.sh}"
: "${UNIT_TESTS:?path of the unit_tests program}"
root="$(cd "$(dirname "$0")/../.." && pwd)"
external=45.67.89.1 friend=45.67.89.2 home=10.0.0.2

if [ "$(id -u)" -ne 0 ]; then
    echo "skipped: network namespaces need root"
    exit 77
fi
"$root/scripts/install-deps.sh" miniupnpd-nftables nftables iproute2 curl >&2
ns="vornhale$$"
if ! ip netns add "$ns-home" 2>/dev/null; then
    echo "skipped: this machine cannot make network namespaces"
    exit 77
fi
ip netns add "$ns-router"
ip netns add "$ns-net"
need_dosbox
e2e_start_x
dosbox_scratch_home
daemon=""
stop_router() {
    if [ -n "$daemon" ]; then
        kill "$daemon" 2>/dev/null || true
        wait "$daemon" 2>/dev/null || true
    fi
    daemon=""
}
cleanup() {
    end_our_dosboxes
    stop_router
    for n in home router net; do ip netns del "$ns-$n" 2>/dev/null || true; done
    e2e_cleanup
}
trap cleanup EXIT
in_ns() { local n="$1"; shift; ip netns exec "$ns-$n" "$@"; }

for n in home router net; do ip -n "$ns-$n" link set lo up; done
ip link add h0 netns "$ns-home" type veth peer name lan netns "$ns-router"
ip link add wan netns "$ns-router" type veth peer name i0 netns "$ns-net"
ip -n "$ns-home" addr add "$home/24" dev h0
ip -n "$ns-router" addr add 10.0.0.1/24 dev lan
ip -n "$ns-router" addr add "$external/24" dev wan
ip -n "$ns-net" addr add "$friend/24" dev i0
ip -n "$ns-home" link set h0 up
ip -n "$ns-router" link set lan up
ip -n "$ns-router" link set wan up
ip -n "$ns-net" link set i0 up
ip -n "$ns-home" route add default via 10.0.0.1
in_ns router sysctl -qw net.ipv4.ip_forward=1
# What Debian's nft_init.sh would make (it needs a helper the package
# lacks): the chains miniupnpd fills, jumped to from the router's hooks.
in_ns router nft -f - <<'NFT'
table inet filter {
    chain forward {
        type filter hook forward priority 0; policy drop;
        ct state established,related accept
        iifname "lan" oifname "wan" accept
        jump miniupnpd
    }
    chain miniupnpd {}
    chain prerouting { type nat hook prerouting priority -100; policy accept; jump prerouting_miniupnpd; }
    chain postrouting {
        type nat hook postrouting priority 100; policy accept;
        jump postrouting_miniupnpd
        oifname "wan" masquerade
    }
    chain prerouting_miniupnpd {}
    chain postrouting_miniupnpd {}
}
NFT
start_router() {
    # Each start begins with no forwarding, so each check sees its own.
    in_ns router nft flush chain inet filter prerouting_miniupnpd
    in_ns router nft flush chain inet filter miniupnpd
    # $2 "no": any home computer may ask for a forwarding to any other.
    printf '%s\n' ext_ifname=wan listening_ip=lan http_port=5000 enable_natpmp=yes "enable_upnp=$1" \
        "secure_mode=${2:-yes}" \
        uuid=0c6f7e2a-5b1d-4a52-9d3e-3f2b8a6c1d40 "allow 1024-65535 10.0.0.0/24 1024-65535" \
        "deny 0-65535 0.0.0.0/0 0-65535" >"$E2E_TMP/miniupnpd.conf"
    # ip runs miniupnpd in its own place, so $! is the daemon.
    ip netns exec "$ns-router" miniupnpd -f "$E2E_TMP/miniupnpd.conf" -d -P "$E2E_TMP/miniupnpd.pid" \
        >"$E2E_TMP/miniupnpd.log" 2>&1 &
    daemon=$!
    for _ in $(seq 50); do grep -q 'Listening for NAT-PMP' "$E2E_TMP/miniupnpd.log" && return; sleep 0.1; done
    fail "miniupnpd did not start: $(cat "$E2E_TMP/miniupnpd.log")"
}
forwarded() { in_ns router nft list chain inet filter prerouting_miniupnpd | grep "dport $1 dnat ip to $home:$1" >/dev/null; }
# Waits up to ten seconds for DOS to write a line matching $2 into $1, which
# it may be rewriting.
dos_says() {
    for _ in $(seq 50); do
        tr -d '\r' <"$1" 2>/dev/null | grep -q "$2" && return 0
        sleep 0.2
    done
    return 1
}

# The router client alone, NAT-PMP first, then UPnP.
for way in natpmp upnp; do
    start_router "$([ $way = upnp ] && echo yes || echo no)"
    in_ns home env VORNHALE_TEST_ROUTER="$external" VORNHALE_TEST_ROUTER_WAY="$way" VORNHALE_TEST_LOCAL="$home" \
        "$UNIT_TESTS" --gtest_filter='Network.TheHomeRouter*' >"$E2E_TMP/unit.log" 2>&1 ||
        fail "the router client ($way): $(cat "$E2E_TMP/unit.log")"
    grep -q '^\[  PASSED  \] 1 test' "$E2E_TMP/unit.log" ||
        fail "the router test did not run: $(cat "$E2E_TMP/unit.log")"
    forwarded 23456 ||
        fail "no forwarding of port 23456 through $way: $(in_ns router nft list table inet filter) $(cat "$E2E_TMP/unit.log")"
    ! forwarded 23457 || fail "port 23457 is still forwarded through $way after it was taken back"
    [ $way = upnp ] || stop_router
done

# The launcher, its DOSBox and their X clients at home; X is reached
# through its socket file, which no network namespace hides.
run_launcher() { QT_QPA_PLATFORM=xcb exec ip netns exec "$ns-home" "$LAUNCHER"; }
# Hosts through the window $1, which key $3 opens from the dialog that $2
# opens: once the router has answered, its Copy (at y $4) must give $5,
# where friends on the internet join; then it starts the game.
host_through() {
    local window shown
    start_in "$GAME"
    press "$($2)" "$3"
    window="$(wait_window "$1")"
    sleep 2.5
    click_at "$window" 346 "$4"
    sleep 0.3
    shown="$(xclip -o -selection clipboard 2>/dev/null || true)"
    [ "$shown" = "$5" ] || fail "\"$1\" showed '$shown' as where friends on the internet join"
    # From Copy, Tab goes on to the start.
    press "$window" Tab Return
    launcher_ended
}

# IPX: the host polls IPXNET STATUS, so it shows the friend once joined.
net_bat "$GAME" ':again' 'IPXNET STATUS > STATUS.TXT' 'WAIT1' 'goto again'
host_through "Host or Join" open_ipx_dialog alt+s 114 "$external"
dos_says "$GAME/ENGINE/STATUS.TXT" '^Server status: ACTIVE' || fail "the host runs no IPX server"
forwarded 21300 || fail "the router does not forward UDP 21300: $(cat "$E2E_TMP/miniupnpd.log")"

# The friend's DOSBox on the internet side joins at that address.
friend_dir="$E2E_TMP/friend"
mkdir -p "$friend_dir"
printf '[ipx]\nipx=true\n' >"$E2E_TMP/ipx.conf"
printf '@echo off\r\nIPXNET STATUS > STATUS.TXT\r\nWAIT\r\n' >"$friend_dir/JOIN.BAT"
cp "$E2E_TMP/WAIT.COM" "$friend_dir/"
in_ns net dosbox -conf "$E2E_TMP/ipx.conf" -c "IPXNET CONNECT $external 21300" "$friend_dir/JOIN.BAT" -exit \
    >"$E2E_TMP/friend.log" 2>&1 &
status="$(dos_file "$friend_dir/STATUS.TXT")"
grep -q "^Client status: CONNECTED -- Server at $external port 21300" <<<"$status" ||
    fail "the friend is not connected to the host: $status"
dos_says "$GAME/ENGINE/STATUS.TXT" "$friend from port" ||
    fail "the host does not list the friend: $(cat "$GAME/ENGINE/STATUS.TXT")"

# A second host while that DOSBox holds UDP 21300: refused, nothing starts.
rm "$GAME/ENGINE/COMMIT.DAT"
start_in "$GAME"
ipx="$(open_ipx_dialog)"
press "$ipx" alt+s
press "$(wait_window "Host or Join")" Return
sleep 1.5
kill -0 "$LAUNCHER_PID" 2>/dev/null || fail "the launcher ended although the port is taken"
xdotool search --onlyvisible --name '^Host or Join$' >/dev/null ||
    fail "the host window closed although the port is taken"
[ ! -e "$GAME/ENGINE/COMMIT.DAT" ] || fail "a launch file was written although the port is taken"
kill "$LAUNCHER_PID"
end_our_dosboxes

# A modem waiting for a call: the friend calls the router's address.
net_bat "$GAME" 'WAIT'
host_through "Wait For Call" open_modem_dialog alt+w 74 "$external:23000"
answered=""
for _ in $(seq 100); do
    if in_ns net bash -c "exec 3<>/dev/tcp/$external/23000" 2>/dev/null; then
        answered=yes
        break
    fi
    sleep 0.1
done
[ -n "$answered" ] ||
    fail "no call from the internet reaches the waiting modem; DOSBoxes: $(our_dosboxes | tr '\n' ' ')"
end_our_dosboxes

# Port 21300 forwarded to another computer: hosting gets 21301, which holds
# the window; cancelled there, the router forwards nothing of the launcher's.
stop_router
start_router yes no
service=urn:schemas-upnp-org:service:WANIPConnection:1
in_ns home curl -s -o /dev/null -H "SOAPAction: \"$service#AddPortMapping\"" -H 'Content-Type: text/xml' \
    --data "<?xml version=\"1.0\"?><s:Envelope xmlns:s=\"http://schemas.xmlsoap.org/soap/envelope/\"><s:Body>
<u:AddPortMapping xmlns:u=\"$service\"><NewRemoteHost></NewRemoteHost><NewExternalPort>21300</NewExternalPort>
<NewProtocol>UDP</NewProtocol><NewInternalPort>21300</NewInternalPort><NewInternalClient>10.0.0.3</NewInternalClient>
<NewEnabled>1</NewEnabled><NewPortMappingDescription>other</NewPortMappingDescription>
<NewLeaseDuration>600</NewLeaseDuration></u:AddPortMapping></s:Body></s:Envelope>" "http://10.0.0.1:5000/ctl/IPConn"
ours() { in_ns router nft list chain inet filter prerouting_miniupnpd | grep "dport 21301 dnat ip to $home:21300" >/dev/null; }
start_in "$GAME"
press "$(open_ipx_dialog)" alt+s
window="$(wait_window "Host or Join")"
sleep 2.5
press "$window" Return
for _ in $(seq 200); do ours && break; sleep 0.1; done
ours || fail "the router did not forward 21301: $(in_ns router nft list chain inet filter prerouting_miniupnpd)"
press "$window" Escape
sleep 1
! ours || fail "a cancelled host left UDP 21301 forwarded to this computer"
kill "$LAUNCHER_PID"

# No router: hosting, taken at once with Return, starts within seconds.
stop_router
net_bat "$GAME" 'echo hosted> HOSTED.TXT'
start_in "$GAME"
press "$(open_ipx_dialog)" alt+s
press "$(wait_window "Host or Join")" Return
started=$SECONDS
launcher_ended
[ "$(dos_file "$GAME/ENGINE/HOSTED.TXT")" = hosted ] || fail "the game did not start without a router"
[ $((SECONDS - started)) -le 5 ] || fail "hosting without a router took $((SECONDS - started)) s"
echo "passed"
