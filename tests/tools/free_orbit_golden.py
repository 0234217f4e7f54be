#!/usr/bin/env python3
"""Replays the default free flight (body 5 alone, spherical field of mass 2,
inverse-square law, four-stage scheme, h = 1 s) and prints the values the
physics tests compare against.

The laws are written out here from the physics, not from the C++ code:
the attraction of mass 2 and its charge towards (0, -Rz), the classic
Runge-Kutta step with the auxiliary values of the third trial state, the
energies measured from the surface, path, action integrals and the two
relativistic time shifts."""
import math

gamma = 1e-12 * 66.7
Ke = 9e9
Vsv = 1e8 * 2.998
m1 = 1e-21 * 10**21
q1 = -5 * 10.0**-4
m2 = 5976 * 10.0**21
q2 = 5 * 10.0**-4
Rz = 6378 * 10.0**3
Xn, Yn, VXn, VYn = -6378000.0, -6378000.0, -1460.0, 8000.0
Xk = 6165000.0
h = 1.0

GM = m1 * m2 * gamma
KQ = -Ke * q1 * q2


def accel(x, y, vx, vy):
    """Force on the body and the auxiliary values of the evaluation."""
    xr, yr = x, y + Rz
    lr = math.sqrt(xr * xr + yr * yr)
    fq = KQ / lr / lr
    fm = GM / lr / lr
    f = fm + fq
    # direction towards the centre, written with the components directly
    fx = -f * xr / lr
    fy = -f * yr / lr
    return (vx, vy, fx / m1, fy / m1), dict(LR=lr, Fq=fq, Fm=fm, FX=fx, FY=fy)


def run(steps, report):
    s = [Xn, Yn, VXn, VYn]
    xp, yp = Xn, Yn
    L = 0.0
    I = dict(MV_T=0.0, TmU_T=0.0, TpU_T=0.0, T_T=0.0, MV_L=0.0, TmU_L=0.0, TpU_L=0.0, T_L=0.0)
    frozen = None
    ttR = ttV = 0.0
    T = 0.0
    Tfin = 0.0
    out = {}
    for n in range(1, steps + 1):
        k1, _ = accel(*s)
        s1 = [s[j] + h * k1[j] / 2 for j in range(4)]
        k2, _ = accel(*s1)
        s2 = [s[j] + h * k2[j] / 2 for j in range(4)]
        k3, _ = accel(*s2)
        s3 = [s[j] + h * k3[j] for j in range(4)]
        k4, aux = accel(*s3)  # auxiliary values of the state S0 + RK3
        s = [s[j] + h * (k1[j] + 2 * k2[j] + 2 * k3[j] + k4[j]) / 6 for j in range(4)]
        T += h
        x, y, vx, vy = s
        v = math.sqrt(vx * vx + vy * vy)
        ds = math.hypot(x - xp, y - yp)
        xp, yp = x, y
        L += ds
        ttR += h * gamma * m2 * (1 / Rz - 1 / aux["LR"]) / Vsv**2
        ttV += (1 - 1 / math.sqrt(1 - v * v / Vsv**2)) * h
        lr = aux["LR"]
        Eq = KQ * (1 / Rz - 1 / lr)
        Em = GM * (1 / Rz - 1 / lr)
        Ev = m1 * v * v / 2
        E = Ev + Em + Eq
        I["MV_T"] += m1 * v * h
        I["TmU_T"] += (Ev - Eq - Em) * h
        I["TpU_T"] += (Ev + Eq + Em) * h
        I["T_T"] += Ev * h
        I["MV_L"] += m1 * v * ds
        I["TmU_L"] += (Ev - Eq - Em) * ds
        I["TpU_L"] += (Ev + Eq + Em) * ds
        I["T_L"] += Ev * ds
        if not Tfin > 0 and x > Xk:
            Tfin = T
            frozen = dict(I, Lmax=L, Xfin=x, Yfin=y)
        if n in report:
            out[n] = dict(X=x, Y=y, VX=vx, VY=vy, E=E, Em=Em, Eq=Eq, Ev=Ev, L=L,
                          ttR=ttR, ttV=ttV, **{k: aux[k] for k in ("LR", "Fm", "Fq", "FX", "FY")},
                          **{"Int" + k: val for k, val in I.items()})
    return out, Tfin, frozen


if __name__ == "__main__":
    out, Tfin, frozen = run(3000, {1, 10, 1000, 3000})
    for n, vals in out.items():
        print(f"step {n}:")
        for k, v in vals.items():
            print(f"  {k} = {v!r}")
    print("Tfin =", Tfin)
    for k, v in frozen.items():
        print(f"  frozen {k} = {v!r}")
    print("E0 =", m1 * (VXn**2 + VYn**2) / 2)
