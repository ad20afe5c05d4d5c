"""The console's sounds, synthesised: a clock tick, a life lost, a correct
answer, a fanfare for the end of the game and a new-round chime.

Each sound is built from a few notes with their own envelopes; lengths are
exact sample counts at 22050 Hz.
"""

import numpy as np

from media_formats import RATE, sample_count

C4, E4, F4, FS4, G4 = 261.63, 329.63, 349.23, 369.99, 392.00
C5, E5, G5, C6, E6 = 523.25, 659.26, 783.99, 1046.50, 1318.51


def _phase(freq, n, glide_to=None, vibrato=(0.0, 0.0), vibrato_from=0.0):
    """Running phase of a tone of n samples, optionally gliding to another
    pitch and with a vibrato (rate in Hz, depth as a fraction) that fades in
    after `vibrato_from` seconds."""
    t = np.arange(n) / RATE
    f = np.full(n, freq, dtype=np.float64)
    if glide_to is not None:
        f = freq * (glide_to / freq) ** (t / t[-1])
    rate, depth = vibrato
    if depth:
        fade = np.clip((t - vibrato_from) / 0.15, 0, 1)
        f = f * (1 + depth * fade * np.sin(2 * np.pi * rate * t))
    return 2 * np.pi * np.cumsum(f) / RATE


def _envelope(n, attack, release, tau=None):
    t = np.arange(n) / RATE
    env = np.clip(t / attack, 0, 1) if attack else np.ones(n)
    if tau:
        env = env * np.exp(-np.maximum(t - attack, 0) / tau)
    if release:
        env = env * np.clip((t[-1] - t) / release, 0, 1)
    return env


def bell(freq, seconds, tau=0.45):
    """A struck tone: slightly inharmonic partials, the high ones dying first."""
    n = sample_count(seconds)
    t = np.arange(n) / RATE
    out = np.zeros(n)
    for ratio, amp, life in ((1.0, 1.0, 1.0), (2.0, 0.42, 0.6), (3.01, 0.2, 0.4), (4.16, 0.1, 0.25), (5.43, 0.05, 0.15)):
        out += amp * np.sin(2 * np.pi * freq * ratio * t) * np.exp(-t / (tau * life))
    return out * _envelope(n, 0.002, 0.02)


def horn(freq, seconds, attack=0.03, release=0.08, bright=6, **pitch):
    """A soft brass-like tone: harmonics falling off, fuller as it swells."""
    n = sample_count(seconds)
    phase = _phase(freq, n, **pitch)
    swell = _envelope(n, attack * 2, 0)
    out = np.zeros(n)
    for k in range(1, bright + 1):
        out += np.sin(k * phase) / k ** 1.4 * (swell if k > 2 else 1)
    return out * _envelope(n, attack, release)


def mix(total_seconds, parts):
    """Lay (start seconds, mono signal, pan -1..1, gain) parts into stereo
    channels of the given exact length."""
    n = sample_count(total_seconds)
    left, right = np.zeros(n), np.zeros(n)
    for start, sig, pan, gain in parts:
        i = sample_count(start)
        sig = sig[:max(0, n - i)] * gain
        angle = (pan + 1) * np.pi / 4                      # constant power
        left[i:i + len(sig)] += sig * np.cos(angle)
        right[i:i + len(sig)] += sig * np.sin(angle)
    return [left, right]


def finish(channels, peak=0.7, fade_out=0.03, fade_in=0.002):
    """Scale to a common peak and fade both ends so nothing clicks."""
    top = max(np.max(np.abs(c)) for c in channels)
    n = len(channels[0])
    tail = np.clip((n - 1 - np.arange(n)) / (fade_out * RATE), 0, 1)
    head = np.clip(np.arange(n) / (fade_in * RATE), 0, 1)
    return [c / top * peak * tail * head for c in channels]


