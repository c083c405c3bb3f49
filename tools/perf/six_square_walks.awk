# Reads an strace log of nanosleep calls (strace -f -ttt -T) and prints the mean length of
# the six-square walks in it. Steps of a walk are 400 ms sleeps on one thread, each after
# the previous one's repaint; a run of exactly six is a six-square walk without a capture.
/tv_nsec=400000000/ && / = 0 </ {
    tid = $1; start = $2; d = $NF; gsub(/[<>]/, "", d); end = start + d
    if (tid in last && start - last[tid] < 0.1) { n[tid]++ } else { flush(tid); n[tid] = 1; first[tid] = start }
    last[tid] = end
}
function flush(t) { if (n[t] == 6) { walks++; total += last[t] - first[t]; if (walks <= 5) list = list sprintf(" %.1f", 1000 * (last[t] - first[t])) } }
END {
    for (t in n) flush(t)
    if (walks) printf "%.1f ms (mean of %d walks:%s)", 1000 * total / walks, walks, list
    else print "no six-square walk in this run"
}
