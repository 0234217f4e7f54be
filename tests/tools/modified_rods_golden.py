"""Ideal travel times on the modified rods of examples/modified_rods.lumet, by
an independent route: a bead sliding from rest at height 100 m without
friction has the speed sqrt(2 g (100 - y)); the time is the integral of
ds / v along the curve until x passes 100 m, with the curve parameter
p = p0 + w^2 so that the start, where v = 0, gives a finite integrand."""
import math
import sys

sys.path.insert(0, __file__.rsplit("/", 1)[0])
from rods_golden import modified_cycloid  # noqa: E402

g = 5976e21 * 66.7e-12 / 6378000.0**2  # the flat constant field of the default Earth


def travel_time(x, y, p0, p1, N=200000):
    # p1: the parameter where x passes 100, found by bisection.
    lo, hi = p0, p1
    for _ in range(200):
        mid = (lo + hi) / 2
        lo, hi = (mid, hi) if x(mid) < 100 else (lo, mid)
    W = math.sqrt(lo - p0)
    t = 0.0
    for j in range(N):
        w = (j + 0.5) * W / N
        p, d = p0 + w * w, 1e-7
        ds = math.hypot(x(p + d) - x(p - d), y(p + d) - y(p - d)) / (2 * d)
        t += ds / math.sqrt(2 * g * max(100 - y(p), 1e-300)) * 2 * w * W / N
    return t


n, fiN2, R2, X20, Y20 = modified_cycloid(0, 100, 100, 0, 2.0)
# The search accepts a cycloid that passes within 0.5 % of the height of the
# start point: this one begins 1 m above it, and the bead, held at the start
# point, joins it where it comes down to y = 100.
cx, cy = lambda f: X20 + R2 * (f - math.sin(f)), lambda f: Y20 - R2 * (1 - math.cos(f))
lo, hi = fiN2, 2.0
for _ in range(200):
    mid = (lo + hi) / 2
    lo, hi = (mid, hi) if cy(mid) > 100 else (lo, mid)
cyc = travel_time(cx, cy, hi, 2.5)
par = travel_time(lambda x: x, lambda x: 0.01 * (100 - x) ** 2, 0.0, 100.5)
R4 = math.hypot(150, 50)
a0 = math.pi + math.atan(50 / 150)
arc = travel_time(lambda a: 150 + R4 * math.cos(a), lambda a: 150 + R4 * math.sin(a), a0, 1.5 * math.pi)
print("cycloid start (x, y):", cx(fiN2), cy(fiN2), "joined at x =", cx(hi))
print("ideal times: cycloid %.4f  parabola %.4f  arc %.4f" % (cyc, par, arc))