def clock_tick():
    """0.09 s: a dry wooden click."""
    n = sample_count(0.09)
    t = np.arange(n) / RATE
    click = (np.sin(2 * np.pi * 2350 * t) * np.exp(-t / 0.006)
             + 0.6 * np.sin(2 * np.pi * 1210 * t) * np.exp(-t / 0.013)
             + 0.5 * np.random.default_rng(254).uniform(-1, 1, n) * np.exp(-t / 0.0015))
    return finish([click], peak=0.8, fade_out=0.01, fade_in=0.0005)


def life_lost():
    """1.35 s: a muted horn sliding down, the last note sagging."""
    step = 0.24
    return finish(mix(1.35, [
        (0.0, horn(G4, step + 0.03), -0.2, 1.0),
        (step, horn(FS4, step + 0.03), 0.0, 1.0),
        (2 * step, horn(F4, step + 0.03), 0.2, 1.0),
        (3 * step, horn(E4, 1.35 - 3 * step, release=0.25, glide_to=E4 * 0.96,
                         vibrato=(5.5, 0.018), vibrato_from=0.12), 0.0, 1.1),
        (3 * step, horn(E4 / 2, 1.35 - 3 * step, release=0.3, bright=3), 0.0, 0.35),
    ]), fade_out=0.05)


def correct_answer():
    """0.92 s: a quick rising arpeggio of bells over a warm chord."""
    parts = [(0.07 * i, bell(f, 0.92 - 0.07 * i, tau=0.32 + 0.05 * i), pan, 0.8)
             for i, (f, pan) in enumerate(((C5, -0.5), (E5, -0.15), (G5, 0.15), (C6, 0.5)))]
    parts += [(0.21, horn(f, 0.71, attack=0.06, release=0.3, bright=3), pan, 0.22)
              for f, pan in ((C5, -0.3), (E5, 0.0), (G5, 0.3))]
    parts.append((0.28, bell(E6, 0.64, tau=0.25), 0.35, 0.25))
    return finish(mix(0.92, parts), fade_out=0.06)


def _timpani(seconds):
    n = sample_count(seconds)
    t = np.arange(n) / RATE
    f = 98 * (1 + 0.25 * np.exp(-t / 0.03))
    boom = np.sin(2 * np.pi * np.cumsum(f) / RATE) * np.exp(-t / 0.35)
    hit = np.random.default_rng(250).uniform(-1, 1, n) * np.exp(-t / 0.01) * 0.4
    return boom + hit


def fanfare():
    """1.94 s: three quick calls, then the full chord held and let ring."""
    call = 0.13
    parts = [(call * i, horn(G4, 0.11, attack=0.012, release=0.03), 0.0, 0.9) for i in range(3)]
    held = 1.94 - 3 * call - 0.01
    for f, pan, gain in ((C5, 0.0, 1.0), (G4, 0.35, 0.6), (E4, -0.35, 0.6), (C4, 0.0, 0.5), (E5, -0.15, 0.35)):
        parts.append((3 * call + 0.01, horn(f, held, attack=0.02, release=0.6, vibrato=(5.2, 0.006), vibrato_from=0.35),
                      pan, gain))
    parts.append((3 * call + 0.01, _timpani(held), 0.0, 0.7))
    return finish(mix(1.94, parts), fade_out=0.1)


def new_round():
    """0.63 s: a two-note chime, rising."""
    return finish(mix(0.63, [
        (0.0, bell(G5, 0.63, tau=0.3), -0.4, 1.0),
        (0.0, bell(G5 / 2, 0.63, tau=0.25), -0.4, 0.3),
        (0.15, bell(C6, 0.48, tau=0.3), 0.4, 1.0),
        (0.15, bell(C5, 0.48, tau=0.25), 0.4, 0.3),
    ]), fade_out=0.08)


# WAVE resource number -> (maker, bits per sample)
SOUNDS = {
    244: (life_lost, 16),
    247: (correct_answer, 16),
    250: (fanfare, 16),
    252: (new_round, 16),
    254: (clock_tick, 8),
}
