"""Writers for the container formats the console library reads: RIFF AVI
clips of uncompressed 24-bit frames, and PCM WAVE sounds."""

import struct
import wave

import numpy as np

AVIF_HASINDEX = 0x10
AVIIF_KEYFRAME = 0x10


def _chunk(fourcc, payload):
    data = fourcc + struct.pack("<I", len(payload)) + payload
    return data + b"\0" if len(payload) % 2 else data


def _list(kind, payload):
    return _chunk(b"LIST", kind + payload)


def dib_rows(img):
    """An RGB image as a bottom-up BI_RGB pixel array: BGR, rows padded to
    four bytes, last image row first."""
    w, h = img.size
    bgr = np.asarray(img.convert("RGB"), dtype=np.uint8)[::-1, :, ::-1]
    stride = (w * 3 + 3) & ~3
    out = np.zeros((h, stride), dtype=np.uint8)
    out[:, :w * 3] = bgr.reshape(h, w * 3)
    return out.tobytes()


def write_avi(path, frames, fps):
    """Write `frames` (equal-sized RGB images) as a clip at `fps` frames a
    second, every frame a key frame in its own '00db' chunk."""
    w, h = frames[0].size
    stride = (w * 3 + 3) & ~3
    frame_bytes = stride * h
    count = len(frames)

    avih = struct.pack("<10I4I",
                       1000000 // fps,        # microseconds per frame
                       frame_bytes * fps,     # max bytes per second
                       0,                     # padding granularity
                       AVIF_HASINDEX,
                       count,                 # total frames
                       0,                     # initial frames
                       1,                     # streams
                       frame_bytes,           # suggested buffer size
                       w, h,
                       0, 0, 0, 0)
    strh = struct.pack("<4s4sIHHIIIIIIiI4h",
                       b"vids", b"DIB ",
                       0,                     # flags
                       0, 0,                  # priority, language
                       0,                     # initial frames
                       1, fps,                # scale, rate: fps = rate / scale
                       0, count,              # start, length in frames
                       frame_bytes,           # suggested buffer size
                       -1,                    # quality: default
                       0,                     # sample size: varies
                       0, 0, w, h)            # frame rectangle
    strf = struct.pack("<IiiHHIIiiII",
                       40, w, h,              # positive height: bottom-up
                       1, 24, 0,              # planes, bits, BI_RGB
                       frame_bytes, 0, 0, 0, 0)
    hdrl = _list(b"hdrl", _chunk(b"avih", avih) +
                 _list(b"strl", _chunk(b"strh", strh) + _chunk(b"strf", strf)))

    movi_payload = bytearray()
    index = bytearray()
    for img in frames:
        if img.size != (w, h):
            raise ValueError("frames differ in size")
        # Offsets count from the 'movi' list type, as readers expect.
        offset = 4 + len(movi_payload)
        data = dib_rows(img)
        movi_payload += _chunk(b"00db", data)
        index += struct.pack("<4sIII", b"00db", AVIIF_KEYFRAME, offset, len(data))
    movi = _list(b"movi", bytes(movi_payload))

    body = b"AVI " + hdrl + movi + _chunk(b"idx1", bytes(index))
    with open(path, "wb") as f:
        f.write(b"RIFF" + struct.pack("<I", len(body)) + body)


RATE = 22050


def sample_count(seconds):
    return round(seconds * RATE)


def write_wav(path, channels, bits):
    """`channels`: a list of float arrays in -1..1, one per channel, equal
    length. 16-bit samples are signed, 8-bit ones unsigned around 128."""
    n = len(channels[0])
    data = np.stack(channels, axis=1)
    if bits == 16:
        pcm = np.clip(np.round(data * 32767), -32768, 32767).astype("<i2").tobytes()
    elif bits == 8:
        pcm = np.clip(np.round(data * 127) + 128, 0, 255).astype(np.uint8).tobytes()
    else:
        raise ValueError("unsupported sample size")
    with wave.open(path, "wb") as w:
        w.setnchannels(len(channels))
        w.setsampwidth(bits // 8)
        w.setframerate(RATE)
        w.setnframes(n)
        w.writeframes(pcm)
