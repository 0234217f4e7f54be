# Independent computation of golden values for the rods' tests: the
# cycloid searches, parabola and arc set-up, and the analytic race times.
import math

Pi = 3.141592654


def standard_cycloid(Xn, Yn, Xk, Yk):
    fi, n = Pi, 0
    while True:
        R2 = (Yn - Yk) / (1 - math.cos(fi))
        Xt = (fi - math.sin(fi)) * R2 + Xn
        if abs(Xk) >= 1:
            if abs(Xt - Xk) < 0.0002 * abs(Xk):
                return n, fi, R2
            n += 1
            fi += (Xk - Xt) * 0.001 / abs(Xk)
        else:
            if abs(Xt - Xk) < 0.0002:
                return n, fi, R2
            n += 1
            fi += (Xk - Xt) * 0.001 / 10
        if n > 20000:
            return n, None, R2


def modified_cycloid(Xn, Yn, Xk, Yk, fiK2):
    fiN2, n = 0.0, 0
    while True:
        R2 = (Yn - Yk + Xk - Xn) / (math.cos(fiN2) - math.cos(fiK2) - fiN2 + math.sin(fiN2) + fiK2 - math.sin(fiK2))
        Yk2 = (1 - math.cos(fiK2)) * R2 + Yk - R2 * (1 - math.cos(fiN2))
        if abs(Yk2 - Yn) < 0.005 * abs(Yk - Yn):
            R2 = (Xn - Xk) / (fiN2 - math.sin(fiN2) - fiK2 + math.sin(fiK2))
            X20 = Xk - (fiK2 - math.sin(fiK2)) * R2
            Y20 = (1 - math.cos(fiK2)) * R2 + Yk
            return n, fiN2, R2, X20, Y20
        n += 1
        fiN2 += abs(Yk2 - Yn) * 0.001
        if n >= 20001:
            return n, None, R2, None, None


def cycloid_direction(fiN2, R2, X20, Y20):
    x0 = (fiN2 - math.sin(fiN2)) * R2 + X20
    y0 = Y20 - (1 - math.cos(fiN2)) * R2
    x1 = (fiN2 + 0.01 - math.sin(fiN2 + 0.01)) * R2 + X20
    y1 = Y20 - (1 - math.cos(fiN2 + 0.01)) * R2
    return math.atan((y1 - y0) / (x1 - x0))


def race_times(H=100.0, W=100.0, g=9.8):
    # Straight line: uniform acceleration g*H/L along length L.
    L = math.hypot(H, W)
    t_line = math.sqrt(2 * L / (g * H / L))
    # Cycloid through the cusp: W/H = (f - sin f)/(1 - cos f).
    lo, hi = 1e-9, 2 * math.pi - 1e-9
    for _ in range(200):
        f = (lo + hi) / 2
        if (f - math.sin(f)) / (1 - math.cos(f)) < W / H:
            lo = f
        else:
            hi = f
    R = H / (1 - math.cos(f))
    t_cyc = f * math.sqrt(R / g)
    return t_line, t_cyc, R, f


if __name__ == "__main__":
    print("default standard cycloid:", standard_cycloid(-6378000, -6378000, 6165000, -8000000))
    n, fi, R2 = standard_cycloid(0, 100, 100, 0)
    print("race cycloid:", n, repr(fi), repr(R2))
    print("race line/cycloid times:", race_times())
    print("yn=yk cycloid:", standard_cycloid(0, 5, 10, 5))
    print("small xk cycloid:", standard_cycloid(-1, 1, 0.5, 0))
    r = modified_cycloid(0, 100, 100, 0, 2.0)
    print("modified cycloid 2.0:", r, cycloid_direction(r[1], r[2], r[3], r[4]))
    print("modified cycloid 3.0:", modified_cycloid(0, 100, 100, 0, 3.0))
    print("modified cycloid 6.2:", modified_cycloid(0, 100, 100, 0, 6.2))


def race_on_the_built_rods(g):
    """Travel times from rest at (0, 100) until x passes 100, on the rods the
    laboratory builds for the race, for a bead with no deformation."""
    H = 100.0
    L = math.hypot(100, 100)
    t_line = math.sqrt(2 * L / (g * H / L))
    n, fiK, R2 = standard_cycloid(0, 100, 100, 0)
    lo, hi = 0.0, math.pi  # rolling angle where x = 100
    for _ in range(200):
        f = (lo + hi) / 2
        if R2 * (f - math.sin(f)) < 100:
            lo = f
        else:
            hi = f
    t_cyc = f * math.sqrt(R2 / g)  # the rolling angle grows as t·sqrt(g/R2)
    # Parabola x = 0.01·(100 − y)²: with u = 100 − y, ds = sqrt(1 + (0.02u)²) du,
    # v = sqrt(2 g u); substitute u = w² to lift the start singularity.
    N = 200000
    t_par = 0.0
    for j in range(N):
        w = (j + 0.5) * 10.0 / N
        u = w * w
        t_par += math.sqrt(1 + (0.02 * u) ** 2) / math.sqrt(2 * g * u) * 2 * w * (10.0 / N)
    # Quarter circle of radius 100 from the level of its centre to the bottom:
    # sqrt(R/g)·K(1/sqrt 2), K by the arithmetic-geometric mean.
    a, b = 1.0, math.sqrt(0.5)
    for _ in range(30):
        a, b = (a + b) / 2, math.sqrt(a * b)
    t_arc = math.sqrt(100 / g) * math.pi / (2 * a)
    return t_line, t_cyc, t_par, t_arc


if __name__ == "__main__":
    g = 5976e21 * 66.7e-12 / 6378000.0**2
    print("g of the default Earth:", repr(g))
    print("race on the built rods (line, cycloid, parabola, arc):", race_on_the_built_rods(g))
