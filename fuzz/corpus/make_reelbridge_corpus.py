#!/usr/bin/env python3
"""Writes the seed inputs of ipc_request_fuzz and chat_command_fuzz.

Request seeds: a selector byte, the claimed byte count (16-bit little-endian),
then an IpcMessage block as the movie side builds it. Command seeds: a
selector byte, then the chat line. Run from anywhere; rewrites both folders.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def block(name, items, capacity=200):
    data = b""
    descriptors = b""
    for kind, payload in items:
        if kind == "s":
            payload = payload + b"\0"
        descriptors += struct.pack("<cII", kind.encode(), len(data), len(payload))
        data += payload
    descriptors = descriptors.ljust(27, b"\0")
    header = name.encode().ljust(20, b"\0") + struct.pack("<III", 0, capacity, len(items))
    return (header + descriptors + data).ljust(capacity, b"\0")


def l(value):
    return ("l", struct.pack("<i", value))


def s(text):
    return ("s", text.encode())


def request_seed(selector, payload, claimed=None):
    claimed = len(payload) if claimed is None else claimed
    return bytes([selector]) + struct.pack("<H", claimed) + payload


REQUESTS = {
    "get_my_id": request_seed(0, block("X2HGetMyId", [])),
    "get_user_name": request_seed(0, block("X2HGetUserName", [l(5)])),
    "get_user_name_embedded_nul": request_seed(0, block("X2HGetUserName", [l(6)])),
    "chat": request_seed(1, block("X2HChat", [s("hello")])),
    "blow_list": request_seed(0, block("X2HBTL_Msg", [l(2), ("b", struct.pack("<ii", 1, 2)),
                                                       s("hi")])),
    "blow_room": request_seed(0, block("X2HBT_Msg", [s("hey")])),
    "script": request_seed(0, block("X2HScr", [s("say hi")])),
    "script_result": request_seed(0, block("X2HScrRL", [s("1+1")])),
    "unknown": request_seed(0, block("X2HNope", [s("x")])),
    "full_block": request_seed(0, block("X2HGetMyId", [l(1), l(2), l(3)])),
    "big_capacity": request_seed(0, block("X2HGetMyId", [], capacity=200)[:24]
                                 + struct.pack("<I", 5000) + block("X2HGetMyId", [])[28:]),
    "oversized_count": request_seed(0, block("X2HChat", [s("x")]), claimed=1500),
    "forward_blow": request_seed(0xC0, b"abcdhello"),
    "forward_name": request_seed(0x41, b"xName"),
}

COMMANDS = {
    "playmovie": b"\x01PlayMovie 'intro' @ 10, 20",
    "playmovie_plain": b"\x00playmovie intro",
    "playmovie_at_in_name": b"\x03playmovie 'x@3' 9",
    "blowall": b"\x00blowall hello",
    "blow": b"\x02BLOW hi",
    "blowfish": b"\x00blowfish",
    "getfile": b"\x00GetFile 'Sound|Bell.WAV'",
    "getfile_present": b"\x01GetFile 'movie|intro'",
    "getfile_empty": b"\x00getfile ",
    "digits": b"\x01playmovie 'a' @99999999999999999999,5",
}


def write(folder, seeds):
    path = os.path.join(HERE, folder)
    os.makedirs(path, exist_ok=True)
    for name, data in seeds.items():
        with open(os.path.join(path, name), "wb") as out:
            out.write(data)


write("ipc_request_fuzz", REQUESTS)
write("chat_command_fuzz", COMMANDS)
