"""Golden values for the light experiment, by an independent route: the
invariant n = K·sin of a ray in horizontal layers gives the horizontal run
per layer, tan(asin(n/K)), and the time per layer, K/cos(asin(n/K)); a ray
turns back at the first layer whose index does not exceed n."""
import math

DEFAULT = {10: 2.0, 9: 2.0, 8: 2.0, 7: 2.0, 6: 1.8, 5: 1.6, 4: 1.4, 3: 1.2, 2: 1.0, 1: 1.2,
           0: 1.4, -1: 1.6, -2: 1.8, -3: 2.0, -4: 1.8, -5: 1.6, -6: 1.4, -7: 1.2, -8: 1.0, -9: 1.2}


def trace(aim, K):
    s = (aim + 10) / math.hypot(1, aim + 10)
    inv = K[10] * s
    layers = []
    n = 10
    while n >= -9 and K[n] > abs(inv):
        layers.append(n)
        n -= 1
    if n >= -9:  # turned back: the layers crossed twice
        path, exit_y, turn = layers + layers[::-1], 10, n
    else:
        path, exit_y, turn = layers, -10, None
    x, t = -10.0, 0.0
    for n in path:
        sn = inv / K[n]
        x += sn / math.sqrt(1 - sn * sn)
        t += K[n] / math.sqrt(1 - sn * sn)
    return len(path), x, t, exit_y, turn


for aim in (10, -9, -9.5, -10, -20, 0):
    print(aim, trace(aim, DEFAULT))
lin = {n: 1 + 0.05 * (n + 9) for n in range(-9, 11)}
for aim in (0, 10):
    print("linear 0.05", aim, trace(aim, lin))
